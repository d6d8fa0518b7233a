// An archive's name that leads to a folder, a pipe or a device: every reader,
// copier and writer of the archive refuses it at once, saying why, instead of
// waiting on the pipe or reading /dev/zero for ever.

#include "archive/ArchivioChiamate.h"
#include "archive/CalcolaConsumi.h"
#include "archive/CopiaVerificata.h"
#include "archive/LettoreArchivio.h"
#include "archive/RigheArchivio.h"
#include "reports/ConversioneArchivio.h"
#include "reports/CorrezioneChiusura.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString pipeODispositivo = QStringLiteral("non è un file ma una pipe o un dispositivo");

struct NonRegularCase
{
    const char* name;
    QString (*make)(const TestDirs& dirs); // the special file's path
    QString reason;
};

void PrintTo(const NonRegularCase& c, std::ostream* os)
{
    *os << c.name;
}

QString fifo(const TestDirs& dirs)
{
    const QString path = dirs.data() + QStringLiteral("/tqklog.txt");
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

QString devZero(const TestDirs&)
{
    return QStringLiteral("/dev/zero");
}

QString cartella(const TestDirs& dirs)
{
    const QString path = dirs.data() + QStringLiteral("/tqklog.txt");
    EXPECT_TRUE(QDir().mkpath(path));
    return path;
}

// A symbolic link is followed: one to a pipe is a pipe.
QString linkToFifo(const TestDirs& dirs)
{
    const QString pipe = dirs.path() + QStringLiteral("/pipe");
    EXPECT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString path = dirs.data() + QStringLiteral("/tqklog.txt");
    EXPECT_TRUE(QFile::link(pipe, path));
    return path;
}

class NonRegularFiles : public ::testing::TestWithParam<NonRegularCase>
{
};

TEST_P(NonRegularFiles, AreRefusedBeforeTheyAreOpened)
{
    TestDirs dirs;
    const QString path = GetParam().make(dirs);
    const QString& reason = GetParam().reason;
    EXPECT_EQ(LettoreArchivio::difettoFile(path), reason);

    LettoreArchivio lettore(path);
    QString errore;
    EXPECT_FALSE(lettore.open(&errore));
    EXPECT_EQ(errore, reason);

    const GiornataArchivio giornata = LettoreArchivio::chiamateDelGiorno(path, QStringLiteral("21/03/1999"));
    EXPECT_EQ(giornata.esito, GiornataArchivio::Esito::Illeggibile);
    EXPECT_EQ(giornata.errore, reason);

    const ConsumiResult r = scanConsumi(path, QDate(1999, 3, 1), QDate(1999, 3, 31),
                                        StatoProgramma::fromFactoryDefaults(), PricingSettings());
    EXPECT_EQ(r.outcome, ConsumiResult::Outcome::ReadError);
    EXPECT_EQ(r.message, QStringLiteral("Impossibile leggere l'archivio chiamate %1: %2").arg(path, reason));

    RigheArchivio righe;
    EXPECT_FALSE(RigheArchivio::leggi(path, righe, &errore));
    EXPECT_EQ(errore, reason);
    EXPECT_FALSE(archivioValido(path));
    EXPECT_FALSE(copiaVerificata(path, dirs.path() + QStringLiteral("/copia.txt"), &errore));
    EXPECT_TRUE(errore.endsWith(reason)) << errore.toStdString();
    EXPECT_FALSE(QFile::exists(dirs.path() + QStringLiteral("/copia.txt")));
    // The start-up backup neither waits on it nor touches the older copy.
    const QString backup = path.chopped(1) + QLatin1Char('~');
    const bool backupWritable = !backup.startsWith(QStringLiteral("/dev/"));
    if (backupWritable) {
        QFile vecchia(backup);
        ASSERT_TRUE(vecchia.open(QIODevice::WriteOnly));
        vecchia.write("copia vecchia\r\n");
    }
    EXPECT_FALSE(copiaArchivio(path));
    if (backupWritable) {
        QFile vecchia(backup);
        ASSERT_TRUE(vecchia.open(QIODevice::ReadOnly));
        EXPECT_EQ(vecchia.readAll(), QByteArray("copia vecchia\r\n"));
    }

    errore.clear();
    EXPECT_FALSE(CorrezioneChiusura::cerca(path, &errore));
    EXPECT_EQ(errore, reason);
    EXPECT_EQ(ConversioneArchivio(path).esegui().esito, ConversioneArchivio::Esito::NonRiuscita);

    const AppendResult scritto =
        ArchivioChiamate(path).appendRecord(QStringLiteral("21/03/1999 10.15.02 collegamento Aperto  011 "));
    EXPECT_FALSE(scritto.written);
    EXPECT_EQ(scritto.error, reason);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NonRegularFiles,
    ::testing::Values(NonRegularCase{"fifo", fifo, pipeODispositivo},
                      NonRegularCase{"devZero", devZero, pipeODispositivo},
                      NonRegularCase{"linkToFifo", linkToFifo, pipeODispositivo},
                      NonRegularCase{"folder", cartella, QStringLiteral("è una cartella, non un file")}),
    [](const ::testing::TestParamInfo<NonRegularCase>& info) { return std::string(info.param.name); });

TEST(NonRegularFiles, RegularFilesAndMissingNamesHaveNoFault)
{
    TestDirs dirs;
    const QString path = dirs.data() + QStringLiteral("/tqklog.txt");
    EXPECT_TRUE(LettoreArchivio::difettoFile(path).isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(LettoreArchivio::difettoFile(path).isEmpty());
    const QString link = dirs.path() + QStringLiteral("/link.txt");
    ASSERT_TRUE(QFile::link(path, link));
    EXPECT_TRUE(LettoreArchivio::difettoFile(link).isEmpty());
}

} // namespace
