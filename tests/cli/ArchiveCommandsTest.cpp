#include "tests/support/CliProcess.h"
#include "tests/support/TestDirs.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

const QByteArray A = "06/12/1999 10.15.02 collegamento Aperto  021 Casa";
const QByteArray A2 = "07/12/1999 09.00.00 collegamento Aperto  011 Ufficio";
const QByteArray C2 = "07/12/1999 09.30.00 collegamento Chiuso  011";

TEST(ArchiveCommands, ConvertiRewritesTheArchiveInTheDataDirectory)
{
    TestDirs dirs;
    const QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    CliRun run = cli({QStringLiteral("converti")});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, QStringLiteral("L'archivio chiamate non esiste!\n"));

    const QByteArray vecchio = "06/12/1999 10.15.02 collegamento Aperto  0\r\n";
    ASSERT_TRUE(writeFile(archivio, vecchio));
    run = cli({QStringLiteral("converti")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Conversione Terminata con successo!\n"));
    EXPECT_EQ(leggi(archivio), QByteArray("06/12/1999 10.15.02 collegamento Aperto  011\r\n"));
    EXPECT_EQ(leggi(dirs.data() + QStringLiteral("/tqklog_old.txt")), vecchio);
    EXPECT_EQ(cli({QStringLiteral("converti"), QStringLiteral("adesso")}).exitCode, 2);
}

TEST(ArchiveCommands, RiparaShowsTheRecordThenWritesItsClosure)
{
    TestDirs dirs;
    const QString archivio = dirs.data() + QStringLiteral("/altro.txt");
    const QStringList ripara{QStringLiteral("ripara"), QStringLiteral("--archivio"), archivio};
    EXPECT_EQ(cli(ripara).exitCode, 4);

    const QByteArray prima = A + "\r\n" + A2 + "\r\n" + C2 + "\r\n";
    ASSERT_TRUE(writeFile(archivio, prima));
    CliRun run = cli(ripara);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, QString::fromLatin1(A) + QStringLiteral("\n06/12/1999 10.15.02 collegamento Chiuso  021\n"));
    EXPECT_EQ(run.err, QStringLiteral("manca la chiusura del collegamento:\\r06/12/1999 10.15.02 \n"));
    EXPECT_EQ(leggi(archivio), prima);

    run = cli(ripara + QStringList{QStringLiteral("--chiusura"),
                                   QStringLiteral("06/12/1999 10.75.00 collegamento Chiuso  021")});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("La riga di chiusura non è valida: l'ora \"10.75.00\"")))
        << run.err.toStdString();
    EXPECT_EQ(leggi(archivio), prima);

    const QString chiusura = QStringLiteral("06/12/1999 10.45.00 collegamento Chiuso  021");
    run = cli(ripara + QStringList{QStringLiteral("--chiusura"), chiusura});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(leggi(archivio), A + "\r\n" + chiusura.toLatin1() + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
    EXPECT_EQ(leggi(dirs.data() + QStringLiteral("/altro.tx~")), prima);
    EXPECT_FALSE(QFile::exists(dirs.data() + QStringLiteral("/tqklog.txt")));

    run = cli(ripara);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("Nessuna chiusura mancante\n"));
    EXPECT_EQ(cli(ripara + QStringList{QStringLiteral("--chiusura"), chiusura}).exitCode, 1);
    EXPECT_EQ(cli(ripara + QStringList{QStringLiteral("--chiusura")}).exitCode, 2);
}

} // namespace
