#include "platform/ScriptedDialUpSource.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

struct Script
{
    TestDirs dirs;
    QString file = dirs.path() + s("/connessione.txt");
    ScriptedDialUpSource source{file};

    void write(const QByteArray& text)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(text);
    }
};

using Connection = DialUpSource::Connection;

// ---- states by name or number ----

struct StateCase
{
    const char* text;
    int state; // -1: not a state
};

class StateNames : public ::testing::TestWithParam<StateCase>
{
};

TEST_P(StateNames, ReadAsTheServiceNumbersThem)
{
    EXPECT_EQ(ScriptedDialUpSource::stateOf(s(GetParam().text)).value_or(-1), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(Cases, StateNames,
                         ::testing::Values(StateCase{"OpenPort", 0}, StateCase{"PortOpened", 1},
                                           StateCase{"ConnectDevice", 2}, StateCase{"DeviceConnected", 3},
                                           StateCase{"AllDevicesConnected", 4}, StateCase{"Authenticate", 5},
                                           StateCase{"StartAuthentication", 19}, StateCase{"Authenticated", 14},
                                           StateCase{"LogonNetwork", 21}, StateCase{"Connected", 8192},
                                           StateCase{"connected", 8192}, StateCase{"Disconnected", 8193},
                                           StateCase{"8192", 8192}, StateCase{"0x2001", 8193}, StateCase{"7", 7},
                                           StateCase{"Connesso", -1}, StateCase{"-1", -1}, StateCase{"", -1},
                                           StateCase{"12abc", -1}));

// ---- the file ----

TEST(ScriptedDialUpSource, ReadsEveryKindOfRecord)
{
    Script sc;
    sc.write("\xEF\xBB\xBF# prova senza modem\r\n"
             "rubrica;Casa;0612345\r\n"
             " rubrica ; Ufficio ; 02 9876 \n"
             "connessione;Casa;modem;Modem 56k;Connected\n"
             "connessione;Ufficio;isdn;Scheda;5\n"
             "parametri;Casa;mario;segreto\n"
             "\n"
             "    # commento rientrato\n");
    EXPECT_EQ(sc.source.phoneBook(), (std::optional<QList<DialUpSource::PhoneBookEntry>>(
                                         {{s("Casa"), s("0612345")}, {s("Ufficio"), s("02 9876")}})));
    EXPECT_EQ(sc.source.connections(),
              (std::optional<QList<Connection>>({{s("Casa"), s("modem"), s("Modem 56k"), DialUpSource::Connected},
                                                 {s("Ufficio"), s("isdn"), s("Scheda"), 5}})));
}

TEST(ScriptedDialUpSource, SkipsLinesThatDoNotParse)
{
    Script sc;
    sc.write("connessione;Casa;modem;Modem;Connesso\n"
             "connessione;Casa;modem;Connected\n"
             "connessione;Casa;modem;Modem;Connected;di troppo\n"
             "rubrica;;0612\n"
             "rubrica;Casa\n"
             "chiamata;Casa;modem;Modem;Connected\n"
             "Connessione;Casa;modem;Modem;Connected\n"
             "connessione;;;;OpenPort\n");
    EXPECT_EQ(sc.source.connections(), (std::optional<QList<Connection>>({{QString(), QString(), QString(), 0}})));
    EXPECT_EQ(sc.source.phoneBook(),
              std::optional<QList<DialUpSource::PhoneBookEntry>>(QList<DialUpSource::PhoneBookEntry>()));
}

TEST(ScriptedDialUpSource, ReadsTheFileAgainWhenItChanges)
{
    Script sc;
    EXPECT_EQ(sc.source.connections(), std::optional<QList<Connection>>(QList<Connection>())) << "no file yet";
    EXPECT_TRUE(sc.source.phoneBook()->isEmpty());

    sc.write("connessione;Casa;modem;Modem;OpenPort\n");
    EXPECT_EQ(sc.source.connections()->at(0).state, DialUpSource::OpenPort);
    sc.write("connessione;Casa;modem;Modem;Connected\n");
    EXPECT_EQ(sc.source.connections()->at(0).state, DialUpSource::Connected);
    QFile::remove(sc.file);
    EXPECT_TRUE(sc.source.connections()->isEmpty());
}

// A file is not read again while it stays as it was; a change of the same
// size made within the same instant as the one before must still be seen.
TEST(ScriptedDialUpSource, AChangeInTheSameInstantIsSeen)
{
    Script sc;
    sc.write("connessione;Casa;modem;Modem;Connected\n");
    EXPECT_EQ(sc.source.connections()->at(0).state, DialUpSource::Connected);
    sc.write("connessione;Casa;modem;Modem;8193     \n");
    EXPECT_EQ(sc.source.connections()->at(0).state, DialUpSource::Disconnected);
    sc.write("connessione;Casa;modem;Modem;Connected\n");
    EXPECT_EQ(sc.source.connections()->at(0).state, DialUpSource::Connected);
}

TEST(ScriptedDialUpSource, AFileThatCannotBeReadIsAFailedEnumeration)
{
    Script sc;
    QDir().mkpath(sc.file);
    EXPECT_EQ(sc.source.connections(), std::nullopt);
    EXPECT_EQ(sc.source.phoneBook(), std::nullopt);
    QString error;
    EXPECT_FALSE(sc.source.dialParams(s("Casa"), &error));
    EXPECT_EQ(error, s("impossibile leggere il file ") + sc.file);
}

TEST(ScriptedDialUpSource, DialParamsOfTheEntries)
{
    Script sc;
    sc.write("rubrica;Casa;0612\n"
             "rubrica;Ufficio;02\n"
             "parametri;Casa;mario;segreto\n"
             "parametri;Lavoro;luigi;\n");
    QString error;
    const auto casa = sc.source.dialParams(s("Casa"), &error);
    ASSERT_TRUE(casa);
    EXPECT_EQ(casa->userName, s("mario"));
    EXPECT_EQ(casa->password, s("segreto"));
    EXPECT_TRUE(casa->passwordSaved);

    const auto lavoro = sc.source.dialParams(s("Lavoro"), &error);
    ASSERT_TRUE(lavoro);
    EXPECT_EQ(lavoro->userName, s("luigi"));
    EXPECT_FALSE(lavoro->passwordSaved);

    const auto ufficio = sc.source.dialParams(s("Ufficio"), &error);
    ASSERT_TRUE(ufficio);
    EXPECT_TRUE(ufficio->userName.isEmpty());

    EXPECT_FALSE(sc.source.dialParams(s("Altro"), &error));
    EXPECT_EQ(error, s("la voce «Altro» non è nella rubrica"));
}

TEST(ScriptedDialUpSource, DiallingLeavesTheFileAlone)
{
    Script sc;
    sc.write("rubrica;Casa;0612\n");
    EXPECT_TRUE(sc.source.dial(s("Casa")));
    EXPECT_TRUE(sc.source.connections()->isEmpty());
}

} // namespace
