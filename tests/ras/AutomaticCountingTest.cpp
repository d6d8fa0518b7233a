#include "ras/AutomaticCounting.h"
#include "ras/DialUpCounting.h"
#include "ras/RasTracker.h"
#include "session/CountingSession.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeServizi.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using AutomaticCounting::Action;

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

struct Store
{
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;

    void set(const char* section, const char* value, const char* text)
    {
        store.writeText(s(section), s(value), s(text));
    }
    QString get(const char* section, const char* value) const
    {
        return store.readText(s(section), s(value), s("<missing>"));
    }
};

// ---- the decision at every status report ----

struct DecisionCase
{
    const char* mode;
    bool connected;
    bool sessionOpen;
    Action action;
};

void PrintTo(const DecisionCase& c, std::ostream* os)
{
    *os << "mode " << c.mode << (c.connected ? " up" : " down") << (c.sessionOpen ? " counting" : " idle");
}

class Decision : public ::testing::TestWithParam<DecisionCase>
{
};

TEST_P(Decision, FollowsTheConnectionOnlyInAutomaticMode)
{
    StatoProgramma stato;
    stato.ConteggioAutomatico = s(GetParam().mode);
    EXPECT_EQ(AutomaticCounting::onStatusChange(stato, GetParam().connected, GetParam().sessionOpen),
              GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Decision,
    ::testing::Values(DecisionCase{"0", true, false, Action::Start}, DecisionCase{"0", true, true, Action::None},
                      DecisionCase{"0", false, true, Action::Stop}, DecisionCase{"0", false, false, Action::None},
                      DecisionCase{"1", true, false, Action::None}, DecisionCase{"1", false, true, Action::None},
                      DecisionCase{"", true, false, Action::None}, DecisionCase{"00", true, false, Action::None}));

// ---- the class from the numbers table ----

struct ClassCase
{
    const char* name;
    std::vector<std::pair<const char*, const char*>> values; // Limiti value name -> text
    const char* entry;
    int expected; // 0: no class
};

void PrintTo(const ClassCase& c, std::ostream* os)
{
    *os << c.name;
}

class EntryClass : public ::testing::TestWithParam<ClassCase>
{
};

TEST_P(EntryClass, LastExactMatchWins)
{
    Store st;
    for (const auto& [value, text] : GetParam().values)
        st.set("limiti", value, text);
    EXPECT_EQ(AutomaticCounting::classOfEntry(st.store, s(GetParam().entry)).value_or(0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryClass,
    ::testing::Values(
        ClassCase{"FirstPair", {{"ComboBox3_Text", "Casa"}, {"ComboBox2_Text", "Tut"}}, "Casa", 1},
        ClassCase{"SecondPair", {{"ComboBox5_Text", "Casa"}, {"ComboBox7_Text", "< 15"}}, "Casa", 2},
        ClassCase{"ThirdPair", {{"ComboBox8_Text", "Casa"}, {"ComboBox10_Text", "15 - 30"}}, "Casa", 3},
        ClassCase{"FourthPair", {{"ComboBox11_Text", "Casa"}, {"ComboBox13_Text", "> 30"}}, "Casa", 4},
        ClassCase{"FifthPair", {{"ComboBox14_Text", "Casa"}, {"ComboBox16_Text", "< 15"}}, "Casa", 2},
        ClassCase{"ListedTwiceTheLaterWins",
                  {{"ComboBox3_Text", "Casa"},
                   {"ComboBox2_Text", "> 30"},
                   {"ComboBox11_Text", "Casa"},
                   {"ComboBox13_Text", "< 15"}},
                  "Casa",
                  2},
        ClassCase{"LaterUnsetPairLeavesNoClass",
                  {{"ComboBox3_Text", "Casa"}, {"ComboBox2_Text", "> 30"}, {"ComboBox5_Text", "Casa"}},
                  "Casa",
                  0},
        ClassCase{"UnsetTuTIsNoClass", {{"ComboBox3_Text", "Casa"}, {"ComboBox2_Text", "TuT"}}, "Casa", 0},
        ClassCase{"CaseCounts", {{"ComboBox3_Text", "casa"}, {"ComboBox2_Text", "> 30"}}, "Casa", 0},
        ClassCase{"DefaultNamesHaveTheUnsetClass", {}, "1", 0},
        ClassCase{"NoBlanksTrimmed", {{"ComboBox3_Text", "Casa "}, {"ComboBox2_Text", "> 30"}}, "Casa", 0}));

TEST(AutomaticCounting, DiallingRecordsTheEntryAndSetsTheClass)
{
    Store st;
    st.set("limiti", "ComboBox8_Text", "Ufficio");
    st.set("limiti", "ComboBox10_Text", "15 - 30");
    st.stato.TariffaCorrente = 1;
    EXPECT_TRUE(AutomaticCounting::onConnectionStatus(0, s("Ufficio"), st.stato, st.store));
    EXPECT_EQ(st.stato.TariffaCorrente, 3);
    EXPECT_EQ(st.get("callerId", "numero"), s("Ufficio"));

    // An entry the table does not know is still recorded; the class stays.
    EXPECT_TRUE(AutomaticCounting::onConnectionStatus(0, s("Altro"), st.stato, st.store));
    EXPECT_EQ(st.stato.TariffaCorrente, 3);
    EXPECT_EQ(st.get("callerId", "numero"), s("Altro"));
}

TEST(AutomaticCounting, OtherPhasesAreIgnored)
{
    Store st;
    st.set("limiti", "ComboBox3_Text", "Casa");
    st.set("limiti", "ComboBox2_Text", "> 30");
    for (int phase : {1, 2, 3}) {
        EXPECT_FALSE(AutomaticCounting::onConnectionStatus(phase, s("Casa"), st.stato, st.store));
        EXPECT_EQ(st.stato.TariffaCorrente, 1);
        EXPECT_EQ(st.get("callerId", "numero"), s("<missing>"));
    }
}

// ---- the monitor, DialUpCounting and the session together, as the main window joins them ----

struct Window : FakeServizi
{
    RasTracker monitor;
    CountingSession session{servizi, stato};
    DialUpCounting counting{session, stato, settings};
    int starts = 0; // automatic ones
    int stops = 0;
    QList<int> phases;

    Window()
    {
        configured(s("limiti"), s("ComboBox3_Text"), s("Casa"));
        configured(s("limiti"), s("ComboBox2_Text"), s("> 30"));
        stato.fromStore(store);
        monitor.setLanguage(RasTracker::Language::English);
        session.setNomeConnessione([this] { return monitor.connectedEntry(); });
        QObject::connect(&session, &CountingSession::started, [this](const SessionStart& start) {
            if (start.automatic)
                ++starts;
        });
        QObject::connect(&session, &CountingSession::stopped, [this] { ++stops; });
    }
    void poll(const QList<DialUpSource::Connection>& connections)
    {
        const RasTracker::PollResult result = monitor.poll(connections);
        if (result.raisedPhase) {
            phases.append(*result.raisedPhase);
            counting.connectionStatus(*result.raisedPhase, monitor.connectedEntry());
        }
        counting.statusChanged(monitor.isConnected());
    }
    bool sessionOpen() const { return session.isOpen(); }
    QString callerId() const { return store.readText(s("callerId"), s("numero"), s("<missing>")); }
    static QList<DialUpSource::Connection> casa(int state) { return {{s("Casa"), s("modem"), s("Modem"), state}}; }
};

TEST(AutomaticCountingWithMonitor, StartsWithinOnePollAndStopsWithinOnePoll)
{
    Window w;
    w.poll(Window::casa(DialUpSource::OpenPort));
    EXPECT_EQ(w.stato.TariffaCorrente, 4) << "the class is picked while dialling";
    EXPECT_EQ(w.starts, 0);
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.starts, 1);
    EXPECT_EQ(w.stato.AvvioAutomatico, s("ON"));
    EXPECT_EQ(w.monitor.connectedEntry(), s("Casa"));
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.starts, 1);
    w.poll({});
    EXPECT_EQ(w.stops, 1);
    EXPECT_FALSE(w.sessionOpen());
    EXPECT_EQ(w.phases, (QList<int>{0, 2}));
    EXPECT_EQ(w.records().at(0), QByteArray("06/12/1999 21.29.53 collegamento Aperto  041 Casa"));
}

TEST(AutomaticCountingWithMonitor, ManualModePicksTheClassButNeverStartsOrStops)
{
    Window w;
    w.stato.ConteggioAutomatico = s("1");
    w.poll(Window::casa(DialUpSource::ConnectDevice));
    w.poll(Window::casa(DialUpSource::Connected));
    w.session.start(); // by hand
    w.poll({});
    EXPECT_EQ(w.stato.TariffaCorrente, 4);
    EXPECT_EQ(w.starts, 0);
    EXPECT_EQ(w.stops, 0);
    EXPECT_TRUE(w.sessionOpen());
}

TEST(AutomaticCountingWithMonitor, ConnectionAlreadyUpStartsWithoutPickingTheClass)
{
    Window w;
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.phases, QList<int>{2});
    EXPECT_EQ(w.stato.TariffaCorrente, 1);
    EXPECT_EQ(w.callerId(), s("<missing>"));
    EXPECT_EQ(w.starts, 1);
}

TEST(AutomaticCountingWithMonitor, ManualStopWhileUpIsFollowedByANewStart)
{
    Window w;
    w.poll(Window::casa(DialUpSource::Connected));
    w.session.stop();
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.starts, 2);
    EXPECT_TRUE(w.sessionOpen());
    EXPECT_EQ(w.stato.AvvioAutomatico, s("ON"));
}

TEST(AutomaticCountingWithMonitor, RedialAfterAVanishedConnectionPicksTheClassAgain)
{
    Window w;
    w.poll(Window::casa(DialUpSource::OpenPort));
    w.poll(Window::casa(DialUpSource::Connected));
    w.poll({});
    w.stato.TariffaCorrente = 2; // changed by hand between the calls
    w.poll(Window::casa(DialUpSource::OpenPort));
    EXPECT_EQ(w.phases, (QList<int>{0, 2, 0}));
    EXPECT_EQ(w.stato.TariffaCorrente, 4);
}

} // namespace
