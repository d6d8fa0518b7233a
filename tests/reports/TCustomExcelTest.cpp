#include "reports/TCustomExcel.h"
#include "reports/TExcel.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSheetTransport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString select(const char* riferimento)
{
    return QStringLiteral("[SELECT(\"%1\")]").arg(QLatin1String(riferimento));
}

// A clock that moves on by a second each time it is read: time passes while a loop polls.
struct TickingClock : Clock
{
    mutable QDateTime adesso = QDateTime(QDate(1999, 3, 22), QTime(10, 0));
    QDateTime now() const override { return adesso = adesso.addSecs(1); }
};

struct Link
{
    FakeClock clock;
    FakeSheetTransport transport;
    TExcel excel{transport, clock};

    Link() { excel.StartConversation(); }
};

TEST(TCustomExcel, CommandTextsOfTheCellOperations)
{
    struct Caso
    {
        std::function<void(TCustomExcel&)> operazione;
        TCellDir direzione;
        QStringList comandi;
    };
    const std::vector<Caso> casi{
        {[](TCustomExcel& x) { x.GoToCell(1, 1); }, TCellDir::dirNone, {select("R1C1")}},
        {[](TCustomExcel& x) { x.GoToCell(12, 300); }, TCellDir::dirNone, {select("R12C300")}},
        {[](TCustomExcel& x) { x.GoToCell(0, 5); }, TCellDir::dirNone, {}},
        {[](TCustomExcel& x) { x.GoToCell(5, 0); }, TCellDir::dirNone, {}},
        {[](TCustomExcel& x) { x.ShiftSelection(0, 1); }, TCellDir::dirNone, {select("R[0]C[1]")}},
        {[](TCustomExcel& x) { x.ShiftSelection(1, -4); }, TCellDir::dirNone, {select("R[1]C[-4]")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("Data")); },
         TCellDir::dirNone,
         {QStringLiteral("[FORMULA(\"Data\")]")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("1")); },
         TCellDir::dirUp,
         {QStringLiteral("[FORMULA(\"1\")]"), select("R[-1]C")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("1")); },
         TCellDir::dirDown,
         {QStringLiteral("[FORMULA(\"1\")]"), select("R[1]C")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("1")); },
         TCellDir::dirLeft,
         {QStringLiteral("[FORMULA(\"1\")]"), select("RC[-1]")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("1")); },
         TCellDir::dirRight,
         {QStringLiteral("[FORMULA(\"1\")]"), select("RC[1]")}},
        // Double quotes are doubled, so a name cannot close the text and add commands of its own.
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("Casa \"Mia\"")); },
         TCellDir::dirNone,
         {QStringLiteral("[FORMULA(\"Casa \"\"Mia\"\"\")]")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("\"]")); },
         TCellDir::dirNone,
         {QStringLiteral("[FORMULA(\"\"\"]\")]")}},
        {[](TCustomExcel& x) { x.WriteText(QStringLiteral("a\")][SELECT(\"R9C9\")][FORMULA(\"b")); },
         TCellDir::dirNone,
         {QStringLiteral("[FORMULA(\"a\"\")][SELECT(\"\"R9C9\"\")][FORMULA(\"\"b\")]")}},
    };
    for (size_t i = 0; i < casi.size(); ++i) {
        Link l;
        l.excel.setMoveActiveCell(casi[i].direzione);
        casi[i].operazione(l.excel);
        EXPECT_EQ(l.transport.commands(), casi[i].comandi) << "case " << i;
    }
}

TEST(TCustomExcel, TheLinkAsCreatedMovesDownAndTheDialogsStays)
{
    FakeClock clock;
    FakeSheetTransport transport;
    TCustomExcel creato(transport, clock);
    EXPECT_EQ(creato.MoveActiveCell(), TCellDir::dirDown);
    EXPECT_EQ(creato.ExeName(), QStringLiteral("Excel"));
    EXPECT_EQ(creato.BurstCount(), 128);
    TExcel dialogo(transport, clock);
    EXPECT_EQ(dialogo.MoveActiveCell(), TCellDir::dirNone);
    EXPECT_EQ(dialogo.ExeName(), QStringLiteral("Excel"));
}

TEST(TCustomExcel, EveryBurstWaitsUntilTheProgramIsReady)
{
    Link l;
    l.transport.log.clear();
    l.transport.statusAnswers = {QStringLiteral("Busy"), QStringLiteral("Calcolo")};
    for (int i = 1; i <= 300; ++i)
        l.excel.SendCommand(QStringLiteral("[c%1]").arg(i));

    QStringList atteso;
    for (int i = 1; i <= 300; ++i) {
        if (i == 128)
            atteso << QStringLiteral("request Status") << QStringLiteral("request Status")
                   << QStringLiteral("request Status");
        if (i == 256)
            atteso << QStringLiteral("request Status");
        atteso << QStringLiteral("execute [c%1]").arg(i);
    }
    EXPECT_EQ(l.transport.log, atteso);
}

TEST(TCustomExcel, ACommandRefusedOnceIsSentAgainWhenReady)
{
    Link l;
    l.transport.log.clear();
    l.transport.refuseNext = 1;
    l.excel.SendCommand(QStringLiteral("[uno()]"));
    EXPECT_EQ(l.transport.log, QStringList({QStringLiteral("refused [uno()]"), QStringLiteral("request Status"),
                                            QStringLiteral("execute [uno()]")}));

    l.transport.log.clear();
    l.transport.refuseNext = 2;
    try {
        l.excel.SendCommand(QStringLiteral("[due()]"));
        FAIL() << "no ExcelError";
    } catch (const ExcelError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("\"[due()]\" not accepted by Excel"));
    }
    EXPECT_EQ(l.transport.log, QStringList({QStringLiteral("refused [due()]"), QStringLiteral("request Status"),
                                            QStringLiteral("refused [due()]")}));
}

TEST(TCustomExcel, AnAwaitedCommandHoldsTheNextUntilItCompletes)
{
    Link l;
    l.transport.refuseNext = 1;
    l.transport.awaitedPolls = 3;
    l.excel.SendCommand(QStringLiteral("[uno()]"));
    l.transport.log.clear();
    l.excel.SendCommand(QStringLiteral("[due()]"));
    EXPECT_EQ(l.transport.log, QStringList({QStringLiteral("refused [due()]"), QStringLiteral("request Status"),
                                            QStringLiteral("execute [due()]")}));
}

TEST(TCustomExcel, WaitUntilReadyGivesUpAfterThirtySeconds)
{
    // No reply to any request: each one takes its 10 s.
    FakeClock clock;
    FakeSheetTransport transport;
    TExcel excel(transport, clock);
    excel.StartConversation();
    transport.log.clear();
    transport.noReply = true;
    transport.onRequest = [&clock](const QString&) { clock.advance(10000); };
    try {
        excel.WaitUntilReady();
        FAIL() << "no ExcelError";
    } catch (const ExcelError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Microsoft Excel\u00ae non risponde"));
    }
    EXPECT_EQ(transport.log.size(), 3);
    EXPECT_EQ(transport.lastTimeout, 10000);

    // A conversation busy for ever: the clock alone ends the wait.
    TickingClock orologio;
    FakeSheetTransport occupato;
    TExcel link(occupato, orologio);
    link.StartConversation();
    occupato.busy = true;
    EXPECT_THROW(link.WaitUntilReady(), ExcelError);
}

TEST(TCustomExcel, QueryItemWithoutReply)
{
    Link l;
    EXPECT_EQ(l.excel.QueryItem(QStringLiteral("Selection")), QStringLiteral("R1C1"));
    l.transport.noReply = true;
    EXPECT_EQ(l.excel.QueryItem(QStringLiteral("Selection")), QStringLiteral("*** Excel - No Reply ***"));
    EXPECT_FALSE(l.excel.IsReady());
}

TEST(TCustomExcel, StartConversationLaunchesAndLooksForTheProgram)
{
    QTemporaryDir cartella;
    ASSERT_TRUE(QDir(cartella.path()).mkpath(QStringLiteral("Office Mio")));
    const QString programma = cartella.path() + QStringLiteral("/Office Mio/excel");
    {
        QFile file(programma + QStringLiteral(".exe"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QHash<QString, QString> associazione{
        {QStringLiteral(".xls"), QStringLiteral("Excel.Sheet.8")},
        {QStringLiteral("Excel.Sheet.8\\shell\\Open\\command"), QStringLiteral("\"%1.exe\" /e").arg(programma)}};

    struct Caso
    {
        const char* nome;
        QString exeName;
        bool risponde;
        QString rispondeDopo; // the program whose launch brings the conversation
        bool associato;
        QStringList log;
        bool collegato;
    };
    const QString open = QStringLiteral("open Excel System");
    const QString selection = QStringLiteral("request Selection");
    const std::vector<Caso> casi{
        {"running", QStringLiteral("Excel"), true, {}, false, {open, selection}, true},
        {"launched",
         QStringLiteral("Excel"),
         false,
         QStringLiteral("Excel"),
         false,
         {open, QStringLiteral("launch Excel"), open, selection},
         true},
        {"no name",
         QString(),
         false,
         QStringLiteral("Excel System"),
         false,
         {open, QStringLiteral("launch Excel System"), open, selection},
         true},
        {"found through the association",
         QStringLiteral("Excel"),
         false,
         programma,
         true,
         {open, QStringLiteral("launch Excel"), open, open, QStringLiteral("launch %1").arg(programma), open},
         true},
        {"nowhere",
         QStringLiteral("Excel"),
         false,
         QStringLiteral("none"),
         false,
         {open, QStringLiteral("launch Excel"), open, open, QStringLiteral("launch Excel"), open},
         false},
    };
    for (const Caso& c : casi) {
        FakeClock clock;
        FakeSheetTransport transport;
        TExcel excel(transport, clock);
        excel.setExeName(c.exeName);
        transport.answers = c.risponde;
        transport.launchStarts = true;
        transport.answersAfterLaunching = c.rispondeDopo;
        if (c.associato)
            transport.associations = associazione;
        if (c.collegato) {
            EXPECT_NO_THROW(excel.StartConversation()) << c.nome;
        } else {
            try {
                excel.StartConversation();
                ADD_FAILURE() << c.nome << ": no ExcelError";
            } catch (const ExcelError& e) {
                EXPECT_EQ(e.message(), QStringLiteral("Excel could not be launched")) << c.nome;
            }
        }
        EXPECT_EQ(transport.log, c.log) << c.nome;
        EXPECT_EQ(excel.Connected(), c.collegato) << c.nome;
    }
}

TEST(TCustomExcel, LocateProgramKeepsOnlyAProgramThatIsThere)
{
    FakeClock clock;
    FakeSheetTransport transport;
    TExcel excel(transport, clock);
    excel.LocateProgram();
    EXPECT_EQ(excel.ExeName(), QStringLiteral("Excel")); // no association: nothing changes

    transport.associations = {{QStringLiteral(".xls"), QStringLiteral("Calc")},
                              {QStringLiteral("Calc\\shell\\Open\\command"), QStringLiteral("/usr/bin/calc %f")}};
    excel.LocateProgram();
    EXPECT_EQ(excel.ExeName(), QStringLiteral("Excel")); // not the program looked for

    transport.associations = {
        {QStringLiteral(".xls"), QStringLiteral("Excel.Sheet.8")},
        {QStringLiteral("Excel.Sheet.8\\shell\\Open\\command"), QStringLiteral("/nessuna/parte/EXCEL.EXE /e \"%1\"")}};
    excel.StartConversation();
    excel.LocateProgram();
    EXPECT_EQ(excel.ExeName(), QString());
    EXPECT_FALSE(excel.Connected()); // setting the program ends the conversation
}

TEST(TCustomExcel, EndingKeepsWhatWasSentOnlyWhenAsked)
{
    Link l;
    EXPECT_TRUE(l.excel.EndConversation(SheetTransport::Ending::Keep));
    EXPECT_EQ(l.transport.log.last(), QStringLiteral("close Keep"));
    EXPECT_FALSE(l.excel.EndConversation(SheetTransport::Ending::Keep)); // nothing left to keep
    EXPECT_TRUE(l.excel.EndConversation());

    l.excel.StartConversation();
    l.transport.failClose = true;
    EXPECT_FALSE(l.excel.EndConversation(SheetTransport::Ending::Keep));
}

} // namespace
