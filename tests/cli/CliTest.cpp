#include "tests/support/CliProcess.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* out; // nullptr: not checked
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class CliCommands : public ::testing::TestWithParam<Case>
{
};

TEST_P(CliCommands, ExitStatusAndOutput)
{
    TestDirs dirs;
    const CliRun run = cli(GetParam().arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err.toStdString();
    if (GetParam().out) {
        EXPECT_EQ(run.out, QString::fromUtf8(GetParam().out));
    }
}

QStringList args(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* a : list)
        result.append(QString::fromUtf8(a));
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliCommands,
    ::testing::Values(
        Case{"bandEnd", args({"intervallo", "--quando", "06/12/1999 18.30.00", "--classe", "1"}), 0, "2200\n"},
        Case{"nextBand", args({"intervallo", "--quando", "06/12/1999 18.30.01", "--classe", "1"}), 0, "4000\n"},
        Case{"forcedHoliday",
             args({"intervallo", "--quando", "06/12/1999 10.00.00", "--classe", "2", "--festivo", "1"}), 0, "1500\n"},
        Case{"badBand",
             args({"intervallo", "--quando", "06/12/1999 10.00.00", "--classe", "1", "--imposta",
                   "feriali/fascia1=000"}),
             5, ""},
        Case{"missingClass", args({"intervallo", "--quando", "06/12/1999 10.00.00"}), 2, ""},
        Case{"easter", args({"pasqua", "--anno", "2024"}), 0, "31/03/2024\n01/04/2024\n"},
        Case{"badDate", args({"pasqua", "--anno", "2024", "--oggi", "31/02/2024"}), 5, ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// How the tool reads its command line: help and version on standard output;
// anything it cannot read is wrong usage, told on standard error before the usage.
struct Usage
{
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* out; // the start of standard output, or nullptr when it must stay empty
    const char* err; // the first line of standard error, or nullptr when it must stay empty
};

void PrintTo(const Usage& u, std::ostream* os)
{
    *os << u.name;
}

class CliUsage : public ::testing::TestWithParam<Usage>
{
};

TEST_P(CliUsage, ExitStatusAndWhereTheUsageGoes)
{
    TestDirs dirs;
    const Usage& u = GetParam();
    const CliRun run = cli(u.arguments);
    EXPECT_EQ(run.exitCode, u.exitCode) << run.err.toStdString();
    const QString usage = QStringLiteral("brenvolo-cli COMMAND [OPTIONS]\n");
    if (u.out)
        EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(u.out))) << run.out.toStdString();
    else
        EXPECT_EQ(run.out, QString());
    if (u.err) {
        EXPECT_EQ(run.err.section(QLatin1Char('\n'), 0, 0), QString::fromUtf8(u.err));
        EXPECT_TRUE(run.err.contains(usage)) << run.err.toStdString();
    } else {
        EXPECT_EQ(run.err, QString());
    }
}

const char marzo[] = "--dal 01/03/1999 --al 31/03/1999";

QStringList words(const char* command, const char* rest = "")
{
    return QString::fromUtf8(command).split(QLatin1Char(' ')) +
           QString::fromUtf8(rest).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

INSTANTIATE_TEST_SUITE_P(
    Usage, CliUsage,
    ::testing::Values(
        Usage{"help", args({"--help"}), 0, "brenvolo-cli COMMAND [OPTIONS]\n", nullptr},
        Usage{"shortHelp", args({"-h"}), 0, "brenvolo-cli COMMAND [OPTIONS]\n", nullptr},
        Usage{"commandHelp", words("consumi", "--help"), 0, "brenvolo-cli COMMAND [OPTIONS]\n", nullptr},
        Usage{"version", args({"--version"}), 0, "brenvolo-cli " BRENVOLO_VERSION "\n", nullptr},
        Usage{"noCommand", {}, 2, nullptr, "brenvolo-cli COMMAND [OPTIONS]"},
        Usage{"unknownCommand", args({"sconosciuto"}), 2, nullptr, "comando sconosciuto: sconosciuto"},
        Usage{"unknownOption", words("consumi", marzo) + args({"--bogus"}), 2, nullptr, "opzione sconosciuta: --bogus"},
        Usage{"unknownShortOption", args({"impostazioni", "-x"}), 2, nullptr, "opzione sconosciuta: -x"},
        Usage{"extraArgument", args({"impostazioni", "extra"}), 2, nullptr, "argomento in più: extra"},
        Usage{"secondFile", args({"valida", "a.txt", "b.txt"}), 2, nullptr, "argomento in più: b.txt"},
        Usage{"missingValue", words("consumi", "--dal 01/03/1999 --al"), 2, nullptr, "manca il valore di --al"},
        Usage{"optionForValue", words("pasqua", "--anno --oggi 01/01/2000"), 2, nullptr, "manca il valore di --anno"},
        Usage{"repeatedOption", words("consumi", marzo) + args({"--dal", "02/03/1999"}), 2, nullptr,
              "opzione ripetuta: --dal"},
        Usage{"repeatedSwitch", words("consumi", marzo) + args({"--json", "--json"}), 2, nullptr,
              "opzione ripetuta: --json"},
        Usage{"repeatedCommonOption", words("impostazioni", "--oggi 01/01/2000 --oggi 02/01/2000"), 2, nullptr,
              "opzione ripetuta: --oggi"},
        Usage{"badSetting", words("impostazioni", "--imposta costo"), 2, nullptr,
              "impostazione non valida: costo (SEZIONE/VALORE=TESTO)"},
        Usage{"repeatableSetting", words("impostazioni", "--imposta a/b=1 --imposta a/c=2"), 0, "", nullptr}),
    [](const ::testing::TestParamInfo<Usage>& info) { return std::string(info.param.name); });

TEST(Cli, SettingsAreTheFactoryValuesWhenTheStoreIsEmpty)
{
    TestDirs dirs;
    const CliRun run =
        cli({QStringLiteral("impostazioni"), QStringLiteral("--imposta"), QStringLiteral("importo/costo=200")});
    ASSERT_EQ(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 49);
    EXPECT_EQ(lines.first(), QStringLiteral("importo/costo=200"));
    EXPECT_TRUE(lines.contains(QStringLiteral("festivi/fascia2=00.00.00-07.59.59-4000-1500-0800-0500")));
    // The tool never writes the store.
    EXPECT_FALSE(QFile::exists(dirs.settingsDirectory() + QStringLiteral("/Software.ini")));
}

// The user's store is read once, whatever its size, and copied whole: every
// value in the order of its sections, the overrides applied on top.
TEST(Cli, ALargeStoreIsCopiedWhole)
{
    TestDirs dirs;
    QByteArray ini = "[importo]\ncosto=152\n\n";
    QStringList attese{QStringLiteral("importo/costo=200")};
    for (int i = 0; i < 3000; ++i) {
        ini += QStringLiteral("[sezione%1]\nvalore=%2\n\n").arg(i, 5, 10, QLatin1Char('0')).arg(i).toUtf8();
        attese.append(QStringLiteral("sezione%1/valore=%2").arg(i, 5, 10, QLatin1Char('0')).arg(i));
    }
    QDir().mkpath(dirs.settingsDirectory());
    ASSERT_TRUE(writeFile(dirs.settingsDirectory() + QStringLiteral("/Software.ini"), ini));
    const CliRun run =
        cli({QStringLiteral("impostazioni"), QStringLiteral("--imposta"), QStringLiteral("importo/costo=200")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), attese);
}

TEST(Cli, ValidaAnswersWithItsExitStatus)
{
    TestDirs dirs;
    const QString good = dirs.data() + QStringLiteral("/buono.txt");
    const QString bad = dirs.data() + QStringLiteral("/cattivo.txt");
    writeFile(good,
              "06/12/1999 21.30.05 collegamento Aperto  021 \r\n06/12/1999 21.42.10 collegamento Chiuso  021\r\n");
    writeFile(bad, "06/12/1999 21.42.10 collegamento Chiuso  021\r\n");
    EXPECT_EQ(cli({QStringLiteral("valida"), good}).exitCode, 0);
    EXPECT_EQ(cli({QStringLiteral("valida"), bad}).exitCode, 1);
    EXPECT_EQ(cli({QStringLiteral("valida")}).exitCode, 2);
}

} // namespace

namespace {

TEST(Cli, LimitiPrintsEachMessageOnOneLine)
{
    TestDirs dirs;
    const QString archive = dirs.data() + QStringLiteral("/tqklog.txt");
    writeFile(archive,
              "06/12/1999 10.00.00 collegamento Aperto  011 \r\n06/12/1999 11.10.00 collegamento Chiuso  011\r\n");
    const QStringList common{QStringLiteral("--archivio"), archive,
                             QStringLiteral("--oggi"),     QStringLiteral("06/12/1999"),
                             QStringLiteral("--imposta"),  QStringLiteral("limiti/RxSpinEdit4_value=60"),
                             QStringLiteral("--imposta"),  QStringLiteral("limiti/CheckBox6_Checked=True")};
    const CliRun run = cli(QStringList{QStringLiteral("limiti")} + common);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("Limite Giornaliero già Superato di 10 minuti\\r"
                                      "il collegamento comporterà un costo aggiuntivo di\\r0 L./ora\n"));
    const CliRun afterStop = cli(QStringList{QStringLiteral("limiti"), QStringLiteral("--dopo-arresto")} + common);
    EXPECT_EQ(afterStop.exitCode, 0);
    EXPECT_EQ(afterStop.out, QString());

    writeFile(archive, "06/12/1999 10.00.00 collegamento Aperto  011 \r\n");
    const CliRun broken = cli(QStringList{QStringLiteral("limiti")} + common);
    EXPECT_EQ(broken.exitCode, 3);
    EXPECT_TRUE(broken.out.endsWith(
        QStringLiteral("Impossibile verificare i limiti \\ra causa di un errore nel file tqklog.txt\n")));
}

} // namespace
