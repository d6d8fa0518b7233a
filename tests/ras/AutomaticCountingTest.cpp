#include "ras/AutomaticCounting.h"
#include "ras/RasTracker.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

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

TEST(AutomaticCounting, MarksTheStartAsAutomatic)
{
    Store st;
    st.set("ritardo", "flagAuto", "OFF");
    AutomaticCounting::markAutomaticStart(st.stato, st.store);
    EXPECT_EQ(st.stato.AvvioAutomatico, s("ON"));
    EXPECT_EQ(st.get("ritardo", "FlagAuto"), s("ON"));
}

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

// ---- the monitor and the handlers together, as the main window joins them ----

// The main window reduced to what the monitor drives: a session flag, the
// class, and the automatic start's marks.
struct Window
{
    Store st;
    RasTracker monitor;
    bool sessionOpen = false;
    int starts = 0;
    int stops = 0;
    QList<int> phases;

    Window()
    {
        monitor.setLanguage(RasTracker::Language::English);
        st.set("limiti", "ComboBox3_Text", "Casa");
        st.set("limiti", "ComboBox2_Text", "> 30");
    }
    void poll(const QList<DialUpSource::Connection>& connections)
    {
        const RasTracker::PollResult result = monitor.poll(connections);
        if (result.raisedPhase) {
            phases.append(*result.raisedPhase);
            AutomaticCounting::onConnectionStatus(*result.raisedPhase, monitor.connectedEntry(), st.stato, st.store);
        }
        switch (AutomaticCounting::onStatusChange(st.stato, monitor.isConnected(), sessionOpen)) {
        case Action::Start:
            AutomaticCounting::markAutomaticStart(st.stato, st.store);
            sessionOpen = true;
            ++starts;
            break;
        case Action::Stop:
            stopByHand();
            ++stops;
            break;
        case Action::None:
            break;
        }
    }
    void stopByHand()
    {
        sessionOpen = false;
        st.stato.AvvioAutomatico = s("OFF");
    }
    static QList<DialUpSource::Connection> casa(int state) { return {{s("Casa"), s("modem"), s("Modem"), state}}; }
};

TEST(AutomaticCountingWithMonitor, StartsWithinOnePollAndStopsWithinOnePoll)
{
    Window w;
    w.poll(Window::casa(DialUpSource::OpenPort));
    EXPECT_EQ(w.st.stato.TariffaCorrente, 4) << "the class is picked while dialling";
    EXPECT_EQ(w.starts, 0);
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.starts, 1);
    EXPECT_EQ(w.st.stato.AvvioAutomatico, s("ON"));
    EXPECT_EQ(w.monitor.connectedEntry(), s("Casa"));
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.starts, 1);
    w.poll({});
    EXPECT_EQ(w.stops, 1);
    EXPECT_FALSE(w.sessionOpen);
    EXPECT_EQ(w.phases, (QList<int>{0, 2}));
}

TEST(AutomaticCountingWithMonitor, ManualModePicksTheClassButNeverStartsOrStops)
{
    Window w;
    w.st.stato.ConteggioAutomatico = s("1");
    w.poll(Window::casa(DialUpSource::ConnectDevice));
    w.poll(Window::casa(DialUpSource::Connected));
    w.sessionOpen = true; // started by hand
    w.poll({});
    EXPECT_EQ(w.st.stato.TariffaCorrente, 4);
    EXPECT_EQ(w.starts, 0);
    EXPECT_EQ(w.stops, 0);
    EXPECT_TRUE(w.sessionOpen);
}

TEST(AutomaticCountingWithMonitor, ConnectionAlreadyUpStartsWithoutPickingTheClass)
{
    Window w;
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.phases, QList<int>{2});
    EXPECT_EQ(w.st.stato.TariffaCorrente, 1);
    EXPECT_EQ(w.st.get("callerId", "numero"), s("<missing>"));
    EXPECT_EQ(w.starts, 1);
}

TEST(AutomaticCountingWithMonitor, ManualStopWhileUpIsFollowedByANewStart)
{
    Window w;
    w.poll(Window::casa(DialUpSource::Connected));
    w.stopByHand();
    w.poll(Window::casa(DialUpSource::Connected));
    EXPECT_EQ(w.starts, 2);
    EXPECT_TRUE(w.sessionOpen);
    EXPECT_EQ(w.st.stato.AvvioAutomatico, s("ON"));
}

TEST(AutomaticCountingWithMonitor, RedialAfterAVanishedConnectionPicksTheClassAgain)
{
    Window w;
    w.poll(Window::casa(DialUpSource::OpenPort));
    w.poll(Window::casa(DialUpSource::Connected));
    w.poll({});
    w.st.stato.TariffaCorrente = 2; // changed by hand between the calls
    w.poll(Window::casa(DialUpSource::OpenPort));
    EXPECT_EQ(w.phases, (QList<int>{0, 2, 0}));
    EXPECT_EQ(w.st.stato.TariffaCorrente, 4);
}

} // namespace
