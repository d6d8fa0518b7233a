#include "ras/DialUpCounting.h"
#include "ras/RasTracker.h"
#include "session/CountingSession.h"
#include "tests/support/FakeServizi.h"

#include <gtest/gtest.h>

namespace {

const QString casa = QStringLiteral("Casa");

// Counting that follows the connection, the entry Casa being class 2.
struct Automatico : FakeServizi
{
    CountingSession session{servizi, stato};
    DialUpCounting counting{session, stato, settings};
    QList<int> classes;

    explicit Automatico(const char* mode = "0", const char* tipo = "0")
    {
        configured(QStringLiteral("limiti"), QStringLiteral("RadioGroup4_ItemIndex"), QLatin1String(mode));
        configured(QStringLiteral("limiti"), QStringLiteral("ComboBox3_Text"), casa);
        configured(QStringLiteral("limiti"), QStringLiteral("ComboBox2_Text"), QStringLiteral("< 15"));
        configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QLatin1String(tipo));
        stato.fromStore(store);
        session.setNomeConnessione([] { return casa; });
        QObject::connect(&counting, &DialUpCounting::classChosen, [this](int c) { classes.append(c); });
    }
};

class EveryDisplayMode : public ::testing::TestWithParam<const char*>
{
};

// Whichever window shows the session (the compact strip in mode 2), the
// connection starts it, backdated, and its end stops it.
TEST_P(EveryDisplayMode, TheConnectionStartsAndStopsTheSession)
{
    Automatico a("0", GetParam());
    a.counting.connectionStatus(RasTracker::PhaseDialling, casa);
    EXPECT_EQ(a.classes, QList<int>{2});
    EXPECT_EQ(a.stato.TariffaCorrente, 2);
    EXPECT_EQ(a.store.readText(QStringLiteral("callerId"), QStringLiteral("numero"), QString()), casa);

    a.counting.statusChanged(true);
    EXPECT_TRUE(a.session.isRunning());
    EXPECT_EQ(a.records(), QList<QByteArray>{"06/12/1999 21.29.53 collegamento Aperto  021 Casa"});
    a.counting.statusChanged(true);
    EXPECT_EQ(a.records().size(), 1);

    a.clock.advance(60000);
    a.counting.statusChanged(false);
    EXPECT_FALSE(a.session.isRunning());
    EXPECT_EQ(a.records().at(1), QByteArray("06/12/1999 21.31.05 collegamento Chiuso  021"));
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryDisplayMode, ::testing::Values("0", "1", "2", "3"));

// logind's PrepareForSleep: the session ends at the suspend, the line still
// up before the sleep starts nothing, and once awake the line up counts again.
TEST(DialUpCounting, ASuspendEndsTheSessionAndTheWakeUpCountsAgain)
{
    Automatico a;
    a.counting.statusChanged(true);
    a.clock.advance(60000);
    a.counting.prepareForSleep(true);
    a.counting.statusChanged(true);
    EXPECT_FALSE(a.session.isRunning());
    a.clock.advance(3 * 3600 * 1000);
    a.counting.prepareForSleep(false);
    a.counting.statusChanged(true);
    EXPECT_TRUE(a.session.isRunning());
    EXPECT_EQ(a.records(), (QList<QByteArray>{"06/12/1999 21.29.53 collegamento Aperto  011 Casa",
                                              "06/12/1999 21.31.05 collegamento Chiuso  011",
                                              "07/12/1999 00.30.53 collegamento Aperto  011 Casa"}));
}

TEST(DialUpCounting, ManualCountingOnlyPicksTheClass)
{
    Automatico a("1");
    a.counting.connectionStatus(RasTracker::PhaseDialling, casa);
    a.counting.statusChanged(true);
    EXPECT_FALSE(a.session.isOpen());
    EXPECT_EQ(a.classes, QList<int>{2});
    a.counting.connectionStatus(2, casa);
    EXPECT_EQ(a.classes.size(), 1);
}

TEST(DialUpCounting, AManualSessionEndsWithTheConnection)
{
    Automatico a;
    a.session.start();
    a.counting.statusChanged(false);
    EXPECT_FALSE(a.session.isOpen());
    EXPECT_EQ(a.records().size(), 2);
    EXPECT_TRUE(a.records().at(0).endsWith(" 011 Casa"));
}

} // namespace
