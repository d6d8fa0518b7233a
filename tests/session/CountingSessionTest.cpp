#include "session/CountingSession.h"
#include "archive/SessionMarker.h"
#include "tests/support/FakeServizi.h"

#include <gtest/gtest.h>

namespace {

// A program that has run before, with its session and what the session told.
struct Sessione : FakeServizi
{
    CountingSession session{servizi, stato};
    QList<SessionStart> starts;
    QList<SessionStop> stops;

    Sessione()
    {
        configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("2"));
        stato.fromStore(store);
        QObject::connect(&session, &CountingSession::started, [this](const SessionStart& s) { starts.append(s); });
        QObject::connect(&session, &CountingSession::stopped, [this](const SessionStop& s) { stops.append(s); });
    }
    QString flagAuto() const
    {
        return store.readText(QStringLiteral("ritardo"), QStringLiteral("flagauto"), QString());
    }
};

TEST(CountingSession, WritesTheOpeningAndTheClosingRecord)
{
    Sessione s;
    s.session.setNomeConnessione([] { return QStringLiteral("Casa"); });
    ASSERT_TRUE(s.session.start());
    EXPECT_EQ(s.stato.ConteggioInCorso, 1);
    ASSERT_EQ(s.starts.size(), 1);
    EXPECT_EQ(s.starts[0].start, s.clock.now());
    EXPECT_FALSE(s.starts[0].automatic);
    EXPECT_EQ(s.starts[0].nomeConnessione, QStringLiteral("Casa"));
    EXPECT_EQ(s.starts[0].meter.costo, QStringLiteral("152"));
    EXPECT_TRUE(s.starts[0].messages.isEmpty());
    EXPECT_FALSE(s.session.start());

    s.clock.advance((12 * 60 + 5) * 1000);
    ASSERT_TRUE(s.session.stop());
    EXPECT_FALSE(s.session.stop());
    EXPECT_EQ(s.stato.ConteggioInCorso, 0);
    ASSERT_EQ(s.stops.size(), 1);
    EXPECT_EQ(s.stops[0].end, QDateTime(QDate(1999, 12, 6), QTime(21, 42, 10)));
    EXPECT_EQ(s.archiveBytes(), QByteArray("06/12/1999 21.30.05 collegamento Aperto  021 Casa\r\n"
                                           "06/12/1999 21.42.10 collegamento Chiuso  021\r\n"));
}

TEST(CountingSession, AnAutomaticStartIsBackdatedByTheDelay)
{
    Sessione s;
    s.at(QDateTime(QDate(2000, 1, 2), QTime(0, 0, 5)));
    ASSERT_TRUE(s.session.startAutomatic());
    EXPECT_EQ(s.stato.AvvioAutomatico, QStringLiteral("ON"));
    EXPECT_EQ(s.flagAuto(), QStringLiteral("ON"));
    EXPECT_TRUE(s.starts[0].automatic);
    EXPECT_EQ(s.starts[0].start, QDateTime(QDate(2000, 1, 1), QTime(23, 59, 53)));
    EXPECT_EQ(s.records().at(0), QByteArray("01/01/2000 23.59.53 collegamento Aperto  021 "));
    EXPECT_FALSE(s.session.startAutomatic());

    s.clock.advance(60000);
    s.session.stop();
    EXPECT_EQ(s.records().at(1), QByteArray("02/01/2000 00.01.05 collegamento Chiuso  021"));
    EXPECT_EQ(s.stato.AvvioAutomatico, QStringLiteral("OFF"));
    EXPECT_EQ(s.flagAuto(), QStringLiteral("OFF"));
}

TEST(CountingSession, StartMomentOfAnAutomaticStart)
{
    struct Case
    {
        QString avvio;
        int ritardo;
        QDateTime adesso;
        QDateTime expected;
        std::optional<QDateTime> ultimaChiusura = std::nullopt;
    };
    const QDateTime dopoMezzanotte(QDate(2000, 1, 2), QTime(0, 0, 5));
    const QDateTime lunedi10(QDate(1999, 12, 6), QTime(10, 0));
    const std::vector<Case> cases{
        {QStringLiteral("OFF"), 12, dopoMezzanotte, dopoMezzanotte},
        {QStringLiteral("ON"), 12, dopoMezzanotte, QDateTime(QDate(2000, 1, 1), QTime(23, 59, 53))},
        {QStringLiteral("ON"), 75, lunedi10, lunedi10.addSecs(-59)},
        {QStringLiteral("ON"), -3, lunedi10, lunedi10},
        // Never before the last closing record, nor after the start itself.
        {QStringLiteral("ON"), 12, lunedi10, lunedi10.addSecs(-5), lunedi10.addSecs(-5)},
        {QStringLiteral("ON"), 12, lunedi10, lunedi10.addSecs(-12), lunedi10.addSecs(-20)},
        {QStringLiteral("ON"), 12, lunedi10, lunedi10, lunedi10.addSecs(30)},
        {QStringLiteral("OFF"), 12, lunedi10, lunedi10, lunedi10.addSecs(30)},
    };
    for (const Case& c : cases) {
        StatoProgramma stato;
        stato.AvvioAutomatico = c.avvio;
        stato.RitardoAvvio = c.ritardo;
        EXPECT_EQ(CountingSession::inizioSessione(stato, c.adesso, c.ultimaChiusura), c.expected) << c.ritardo;
    }
}

// A stop by hand while the line stays up, and the next poll's automatic start
// (of this run, or of the next one after a repair): the new session begins
// where the archive's last closing record left off.
TEST(CountingSession, AnAutomaticRestartNeverOverlapsTheLastSession)
{
    Sessione s;
    CountingSession nextRun(s.servizi, s.stato);
    for (CountingSession* session : {&s.session, &s.session, &nextRun}) {
        ASSERT_TRUE(session->startAutomatic());
        s.clock.advance(60500);
        session->stop();
    }
    EXPECT_EQ(s.records().mid(1, 4), (QList<QByteArray>{"06/12/1999 21.31.05 collegamento Chiuso  021",
                                                        "06/12/1999 21.31.05 collegamento Aperto  021 ",
                                                        "06/12/1999 21.32.06 collegamento Chiuso  021",
                                                        "06/12/1999 21.32.06 collegamento Aperto  021 "}));
}

// A jump of the clock, either way, between two heartbeats (no logind told of
// a suspend) closes the session at the last beat, once, saying so; the
// crash-state file keeps that moment when the closing record cannot be written.
TEST(CountingSession, AClockJumpClosesTheSessionAtTheLastBeat)
{
    for (const qint64 salto : {2 * 3600 * 1000, -5 * 60 * 1000}) {
        Sessione s;
        const QDateTime inizio = s.clock.now();
        ASSERT_TRUE(s.session.start());
        s.clock.advance(1000);
        s.session.battito(s.clock.now());
        const QDateTime ultimo = s.clock.now();
        QFile::remove(s.archive());
        ASSERT_TRUE(QDir().mkdir(s.archive()));
        s.clock.advance(salto);
        s.session.battito(s.clock.now());
        s.session.battito(s.clock.now().addSecs(1));
        ASSERT_EQ(s.stops.size(), 1) << salto;
        EXPECT_EQ(s.stops[0].end, ultimo);
        EXPECT_TRUE(s.stops[0].messages.at(0).text.startsWith(
            QStringLiteral("L'orologio del computer è saltato da 06/12/1999 21.30.06 a ")));
        EXPECT_EQ(SessionMarker(s.dirs.data()).leggi()->momento, ultimo);
        // The meter's word of the same jump, come once a new session has begun, stops nothing.
        ASSERT_TRUE(s.session.start());
        s.session.stopAtClockJump(inizio, ultimo, s.clock.now());
        EXPECT_TRUE(s.session.isRunning());
    }
}

// A settings folder that cannot be written loses the flag kept for the next
// run, never the session's own: the record is still backdated.
TEST(CountingSession, AnUnwritableStoreKeepsTheAutomaticStartRight)
{
    Sessione s;
    s.memory.locked = true;
    s.prompter.expectContaining(QStringLiteral("Impossibile salvare le impostazioni"));
    ASSERT_TRUE(s.session.startAutomatic());
    EXPECT_EQ(s.records().at(0), QByteArray("06/12/1999 21.29.53 collegamento Aperto  021 "));
    s.session.stop();
    EXPECT_EQ(s.prompter.shown.size(), 1);
    EXPECT_EQ(s.records().size(), 2);
}

TEST(CountingSession, TheStopRestoresTheUnitPrice)
{
    Sessione s;
    s.session.start();
    s.stato.CostoScatto = QStringLiteral("76");
    s.stato.RiduzioneTeleAttiva = 1;
    s.session.stop();
    EXPECT_EQ(s.stato.CostoScatto, QStringLiteral("152"));
    EXPECT_EQ(s.stato.RiduzioneTeleAttiva, 0);
}

// The meter reports the reduction; the session keeps it while it runs.
TEST(CountingSession, KeepsTheReductionTheMeterReports)
{
    Sessione s;
    CostMeter::Tick riduzione;
    riduzione.riduzioneTele = true;
    s.session.meterTicked(riduzione);
    EXPECT_EQ(s.stato.RiduzioneTeleAttiva, 0);
    s.session.start();
    s.session.meterTicked(CostMeter::Tick());
    EXPECT_EQ(s.stato.RiduzioneTeleAttiva, 0);
    s.session.meterTicked(riduzione);
    EXPECT_EQ(s.stato.RiduzioneTeleAttiva, 1);
    s.session.stop();
    EXPECT_EQ(s.stato.RiduzioneTeleAttiva, 0);
}

// The windows let events run while they show a start or a stop: whatever
// those events ask of the session is refused, or waits when it must happen.
TEST(CountingSession, StartsAndStopsAreNotReentrant)
{
    Sessione s;
    int refused = 0;
    bool once = true;
    QObject::connect(&s.session, &CountingSession::started, [&] {
        if (!once)
            return;
        once = false;
        EXPECT_TRUE(s.session.isOpen());
        refused += !s.session.start();
        refused += !s.session.startAutomatic();
        refused += !s.session.stop();
        s.session.stopWhenPossible();
        EXPECT_EQ(s.records().size(), 1);
    });
    s.session.start();
    EXPECT_EQ(refused, 3);
    EXPECT_FALSE(s.session.isOpen());
    EXPECT_EQ(s.records().size(), 2);
    EXPECT_EQ(s.stato.AvvioAutomatico, QStringLiteral("OFF"));
}

TEST(CountingSession, FinishingWaitsForAStartUnderWay)
{
    Sessione s;
    int finished = 0;
    QObject::connect(&s.session, &CountingSession::finished, [&] { ++finished; });
    bool once = true;
    QObject::connect(&s.session, &CountingSession::started, [&] {
        if (std::exchange(once, false))
            s.session.finish();
        EXPECT_EQ(finished, 0);
    });
    s.session.start();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(s.records().size(), 2);

    s.session.finish();
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(s.records().size(), 2);
}

// The archive's own messages and the settings read as their defaults travel
// with the start, for the window to show.
TEST(CountingSession, TellsTheWindowWhatTheUserMustHear)
{
    Sessione s;
    QFile::remove(s.archive());
    s.store.writeText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("152,5"));
    s.session.start();
    const QList<Message> expected{{QStringLiteral("Costo scatto non valido: '152,5'")},
                                  {QStringLiteral("Creazione archivio chiamate")}};
    EXPECT_EQ(s.starts[0].messages, expected);
    EXPECT_EQ(s.starts[0].meter.costo, QStringLiteral("000"));
    EXPECT_EQ(s.records().size(), 1);

    QFile::remove(s.archive());
    ASSERT_TRUE(QDir().mkdir(s.archive()));
    s.session.stop();
    ASSERT_EQ(s.stops[0].messages.size(), 1);
    EXPECT_TRUE(s.stops[0].messages[0].text.startsWith(QStringLiteral("Impossibile scrivere nell'archivio chiamate")));
    EXPECT_EQ(s.stato.ConteggioInCorso, 0);
}

TEST(CountingSession, TheProgramsCloseLeavesNoAutomaticFlag)
{
    Sessione s;
    s.store.writeText(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("ON"));
    s.session.close();
    EXPECT_EQ(s.flagAuto(), QStringLiteral("OFF"));
}

} // namespace
