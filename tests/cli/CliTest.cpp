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
        Case{"noCommand", {}, 2, ""}, Case{"unknownCommand", args({"sconosciuto"}), 2, ""},
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
