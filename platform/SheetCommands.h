#pragma once

#include <QDate>
#include <QString>
#include <map>
#include <utility>

// The sheet of the sheet writer and the macro commands it carries out:
// SELECT of a cell or a range in R1C1 notation (absolute "R2C1", relative
// "R[1]C[-4]", "RC[1]"), FORMULA entering a text into the active cell as if
// typed, format.font and alignment on the selection. Anything else is refused.
class SheetCommands
{
public:
    static constexpr int maxRows = 1048576;
    static constexpr int maxColumns = 16384;
    static constexpr qint64 maxFormattedCells = 100000;

    struct Style
    {
        QString fontName;    // empty: the workbook's font
        double fontSize = 0; // points; 0: the workbook's size
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeout = false;
        int horizontal = 1; // 1 general, 2 left, 3 centre, 4 right, 5 fill, 6 justify, 7 centre across selection
        bool wrap = false;
        int vertical = 3;    // 1 top, 2 centre, 3 bottom, 4 justify
        int orientation = 0; // 0 horizontal, 1 stacked, 2 upward, 3 downward
        bool operator==(const Style&) const = default;
    };

    struct Cell
    {
        enum class Kind
        {
            Empty, // formatted only
            Text,
            Number,
            Date
        };
        Kind kind = Kind::Empty;
        QString text; // Text: as entered
        double number = 0;
        QDate date;
        Style style;
    };

    using Address = std::pair<int, int>; // row and column, from 1

    // Carries out one execute text: one or more bracketed commands. False,
    // with error(), at the first one it does not understand; the ones before
    // it stay done.
    bool execute(const QString& text);

    const std::map<Address, Cell>& cells() const { return m_cells; }
    Address activeCell() const { return m_active; }
    // The selection in R1C1 notation: "R2C1", "R1C1:R1C5".
    QString selectionText() const;
    QString error() const { return m_error; }

private:
    bool fail(const QString& error);
    bool select(const QString& reference);
    bool formula(const QString& text);
    template <typename Apply> bool format(Apply apply);

    std::map<Address, Cell> m_cells;
    Address m_active{1, 1};
    Address m_first{1, 1};
    Address m_last{1, 1};
    QString m_error;
};
