#include "ras/RasTracker.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Connection = DialUpSource::Connection;
using Connections = std::optional<QList<Connection>>;

constexpr int noConnection = -1;
constexpr int enumerationFails = -2;
constexpr int none = -1;

Connections input(int state)
{
    if (state == enumerationFails)
        return std::nullopt;
    if (state == noConnection)
        return QList<Connection>();
    return QList<Connection>{{QStringLiteral("Casa"), QStringLiteral("modem"), QStringLiteral("Modem 56k"), state}};
}

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// ---- the state table ----

struct StateCase
{
    int state;
    int phase; // none: the phase is left as it is
    const char* english;
    const char* croatian;
};

void PrintTo(const StateCase& c, std::ostream* os)
{
    *os << "state " << c.state;
}

class StateTable : public ::testing::TestWithParam<StateCase>
{
};

TEST_P(StateTable, GivesPhaseAndTexts)
{
    const StateCase& c = GetParam();
    const std::optional<int> phase = RasTracker::phaseOf(c.state);
    EXPECT_EQ(phase.value_or(none), c.phase);
    EXPECT_EQ(RasTracker::stateText(c.state, RasTracker::Language::English), u8(c.english));
    EXPECT_EQ(RasTracker::stateText(c.state, RasTracker::Language::Croatian), u8(c.croatian));
}

INSTANTIATE_TEST_SUITE_P(
    States, StateTable,
    ::testing::Values(StateCase{0, 0, "Opening comm port", "Otvaranje komunikacijskog porta"},
                      StateCase{1, 0, "Comm port opened", "Komunikacijski port je otvoren"},
                      StateCase{2, 0, "A device is about to be connected", "Spajamo se na mrežu"},
                      StateCase{3, 0, "A device has connected successfully", "Uređaj se uspješno spojio"},
                      StateCase{4, 0, "All devices in the device chain have successfully connected",
                                "Svi uređaji su se uspješno spojili"},
                      StateCase{5, 1, "The authentication process is starting", "Počinje provjera podataka"},
                      StateCase{19, 1, "User authentication is being initiated or retried",
                                "Počinje provjera podataka"},
                      StateCase{14, 1, "The client has successfully completed authentication", "Podaci su provjereni"},
                      StateCase{21, 0, "Client is logging on to the network", "Logiranje na mrežu"},
                      StateCase{8192, 2, "Connected succesfully", "Spojeni smo"},
                      StateCase{8193, 3, "Disconnected or failed connection", "Nismo spojeni"},
                      StateCase{6, none, "", ""}, StateCase{4096, none, "", ""}, StateCase{-1, none, "", ""}));

// ---- the phase machine over several polls ----

struct Scenario
{
    const char* name;
    std::vector<int> polls;      // a state, noConnection or enumerationFails
    std::vector<int> raised;     // the phase announced by each poll, or none
    std::vector<bool> connected; // IsConnected after each poll
};

void PrintTo(const Scenario& s, std::ostream* os)
{
    *os << s.name;
}

class PhaseMachine : public ::testing::TestWithParam<Scenario>
{
};

TEST_P(PhaseMachine, AnnouncesEachNewPhaseOnce)
{
    const Scenario& s = GetParam();
    ASSERT_EQ(s.polls.size(), s.raised.size());
    ASSERT_EQ(s.polls.size(), s.connected.size());
    RasTracker tracker;
    for (size_t i = 0; i < s.polls.size(); ++i) {
        const RasTracker::PollResult result = tracker.poll(input(s.polls[i]));
        EXPECT_EQ(result.raisedPhase.value_or(none), s.raised[i]) << "poll " << i;
        EXPECT_EQ(tracker.isConnected(), s.connected[i]) << "poll " << i;
    }
}

constexpr bool T = true;
constexpr bool F = false;

INSTANTIATE_TEST_SUITE_P(
    Polls, PhaseMachine,
    ::testing::Values(
        Scenario{"DialToConnected",
                 {0, 0, 2, 3, 5, 5, 14, 8192, 8192, 8192},
                 {0, none, none, none, 1, none, none, 2, none, none},
                 {F, F, F, F, F, F, F, T, T, T}},
        Scenario{"AlreadyUpAtStart", {8192, 8192}, {2, none}, {T, T}},
        Scenario{"VanishedRaisesNothingAndTheNextDialRaisesDialling",
                 {8192, noConnection, noConnection, 0, 8192},
                 {2, none, none, 0, 2},
                 {T, F, F, F, T}},
        Scenario{
            "HungUpRaisesNotConnected", {0, 8192, 8193, 8193, noConnection}, {0, 2, 3, none, none}, {F, T, F, F, F}},
        Scenario{"DisconnectedSeenFirst", {8193, 8193}, {3, none}, {F, F}},
        Scenario{"LogonAfterAuthenticationCountsAsDialling", {5, 21, 21, 8192}, {1, 0, none, 2}, {F, F, F, T}},
        Scenario{"UnknownStateKeepsPhaseAndConnection", {8192, 7, 8192}, {2, none, none}, {T, T, T}},
        Scenario{"UnknownStateFirstAnnouncesTheStartingPhase", {7}, {3}, {F}},
        Scenario{"FailedEnumerationIsNoConnection", {8192, enumerationFails, 8192}, {2, none, 2}, {T, F, T}},
        Scenario{"NothingToSee", {noConnection, enumerationFails}, {none, none}, {F, F}}));

// ---- status text, entry and number ----

TEST(RasTracker, StatusIsDeviceTypeNameAndStateText)
{
    RasTracker tracker;
    tracker.setLanguage(RasTracker::Language::English);
    auto first = tracker.poll(input(DialUpSource::Connected));
    EXPECT_EQ(tracker.status(), QStringLiteral("modem Modem 56k Connected succesfully"));
    EXPECT_TRUE(first.statusChanged);
    EXPECT_FALSE(tracker.poll(input(DialUpSource::Connected)).statusChanged);

    auto unknown = tracker.poll(input(7));
    EXPECT_EQ(tracker.status(), QStringLiteral("modem Modem 56k "));
    EXPECT_TRUE(unknown.statusChanged);

    auto gone = tracker.poll(input(noConnection));
    EXPECT_EQ(tracker.status(), QStringLiteral("Disconnected or failed connection"));
    EXPECT_TRUE(gone.statusChanged);
    // With nothing to see, the status stays the same from poll to poll.
    EXPECT_FALSE(tracker.poll(input(noConnection)).statusChanged);
    EXPECT_FALSE(tracker.poll(input(enumerationFails)).statusChanged);
}

TEST(RasTracker, CroatianUntilToldOtherwise)
{
    RasTracker tracker;
    EXPECT_EQ(tracker.language(), RasTracker::Language::Croatian);
    EXPECT_EQ(tracker.phase(), RasTracker::PhaseNotConnected);
    EXPECT_TRUE(tracker.status().isEmpty());
    tracker.poll(input(noConnection));
    EXPECT_EQ(tracker.status(), QStringLiteral("Nismo spojeni"));
}

TEST(RasTracker, KeepsTheLastNonEmptyTextsOfSeveralConnections)
{
    RasTracker tracker;
    tracker.setLanguage(RasTracker::Language::English);
    tracker.setPhoneBook({{QStringLiteral("Casa"), QStringLiteral("0612345")},
                          {QStringLiteral("Ufficio"), QStringLiteral("0298765")},
                          {QStringLiteral("Casa"), QStringLiteral("0611111")}});
    tracker.poll(QList<Connection>{{QStringLiteral("Ufficio"), QStringLiteral("isdn"), QStringLiteral("Scheda"), 0},
                                   {QStringLiteral("Casa"), QString(), QString(), DialUpSource::Authenticate}});
    EXPECT_EQ(tracker.status(), QStringLiteral("isdn Scheda The authentication process is starting"));
    EXPECT_EQ(tracker.connectedEntry(), QStringLiteral("Casa"));
    EXPECT_EQ(tracker.connectedNumber(), QStringLiteral("0611111")) << "the last entry of that name";
    EXPECT_EQ(tracker.phase(), RasTracker::PhaseAuthenticating);
}

TEST(RasTracker, NumberOfAnUnknownOrUnreadableEntryIsEmpty)
{
    RasTracker tracker;
    tracker.setPhoneBook({{QStringLiteral("Casa"), std::nullopt}, {QStringLiteral("Ufficio"), QStringLiteral("02")}});
    EXPECT_EQ(tracker.availableEntries(), (QStringList{QStringLiteral("Casa"), QStringLiteral("Ufficio")}));
    EXPECT_EQ(tracker.availableNumbers(), (QStringList{QString(), QStringLiteral("02")}));

    tracker.poll(QList<Connection>{{QStringLiteral("Altro"), QString(), QString(), DialUpSource::Connected}});
    EXPECT_EQ(tracker.connectedEntry(), QStringLiteral("Altro"));
    EXPECT_TRUE(tracker.connectedNumber().isEmpty());

    tracker.poll(QList<Connection>());
    EXPECT_TRUE(tracker.connectedEntry().isEmpty());
    EXPECT_TRUE(tracker.connectedNumber().isEmpty());
}

TEST(RasTracker, TwoConnectionsInTheSameNewPhaseAnnounceItOnce)
{
    RasTracker tracker;
    const QList<Connection> both{{QStringLiteral("A"), QString(), QString(), DialUpSource::Connected},
                                 {QStringLiteral("B"), QString(), QString(), DialUpSource::Connected}};
    EXPECT_EQ(tracker.poll(both).raisedPhase, std::optional<int>(RasTracker::PhaseConnected));
    EXPECT_EQ(tracker.poll(both).raisedPhase, std::nullopt);
    EXPECT_EQ(tracker.pollCounter(), 2);
}

} // namespace
