// brenvolo-cli given an archive that is a pipe or /dev/zero: every command
// that reads the archive refuses it at once with exit status 3 and says why,
// instead of waiting on the pipe or reading /dev/zero for ever.

#include "tests/support/CliProcess.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString motivo = QStringLiteral("non è un file ma una pipe o un dispositivo");

struct CommandCase
{
    const char* name;
    QStringList arguments; // followed by --archivio FILE, or by FILE alone for valida
    int exitCode;
    bool onStdout; // the limits check prints its messages on stdout, the others on stderr
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.name;
}

QStringList args(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* a : list)
        result.append(QString::fromUtf8(a));
    return result;
}

class NonRegularArchive : public ::testing::TestWithParam<CommandCase>
{
};

TEST_P(NonRegularArchive, IsRefusedWithExitStatus3)
{
    TestDirs dirs;
    const QString pipe = dirs.path() + QStringLiteral("/pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& archivio : {pipe, QStringLiteral("/dev/zero")}) {
        const bool valida = GetParam().arguments.first() == QLatin1String("valida");
        const CliRun run = cli(GetParam().arguments +
                               (valida ? QStringList{archivio} : QStringList{QStringLiteral("--archivio"), archivio}));
        EXPECT_EQ(run.exitCode, GetParam().exitCode) << archivio.toStdString() << ": " << run.err.toStdString();
        if (GetParam().exitCode == 3) {
            const QString& testo = GetParam().onStdout ? run.out : run.err;
            EXPECT_TRUE(testo.contains(motivo)) << archivio.toStdString() << ": " << testo.toStdString();
        }
    }
    EXPECT_EQ(QDir(dirs.data()).entryList(QDir::Files), QStringList()) << "nothing written";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NonRegularArchive,
    ::testing::Values(CommandCase{"consumi", args({"consumi", "--dal", "01/03/1999", "--al", "31/03/1999"}), 3, false},
                      CommandCase{"esporta", args({"esporta", "--mese", "marzo", "--anno", "1999"}), 3, false},
                      CommandCase{"limiti",
                                  args({"limiti", "--oggi", "22/03/1999", "--imposta", "limiti/CheckBox6_Checked=True",
                                        "--imposta", "limiti/RxSpinEdit4_value=10"}),
                                  3, true},
                      CommandCase{"ripara", args({"ripara"}), 3, false},
                      CommandCase{"converti", args({"converti"}), 3, false},
                      CommandCase{"valida", args({"valida"}), 1, false}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

} // namespace
