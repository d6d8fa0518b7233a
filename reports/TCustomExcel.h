#pragma once

#include "platform/SheetTransport.h"

#include <QString>
#include <stdexcept>

class Clock;

// A failure of the spreadsheet link; the export stops with it.
class ExcelError : public std::runtime_error
{
public:
    explicit ExcelError(const QString& message);
    QString message() const;
};

// Where the active cell moves after WriteText.
enum class TCellDir
{
    dirNone,
    dirUp,
    dirDown,
    dirLeft,
    dirRight
};

// The spreadsheet link: a conversation with the spreadsheet program on
// service "Excel", topic "System", carrying macro commands one at a time with
// simple flow control: before every BurstCount-th command, and after a
// command that could not be sent, it waits until the program answers "Ready".
class TCustomExcel
{
public:
    static constexpr int TimeoutRichiesta = 10000; // milliseconds a request waits for its reply
    static constexpr int AttesaMassima = 30000;    // milliseconds WaitUntilReady waits before giving up
    static constexpr int BurstCountPredefinito = 128;

    TCustomExcel(SheetTransport& transport, const Clock& clock);
    virtual ~TCustomExcel();
    TCustomExcel(const TCustomExcel&) = delete;
    TCustomExcel& operator=(const TCustomExcel&) = delete;

    static QString NoReply();

    bool Connected() const;
    // The program started when no conversation can be opened, without its
    // extension. Setting it ends an open conversation.
    QString ExeName() const { return m_exeName; }
    void setExeName(const QString& exeName);
    TCellDir MoveActiveCell() const { return m_moveActiveCell; }
    void setMoveActiveCell(TCellDir dir) { m_moveActiveCell = dir; }
    int BurstCount() const { return m_burstCount; }
    void setBurstCount(int count) { m_burstCount = count; }
    SheetTransport& transport() const { return m_transport; }

    // Opens the conversation when it is not open, starting the program (and
    // looking for it through the ".xls" association) when needed; ExcelError
    // "Excel could not be launched" when no conversation can be had.
    void StartConversation();
    // Closes the conversation when it is open. True when what was sent is
    // kept, or when nothing was to be kept; false, with the transport's
    // message, when a completed transfer could not be kept.
    bool EndConversation(SheetTransport::Ending ending = SheetTransport::Ending::Abandon);
    // ExcelError "\"<command>\" not accepted by Excel" when it cannot be sent twice in a row.
    void SendCommand(const QString& command);
    // The reply to a request of `item`, NoReply() when none comes in TimeoutRichiesta.
    QString QueryItem(const QString& item);
    bool IsReady();
    // ExcelError "Microsoft Excel® non risponde" when the program is still not
    // ready after AttesaMassima.
    void WaitUntilReady();
    // Row and column from 1; nothing is sent when either is 0.
    void GoToCell(int row, int column);
    void ShiftSelection(int rows, int columns);
    // Enters the text in the active cell, its double quotes doubled so that
    // it stays one text whatever it holds, then moves as MoveActiveCell says.
    void WriteText(const QString& text);
    // ExeName from the program that opens ".xls" files; empty when that
    // program's file is not there. Leaves ExeName alone when there is no association.
    void LocateProgram();

private:
    bool apri();

    SheetTransport& m_transport;
    const Clock& m_clock;
    QString m_exeName = QStringLiteral("Excel");
    TCellDir m_moveActiveCell = TCellDir::dirDown;
    int m_burstCount = BurstCountPredefinito;
    int m_contatore = 0; // commands sent since the last wait
};
