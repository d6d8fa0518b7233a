#include "platform/PppDialUpSource.h"
#include "ras/RasTracker.h"
#include "tests/support/FakeShell.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// A root directory laid out like the parts of a system the pppd source reads.
struct Tree
{
    TestDirs dirs;
    QString root = dirs.path() + s("/root");
    FakeShell shell;
    PppDialUpSource source{shell, root};

    Tree() { QDir().mkpath(root + s("/proc")); }

    void write(const QString& relative, const QByteArray& content)
    {
        const QString file = root + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file.toStdString();
        out.write(content);
    }
    void write(const char* relative, const char* content) { write(s(relative), QByteArray(content)); }
    void remove(const char* relative)
    {
        const QString target = root + QLatin1Char('/') + s(relative);
        if (QFileInfo(target).isDir())
            QDir(target).removeRecursively();
        else
            QFile::remove(target);
    }
    // A running pppd with its command line.
    void pppd(int pid, const QByteArray& cmdline)
    {
        write(QStringLiteral("proc/%1/comm").arg(pid), "pppd\n");
        write(QStringLiteral("proc/%1/cmdline").arg(pid), cmdline);
    }
    std::optional<QString> numberOf(const QString& entry)
    {
        const auto book = source.phoneBook();
        if (!book)
            return s("<no phone book>");
        for (const DialUpSource::PhoneBookEntry& e : *book) {
            if (e.name == entry)
                return e.number;
        }
        return s("<not listed>");
    }
};

const QByteArray callCasa("/usr/sbin/pppd\0call\0casa\0", 25);

// ---- the phone book ----

struct NumberCase
{
    const char* name;
    const char* peer;       // etc/ppp/peers/casa
    const char* scriptName; // a file below the root, or nullptr
    const char* script;
    const char* number;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << c.name;
}

class PeerNumber : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(PeerNumber, ComesFromTheChatScript)
{
    Tree t;
    t.write("etc/ppp/peers/casa", GetParam().peer);
    if (GetParam().scriptName)
        t.write(GetParam().scriptName, GetParam().script);
    EXPECT_EQ(t.numberOf(s("casa")), std::optional<QString>(s(GetParam().number)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeerNumber,
    ::testing::Values(NumberCase{"DashTIntoTheScriptsBackslashT",
                                 "/dev/ttyS0\nconnect \"/usr/sbin/chat -v -f /etc/chatscripts/pap -T 0612345\"\n",
                                 "etc/chatscripts/pap", "ABORT BUSY\n'' ATZ\nOK-AT-OK ATDT\\T\nCONNECT \\d\\c\n",
                                 "0612345"},
                      NumberCase{"AttachedDashT", "connect '/usr/sbin/chat -v -f /etc/chatscripts/pap -T0698'\n",
                                 "etc/chatscripts/pap", "OK ATDT\\T\n", "0698"},
                      NumberCase{"InlineScript", "connect \"/usr/sbin/chat -v '' ATZ OK ATDT0612345 CONNECT ''\"\n",
                                 nullptr, nullptr, "0612345"},
                      NumberCase{"LiteralNumberInTheScriptFile", "connect \"chat -f /etc/chatscripts/casa.chat\"\n",
                                 "etc/chatscripts/casa.chat", "# prova\n'' ATZ\nOK \"ATDT 02 1234567\"\n",
                                 "02 1234567"},
                      NumberCase{"ScriptNamedAfterTheEntry", "connect /usr/local/bin/connetti\n",
                                 "etc/chatscripts/casa", "'' ATZ OK ATDP0612\n", "0612"},
                      NumberCase{"PlainATD", "connect \"chat '' atd0612\"\n", nullptr, nullptr, "0612"},
                      NumberCase{"DashTWithoutAReadableScript",
                                 "connect \"chat -f /etc/chatscripts/missing -T 0655\"\n", nullptr, nullptr, "0655"},
                      NumberCase{"CommentedConnectIgnored",
                                 "# connect \"chat '' ATDT111\"\nconnect \"chat '' ATDT222\" # old: ATDT333\n", nullptr,
                                 nullptr, "222"},
                      NumberCase{"NoNumberAnywhere", "noauth\ndefaultroute\n", nullptr, nullptr, ""}));

TEST(PppPhoneBook, ListsThePeersFilesByName)
{
    Tree t;
    t.write("etc/ppp/peers/ufficio", "");
    t.write("etc/ppp/peers/casa", "");
    t.write("etc/ppp/peers/casa~", "");
    t.write("etc/ppp/peers/casa.dpkg-old", "");
    t.write("etc/ppp/peers/.nascosto", "");
    QDir().mkpath(t.root + s("/etc/ppp/peers/cartella"));
    const auto book = t.source.phoneBook();
    ASSERT_TRUE(book);
    QStringList names;
    for (const auto& entry : *book)
        names.append(entry.name);
    EXPECT_EQ(names, (QStringList{s("casa"), s("ufficio")}));
}

TEST(PppPhoneBook, NoPeersFolderIsAnEmptyPhoneBook)
{
    Tree t;
    const auto book = t.source.phoneBook();
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->isEmpty());
}

TEST(PppPhoneBook, AnEntryThatCannotBeReadIsListedWithoutANumber)
{
    Tree t;
    t.write("etc/ppp/peers/casa", "connect \"chat '' ATDT0612\"\n");
    ASSERT_TRUE(QFile::link(t.root + s("/nowhere"), t.root + s("/etc/ppp/peers/rotto")));
    const auto book = t.source.phoneBook();
    ASSERT_TRUE(book);
    EXPECT_EQ(*book, (QList<DialUpSource::PhoneBookEntry>{{s("casa"), s("0612")}, {s("rotto"), std::nullopt}}));
}

TEST(PppPhoneBook, AFileOfAnotherGroupIsUnreadable)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    Tree t;
    t.write("etc/ppp/peers/casa", "connect \"chat '' ATDT0612\"\n");
    QFile::setPermissions(t.root + s("/etc/ppp/peers/casa"), QFileDevice::WriteOwner);
    EXPECT_EQ(t.numberOf(s("casa")), std::nullopt);
}

// ---- connections ----

TEST(PppConnections, FromDiallingToConnectedToGone)
{
    Tree t;
    t.write("etc/ppp/peers/casa", "/dev/ttyS0\n115200\nconnect \"chat '' ATDT0612\"\n");
    RasTracker monitor;
    QList<int> phases;
    auto poll = [&] {
        const auto connections = t.source.connections();
        if (const auto raised = monitor.poll(connections).raisedPhase)
            phases.append(*raised);
        return connections;
    };

    auto seen = poll();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->isEmpty());

    t.pppd(4242, callCasa);
    seen = poll();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0),
              (DialUpSource::Connection{s("casa"), s("modem"), s("/dev/ttyS0"), DialUpSource::ConnectDevice}));

    t.write("run/ppp-casa.pid", "4242\n");
    EXPECT_EQ(poll()->at(0).state, DialUpSource::ConnectDevice);

    t.write("run/ppp-casa.pid", "4242\nppp0\n");
    t.write("sys/class/net/ppp0/flags", "0x1090\n");
    EXPECT_EQ(poll()->at(0).state, DialUpSource::DeviceConnected);
    EXPECT_FALSE(monitor.isConnected());

    t.write("sys/class/net/ppp0/flags", "0x1091\n");
    EXPECT_EQ(poll()->at(0).state, DialUpSource::Connected);
    EXPECT_TRUE(monitor.isConnected());
    EXPECT_EQ(monitor.connectedEntry(), s("casa"));

    t.remove("proc/4242");
    t.remove("run/ppp-casa.pid");
    t.remove("sys/class/net/ppp0");
    EXPECT_TRUE(poll()->isEmpty());
    EXPECT_FALSE(monitor.isConnected());
    EXPECT_EQ(phases, (QList<int>{0, 2}));
}

TEST(PppConnections, ALinkThatGoesDownWhilePppdRunsIsDisconnected)
{
    Tree t;
    t.pppd(300, callCasa);
    t.write("run/pppd/ppp-casa.pid", "300\nppp1\n");
    t.write("sys/class/net/ppp1/flags", "0x1091");
    EXPECT_EQ(t.source.connections()->at(0).state, DialUpSource::Connected);

    t.remove("sys/class/net/ppp1");
    EXPECT_EQ(t.source.connections()->at(0).state, DialUpSource::Disconnected);
    EXPECT_EQ(t.source.connections()->at(0).state, DialUpSource::Disconnected);

    t.write("sys/class/net/ppp1/flags", "0x1091");
    EXPECT_EQ(t.source.connections()->at(0).state, DialUpSource::Connected) << "pppd redialled";

    // A new pppd with the same number after the old one ended starts afresh.
    t.remove("proc/300");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    t.remove("sys/class/net/ppp1");
    t.pppd(300, callCasa);
    EXPECT_EQ(t.source.connections()->at(0).state, DialUpSource::DeviceConnected);
}

TEST(PppConnections, WithoutALinkNameTheInterfacePidFileAndTheCommandLineServe)
{
    Tree t;
    t.pppd(77, callCasa);
    t.write("run/ppp0.pid", "77\n");
    t.write("sys/class/net/ppp0/flags", "0x11");
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0), (DialUpSource::Connection{s("casa"), s("modem"), s("ppp0"), DialUpSource::Connected}));
}

TEST(PppConnections, WithoutACallTheLinkNameIsTheEntry)
{
    Tree t;
    t.pppd(90, QByteArray("pppd\0file\0/etc/ppp/lavoro\0", 26));
    t.write("run/ppp-lavoro.pid", "90\nppp2\n");
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0).entry, s("lavoro"));
    EXPECT_EQ(seen->at(0).deviceName, s("ppp2"));
    EXPECT_EQ(seen->at(0).state, DialUpSource::DeviceConnected);
}

TEST(PppConnections, OnlyLivePppdProcessesCount)
{
    Tree t;
    t.write("run/ppp-casa.pid", "555\nppp0\n"); // left behind by a pppd that died
    t.write("sys/class/net/ppp0/flags", "0x1091");
    t.write("proc/556/comm", "bash\n");
    t.write("proc/556/cmdline", "bash");
    t.write("proc/self/comm", "pppd\n");
    EXPECT_TRUE(t.source.connections()->isEmpty());

    t.pppd(20, callCasa);
    t.pppd(10, QByteArray("pppd\0call\0ufficio\0", 18));
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 2);
    EXPECT_EQ(seen->at(0).entry, s("ufficio")) << "in process order";
    EXPECT_EQ(seen->at(1).entry, s("casa"));
}

// NetworkManager's pppd is its source's to report, when it is told so.
TEST(PppConnections, NetworkManagersPppdCanBeLeftToIt)
{
    Tree t;
    const char networkManager[] = "/usr/sbin/pppd\0plugin\0/usr/lib/pppd/2.4.9/nm-pppd-plugin.so\0ipparam\0/x";
    t.pppd(30, QByteArray(networkManager, sizeof networkManager));
    t.pppd(31, callCasa);
    EXPECT_EQ(t.source.connections()->size(), 2);
    t.source.setLeavesNetworkManagerPppd(true);
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0).entry, s("casa"));
}

// Between two polls only what changed is read; these are the ways a pppd
// can turn up in a process table the source already knows.
TEST(PppConnections, APppdStartedBetweenPollsIsSeenAtTheNextPoll)
{
    Tree t;
    for (int pid = 100; pid < 110; ++pid)
        t.write(QStringLiteral("proc/%1/comm").arg(pid), "bash\n");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    EXPECT_TRUE(t.source.connections()->isEmpty());
    t.pppd(4242, callCasa);
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0).entry, s("casa"));
    EXPECT_EQ(seen->at(0).state, DialUpSource::ConnectDevice);
}

TEST(PppConnections, ALauncherThatBecomesPppdIsSeenAtTheNextPoll)
{
    Tree t;
    EXPECT_TRUE(t.source.connections()->isEmpty());
    // pon caught before its exec: the same process is pppd at the next poll.
    t.write("proc/500/comm", "pon\n");
    t.write(s("proc/500/cmdline"), QByteArray("/bin/sh\0/usr/bin/pon\0casa\0", 27));
    EXPECT_TRUE(t.source.connections()->isEmpty());
    t.pppd(500, callCasa);
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0).entry, s("casa"));
}

TEST(PppConnections, AProcessThatBecomesPppdLaterIsSeenWithinAFullWalk)
{
    Tree t;
    t.write("proc/600/comm", "bash\n");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    EXPECT_TRUE(t.source.connections()->isEmpty());
    EXPECT_TRUE(t.source.connections()->isEmpty());
    t.pppd(600, callCasa);
    int polls = 0;
    while (t.source.connections()->isEmpty() && polls < PppDialUpSource::fullWalkEvery + 1)
        ++polls;
    EXPECT_LT(polls, PppDialUpSource::fullWalkEvery);
}

TEST(PppConnections, APidFileThatAppearsSendsTheSourceToEveryProcess)
{
    Tree t;
    t.write("proc/700/comm", "bash\n");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    EXPECT_TRUE(t.source.connections()->isEmpty());
    t.pppd(700, callCasa);
    t.write("run/ppp-casa.pid", "700\n");
    const auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1) << "pppd with a linkname writes its pid file as it starts";
    EXPECT_EQ(seen->at(0).state, DialUpSource::ConnectDevice);
}

// Listing proc is what an idle poll would mostly cost: while loadavg's last
// pid says which pids were given out since the last poll, those are looked
// up one by one instead.
TEST(PppConnections, OnlyThePidsGivenOutSinceTheLastPollAreLookedUp)
{
    Tree t;
    t.write("proc/loadavg", "0.00 0.01 0.05 1/90 4000\n");
    t.write("proc/4000/comm", "bash\n");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    EXPECT_TRUE(t.source.connections()->isEmpty());
    // A process that cannot be there, since its pid was not given out: not seen.
    t.pppd(3999, callCasa);
    EXPECT_TRUE(t.source.connections()->isEmpty());
    t.write("proc/loadavg", "0.00 0.01 0.05 1/91 4242\n");
    t.pppd(4242, callCasa);
    // A thread of a process: its comm is readable under its id, but it is no process.
    t.pppd(4241, callCasa);
    t.write("proc/4241/status", "Name:\tpppd\nTgid:\t4000\nPid:\t4241\n");
    auto seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    // A known pppd is looked at every time: it may end with no pid given out.
    t.remove("proc/4242");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    // Many pids given out at once: proc is listed (where threads are not).
    t.remove("proc/4241");
    t.write("proc/loadavg", "0.00 0.01 0.05 1/91 9000\n");
    seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0).entry, s("casa"));
    // With proc gone the known pppd is gone at once, and the next full walk
    // finds that proc cannot be listed.
    t.remove("proc");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    std::optional<QList<DialUpSource::Connection>> seenLast;
    for (int poll = 0; poll < PppDialUpSource::fullWalkEvery; ++poll)
        seenLast = t.source.connections();
    EXPECT_EQ(seenLast, std::nullopt);
}

TEST(PppConnections, AStalePidFileIsNoConnection)
{
    Tree t;
    t.write("proc/800/comm", "bash\n");
    t.write(s("proc/800/cmdline"), QByteArray("bash\0", 5));
    EXPECT_TRUE(t.source.connections()->isEmpty());
    // Left by a pppd that died, naming a pid another program has now.
    t.write("run/ppp-casa.pid", "800\nppp0\n");
    t.write("run/ppp0.pid", "800\n");
    t.write("sys/class/net/ppp0/flags", "0x1091");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    EXPECT_TRUE(t.source.connections()->isEmpty());
}

TEST(PppConnections, APppdPidTakenByAnotherProgramEndsTheConnection)
{
    Tree t;
    t.pppd(900, callCasa);
    t.write("run/ppp-casa.pid", "900\nppp0\n");
    t.write("sys/class/net/ppp0/flags", "0x1091");
    EXPECT_EQ(t.source.connections()->at(0).state, DialUpSource::Connected);
    // pppd ended and its pid went to another program between two polls.
    t.write("proc/900/comm", "bash\n");
    EXPECT_TRUE(t.source.connections()->isEmpty());
    // A pppd with that pid again is a new connection, not a hang-up.
    t.remove("sys/class/net/ppp0");
    t.remove("run/ppp-casa.pid");
    t.pppd(900, callCasa);
    std::optional<QList<DialUpSource::Connection>> seen;
    for (int poll = 0; poll <= PppDialUpSource::fullWalkEvery && (!seen || seen->isEmpty()); ++poll)
        seen = t.source.connections();
    ASSERT_EQ(seen->size(), 1);
    EXPECT_EQ(seen->at(0).state, DialUpSource::ConnectDevice);
}

TEST(PppConnections, NoProcessTableIsAFailedEnumeration)
{
    Tree t;
    t.remove("proc");
    EXPECT_EQ(t.source.connections(), std::nullopt);
}

// ---- dialling and dial parameters ----

TEST(PppDial, RunsPonWithTheEntry)
{
    Tree t;
    EXPECT_TRUE(t.source.dial(s("casa")));
    EXPECT_TRUE(t.source.dial(s("NESSUNO")));
    ASSERT_EQ(t.shell.ran.size(), 2);
    EXPECT_EQ(t.shell.ran.at(0).program, s("pon"));
    EXPECT_EQ(t.shell.ran.at(0).arguments, QStringList{s("casa")});
    EXPECT_EQ(t.shell.ran.at(1).arguments, QStringList{s("NESSUNO")});

    t.shell.result = Shell::NotFound;
    EXPECT_FALSE(t.source.dial(s("casa")));
}

TEST(PppDial, RefusesNamesPonWouldMisread)
{
    Tree t;
    for (const char* name :
         {"", "-q", "--quick", ".", "..", "../../tmp/x", "a/b", "casa plugin x.so", "casa\n", "tab\there"})
        EXPECT_FALSE(t.source.dial(s(name))) << name;
    EXPECT_TRUE(t.shell.ran.isEmpty());
}

TEST(PppDialParams, UserFromThePeerAndPasswordFromTheSecrets)
{
    Tree t;
    t.write("etc/ppp/peers/casa", "user \"mario@isp.it\"\nremotename isp\n");
    t.write("etc/ppp/peers/ufficio", "user luigi\n");
    t.write("etc/ppp/peers/anonimo", "noauth\n");
    t.write("etc/ppp/pap-secrets", "# client server secret\n\"mario@isp.it\" isp \"p4ss word\"\n");
    t.write("etc/ppp/chap-secrets", "luigi altro segreto\nluigi * giusto\n");

    QString error;
    auto casa = t.source.dialParams(s("casa"), &error);
    ASSERT_TRUE(casa);
    EXPECT_EQ(casa->userName, s("mario@isp.it"));
    EXPECT_EQ(casa->password, s("p4ss word"));
    EXPECT_TRUE(casa->passwordSaved);

    auto ufficio = t.source.dialParams(s("ufficio"), &error);
    ASSERT_TRUE(ufficio);
    EXPECT_EQ(ufficio->password, s("giusto"));

    auto anonimo = t.source.dialParams(s("anonimo"), &error);
    ASSERT_TRUE(anonimo);
    EXPECT_TRUE(anonimo->userName.isEmpty());
    EXPECT_FALSE(anonimo->passwordSaved);
}

TEST(PppDialParams, TheBestMatchingSecretWinsAsPppdChoosesIt)
{
    Tree t;
    t.write("etc/ppp/peers/casa", "user mario\nremotename isp\n");
    t.write("etc/ppp/peers/ufficio", "user luigi\n");
    t.write("etc/ppp/peers/file", "user anna\n");
    t.write("etc/ppp/peers/senza", "user nessuno\n");
    t.write("etc/ppp/pap-secrets", "mario * jolly\n"
                                   "* isp generica\n"
                                   "mario isp esatta\n"
                                   "mario isp seconda\n"
                                   "* * per-tutti\n"
                                   "anna * @/etc/ppp/anna.secret\n");
    t.write("etc/ppp/anna.secret", "  dal-file  resto\n");
    QString error;
    EXPECT_EQ(t.source.dialParams(s("casa"), &error)->password, s("esatta"));
    // No line names luigi: the wildcard line serves, as pppd would use it.
    EXPECT_EQ(t.source.dialParams(s("ufficio"), &error)->password, s("per-tutti"));
    EXPECT_EQ(t.source.dialParams(s("file"), &error)->password, s("dal-file"));

    t.write("etc/ppp/pap-secrets", "anna * @/etc/ppp/manca\n");
    const auto mancante = t.source.dialParams(s("file"), &error);
    ASSERT_TRUE(mancante);
    EXPECT_FALSE(mancante->passwordSaved);
    EXPECT_EQ(mancante->userName, s("anna"));
    EXPECT_FALSE(t.source.dialParams(s("senza"), &error)->passwordSaved);
}

// The secrets files are root's alone on a real system: read by a user, the
// entry shows its user name and no password.
TEST(PppDialParams, UnreadableSecretsGiveNoPassword)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    Tree t;
    t.write("etc/ppp/peers/casa", "user mario\n");
    t.write("etc/ppp/pap-secrets", "mario * segreta\n");
    QFile::setPermissions(t.root + s("/etc/ppp/pap-secrets"), QFileDevice::WriteOwner);
    QString error;
    const auto casa = t.source.dialParams(s("casa"), &error);
    ASSERT_TRUE(casa);
    EXPECT_EQ(casa->userName, s("mario"));
    EXPECT_FALSE(casa->passwordSaved);
    EXPECT_TRUE(casa->password.isEmpty());
}

TEST(PppDialParams, MissingOrUnreadableEntriesSayWhy)
{
    Tree t;
    QString error;
    EXPECT_FALSE(t.source.dialParams(s("casa"), &error));
    EXPECT_EQ(error, s("la voce «casa» non è nella rubrica"));

    EXPECT_FALSE(t.source.dialParams(s("../passwd"), &error));
    EXPECT_EQ(error, s("la voce «../passwd» non è nella rubrica"));

    QDir().mkpath(t.root + s("/etc/ppp/peers"));
    ASSERT_TRUE(QFile::link(t.root + s("/nowhere"), t.root + s("/etc/ppp/peers/rotto")));
    EXPECT_FALSE(t.source.dialParams(s("rotto"), &error));
    EXPECT_EQ(error, s("impossibile leggere il file ") + t.root + s("/etc/ppp/peers/rotto"));
}

} // namespace
