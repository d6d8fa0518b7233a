#pragma once

#include <QString>
#include <QStringList>
#include <array>

struct StatoProgramma;

// What the two band viewers show and how they answer the user: the bands of
// the start-up snapshot, one page for each kind of day, and in "Durata
// scatto" the unit interval of the selected band. The TUT viewer shows class
// 1; the long-distance viewer shows the class of the distance chosen in its
// drop-down. The windows only bind their controls to this.
class BandViewer
{
public:
    enum class Kind
    {
        Tut,
        Teleselezione
    };
    // Pages in tab order: "FERIALI", "SABATO", "FESTIVI".
    static constexpr int pageCount = 3;
    // The longest list: three bands a weekday and a Saturday, two a holiday.
    static constexpr int maxBands = 3;
    // No row of a list, or no item of the distance drop-down, is selected.
    static constexpr int none = -1;

    // The creation: the lists filled, the first weekday band selected and
    // its interval shown (TUT, or up to 15 km for the long-distance viewer).
    BandViewer(Kind kind, const StatoProgramma& stato);
    BandViewer(Kind kind, const QStringList& feriali, const QStringList& sabato, const QStringList& festivi);

    static QStringList pageCaptions();
    // The distance drop-down's items: "fino a 15 Km", "15 - 30 Km", "oltre 30 Km".
    static QStringList distances();

    Kind kind() const { return m_kind; }
    // One item a band, in stored order: its first 17 characters, the start and end times.
    QStringList items(int page) const;
    int currentPage() const { return m_page; }
    int selectedRow(int page) const;
    int distance() const { return m_distance; }
    // The text of "Durata scatto": four digits, tenths of a second, as the band stores them.
    QString intervallo() const { return m_intervallo; }

    // The long-distance viewer is shown: its drop-down selects "fino a 15 Km".
    void shown();
    // A band of a page's list was clicked.
    void bandClicked(int page, int row);
    // The user switched to another page: the TUT viewer selects that page's
    // first band and shows its interval; the long-distance viewer leaves
    // selections and interval as they are.
    void pageChanged(int page);
    // The distance changed to item `index` of distances(), or to `none` for a
    // typed text that is none of them. The interval follows the selected
    // band of the page shown; with no item, or no band selected on that
    // page, it is left as it is.
    void distanceChanged(int index);

    // The four characters of a band text holding the interval of class 1..4
    // (positions 19-22, 24-27, 29-32, 34-37); shorter when the text is.
    static QString colonnaIntervallo(const QString& fascia, int classe);

private:
    // The class whose interval is shown; 0 when the drop-down has no item selected.
    int classe() const;
    void show(int page, int row);

    Kind m_kind;
    std::array<QStringList, pageCount> m_bands;
    std::array<int, pageCount> m_selected{none, none, none};
    int m_page = 0;
    int m_distance = none;
    QString m_intervallo = QStringLiteral("0");
};
