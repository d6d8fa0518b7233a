#include "archive/ArchivioChiamate.h"
#include "archive/LettoreArchivio.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TestDirs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray contenuto(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void scrivi(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Appends a record as the program does and shows what the writer reports.
bool appendAndShow(ArchivioChiamate& archivio, const QString& record, Prompter& prompter)
{
    const AppendResult result = archivio.appendRecord(record);
    prompter.show(result.messages());
    return result.written;
}

struct Archivio
{
    TestDirs dirs;
    QString path = QDir(dirs.data()).filePath(ArchivioChiamate::nomeFile);
    ArchivioChiamate archivio{path};
    FakePrompter prompter;

    bool append(const QString& record) { return appendAndShow(archivio, record, prompter); }
};

const QDateTime apertura(QDate(1999, 3, 21), QTime(10, 15, 2));
const QDateTime chiusura(QDate(1999, 3, 21), QTime(10, 47, 40));

TEST(ArchivioChiamate, WritesTheUrbanCallOverCasa)
{
    Archivio a;
    ASSERT_TRUE(a.archivio.create());
    ASSERT_TRUE(a.append(recordApertura(apertura, 0, 1, 1, QStringLiteral("Casa"))));
    ASSERT_TRUE(a.append(recordChiusura(chiusura, 0, 1, 1)));
    EXPECT_EQ(contenuto(a.path), QByteArray("21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\n"
                                            "21/03/1999 10.47.40 collegamento Chiuso  011\r\n"));
    EXPECT_TRUE(a.prompter.shown.isEmpty());
    const GiornataArchivio giornata = LettoreArchivio::chiamateDelGiorno(a.path, QStringLiteral("21/03/1999"));
    EXPECT_EQ(giornata.esito, GiornataArchivio::Esito::Completa);
    ASSERT_EQ(giornata.chiamate.size(), 1);
    EXPECT_EQ(giornata.chiamate.at(0).apertura.nomeConnessione(), QStringLiteral("Casa"));
}

TEST(ArchivioChiamate, RecordLengths)
{
    const QString senzaNome = recordApertura(apertura, 1, 4, 2, QString());
    EXPECT_EQ(senzaNome, QStringLiteral("21/03/1999 10.15.02 collegamento Aperto  142 "));
    EXPECT_EQ(senzaNome.size(), 45);
    EXPECT_EQ(recordChiusura(chiusura, 1, 4, 2).size(), 44);
    EXPECT_EQ(recordApertura(QDateTime(QDate(2000, 1, 1), QTime(23, 59, 53)), 0, 2, 1, QStringLiteral("x")),
              QStringLiteral("01/01/2000 23.59.53 collegamento Aperto  021 x"));
}

struct NameCase
{
    const char* name;
    QString nome;
    QByteArray scritto;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.name;
}

class EntryNames : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(EntryNames, AreWrittenAsOneLine)
{
    Archivio a;
    ASSERT_TRUE(a.archivio.create());
    ASSERT_TRUE(a.append(recordApertura(apertura, 0, 1, 1, GetParam().nome)));
    EXPECT_EQ(contenuto(a.path), "21/03/1999 10.15.02 collegamento Aperto  011 " + GetParam().scritto + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryNames,
    ::testing::Values(
        NameCase{"control characters", QStringLiteral("Ca\r\nsa\tx\x01y"), QByteArray("Ca  sa x y")},
        NameCase{"a forged closing record", QStringLiteral("Casa\r\n21/03/1999 10.47.40 collegamento Chiuso  011"),
                 QByteArray("Casa  21/03/1999 10.47.40 collegamento Chiuso  011")},
        NameCase{"line separators", QStringLiteral("a\u2028b\u2029c\u0085d"), QByteArray("a b c d")},
        NameCase{"code page characters", QStringLiteral("Città €"), QByteArray("Citt\xE0 \x80")},
        NameCase{"characters outside the code page", QStringLiteral("Ελλάδα \U0001F4DE"), QByteArray("?????? ?")}));

TEST(ArchivioChiamate, AForgedRecordInANameLeavesTheCallUnclosed)
{
    Archivio a;
    const QString nome = QStringLiteral("Casa\n21/03/1999 10.47.40 collegamento Chiuso  011");
    ASSERT_TRUE(a.archivio.create());
    ASSERT_TRUE(a.append(recordApertura(apertura, 0, 1, 1, nome)));
    const GiornataArchivio giornata = LettoreArchivio::chiamateDelGiorno(a.path, QStringLiteral("21/03/1999"));
    EXPECT_EQ(giornata.esito, GiornataArchivio::Esito::ChiusuraMancante);
}

TEST(ArchivioChiamate, AMissingArchiveIsCreatedAfterTheWarning)
{
    Archivio a;
    EXPECT_FALSE(a.archivio.exists());
    a.prompter.expect(QStringLiteral("Creazione archivio chiamate"));
    ASSERT_TRUE(a.append(recordChiusura(chiusura, 0, 1, 1)));
    ASSERT_EQ(a.prompter.shown.size(), 1);
    EXPECT_EQ(a.prompter.shown.at(0).text, QStringLiteral("Creazione archivio chiamate"));
    EXPECT_EQ(a.prompter.shown.at(0).title, QStringLiteral("Attenzione!"));
    EXPECT_EQ(a.prompter.shown.at(0).icon, Message::Icon::Warning);
    EXPECT_EQ(contenuto(a.path), QByteArray("21/03/1999 10.47.40 collegamento Chiuso  011\r\n"));
}

TEST(ArchivioChiamate, NeverTruncatesAnExistingArchive)
{
    Archivio a;
    scrivi(a.path, "vecchio\r\n");
    QString error;
    EXPECT_FALSE(a.archivio.create(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contenuto(a.path), QByteArray("vecchio\r\n"));

    ASSERT_TRUE(a.archivio.append(QStringLiteral("nuovo")));
    EXPECT_EQ(contenuto(a.path), QByteArray("vecchio\r\nnuovo\r\n"));
}

// An archive edited by hand may end without a line end: the next record
// still starts a line of its own, and the call before it keeps counting.
TEST(ArchivioChiamate, AnUnfinishedLastLineIsEndedFirst)
{
    for (const QByteArray& fine : {QByteArray(), QByteArray("\r"), QByteArray("\n"), QByteArray("\r\n")}) {
        Archivio a;
        const QByteArray vecchio = "21/03/1999 09.00.00 collegamento Aperto  011 Casa\r\n"
                                   "21/03/1999 09.10.00 collegamento Chiuso  011" +
                                   fine;
        scrivi(a.path, vecchio);
        ASSERT_TRUE(a.append(recordApertura(apertura, 0, 1, 1, QStringLiteral("Casa"))));
        ASSERT_TRUE(a.append(recordChiusura(chiusura, 0, 1, 1)));
        const QByteArray atteso = fine.isEmpty() ? vecchio + "\r\n" : vecchio;
        EXPECT_EQ(contenuto(a.path), atteso + "21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\n"
                                              "21/03/1999 10.47.40 collegamento Chiuso  011\r\n")
            << fine.toHex().toStdString();
        EXPECT_EQ(LettoreArchivio::chiamateDelGiorno(a.path, QStringLiteral("21/03/1999")).chiamate.size(), 2);
    }
}

TEST(ArchivioChiamate, PlainAppendNeverCreatesTheArchive)
{
    Archivio a;
    QString error;
    EXPECT_FALSE(a.archivio.append(QStringLiteral("x"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(a.archivio.exists());
}

TEST(ArchivioChiamate, AnArchiveThatCannotBeAppendedToIsReportedAndLeftAlone)
{
    Archivio a;
    // A directory in the archive's place exists but cannot be opened for appending, even by root.
    ASSERT_TRUE(QDir(a.dirs.data()).mkdir(ArchivioChiamate::nomeFile));
    a.prompter.expectContaining(QStringLiteral("Impossibile scrivere nell'archivio chiamate: "));
    EXPECT_FALSE(a.append(recordChiusura(chiusura, 0, 1, 1)));
    ASSERT_EQ(a.prompter.shown.size(), 1);
    EXPECT_TRUE(a.prompter.shown.at(0).text.startsWith(QStringLiteral("Impossibile scrivere nell'archivio chiamate: ")))
        << a.prompter.shown.at(0).text.toStdString();
    EXPECT_GT(a.prompter.shown.at(0).text.size(), 45);
    EXPECT_EQ(a.prompter.shown.at(0).title, QStringLiteral("Attenzione!"));
    EXPECT_TRUE(QFileInfo(a.path).isDir());
    EXPECT_TRUE(QDir(a.path).isEmpty());
}

TEST(ArchivioChiamate, AnArchiveThatCannotBeCreatedIsReported)
{
    TestDirs dirs;
    ArchivioChiamate archivio(QDir(dirs.data()).filePath(QStringLiteral("manca/tqklog.txt")));
    FakePrompter prompter;
    prompter.expect(QStringLiteral("Creazione archivio chiamate"))
        .expectContaining(QStringLiteral("Impossibile scrivere nell'archivio chiamate: "));
    EXPECT_FALSE(appendAndShow(archivio, recordChiusura(chiusura, 0, 1, 1), prompter));
    ASSERT_EQ(prompter.shown.size(), 2);
    EXPECT_EQ(prompter.shown.at(0).text, QStringLiteral("Creazione archivio chiamate"));
    EXPECT_TRUE(prompter.shown.at(1).text.startsWith(QStringLiteral("Impossibile scrivere nell'archivio chiamate: ")));
}

TEST(CopiaArchivio, CopiesToTheTildeNameAndOverwritesTheOldCopy)
{
    TestDirs dirs;
    const QString path = QDir(dirs.data()).filePath(QStringLiteral("tqklog.txt"));
    const QString copia = QDir(dirs.data()).filePath(QStringLiteral("tqklog.tx~"));
    scrivi(copia, "copia vecchia e piu' lunga\r\n");
    scrivi(path, "21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\n");
    EXPECT_TRUE(copiaArchivio(path));
    EXPECT_EQ(contenuto(copia), contenuto(path));
    scrivi(path, QByteArray());
    EXPECT_TRUE(copiaArchivio(path));
    EXPECT_EQ(contenuto(copia), QByteArray());
}

// The copy is made again only when the archive may have changed since.
TEST(CopiaArchivio, ACopyOfTheArchiveAsItIsIsKept)
{
    TestDirs dirs;
    const QString path = QDir(dirs.data()).filePath(QStringLiteral("tqklog.txt"));
    const QString copia = QDir(dirs.data()).filePath(QStringLiteral("tqklog.tx~"));
    const auto inode = [&] {
        struct stat info
        {
        };
        return ::stat(QFile::encodeName(copia).constData(), &info) == 0 ? info.st_ino : ino_t(0);
    };
    const auto datata = [](const QString& file, const QDateTime& quando) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) && f.setFileTime(quando, QFileDevice::FileModificationTime);
    };
    const QDateTime ieri = QDateTime::currentDateTime().addDays(-1);
    scrivi(path, "21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\n");
    ASSERT_TRUE(datata(path, ieri));
    ASSERT_TRUE(copiaArchivio(path));
    const ino_t prima = inode();
    EXPECT_TRUE(copiaArchivio(path));
    EXPECT_EQ(inode(), prima) << "an unchanged archive is not copied again";

    struct Caso
    {
        const char* cosa;
        std::function<void()> cambia;
    };
    const Caso casi[] = {
        {"a record added", [&] { scrivi(path, "21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\nX\r\n"); }},
        {"rewritten to the same size", [&] { scrivi(path, "21/03/1999 10.15.02 collegamento Aperto  011 Cosa\r\n"); }},
        {"the copy's time changed", [&] { ASSERT_TRUE(datata(copia, ieri.addSecs(-60))); }},
        {"the copy's bytes cut", [&] { scrivi(copia, "21/03/1999\r\n"); }},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.cosa);
        const ino_t vecchio = inode();
        caso.cambia();
        EXPECT_TRUE(copiaArchivio(path));
        EXPECT_NE(inode(), vecchio);
        EXPECT_EQ(contenuto(copia), contenuto(path));
    }
}

TEST(CopiaArchivio, AFailedCopyLeavesTheOldCopy)
{
    TestDirs dirs;
    const QString copia = QDir(dirs.data()).filePath(QStringLiteral("tqklog.tx~"));
    scrivi(copia, "copia vecchia\r\n");
    EXPECT_FALSE(copiaArchivio(QDir(dirs.data()).filePath(QStringLiteral("tqklog.txt"))));
    EXPECT_EQ(contenuto(copia), QByteArray("copia vecchia\r\n"));
    EXPECT_FALSE(copiaArchivio(QString()));
}

TEST(CopiaArchivio, AFullDiskKeepsTheOldCopyAndLeavesNoPartOfTheNewOne)
{
    TestDirs dirs;
    const QString cartella = QDir(dirs.data()).filePath(QStringLiteral("disco"));
    SmallTmpfs disco(cartella);
    if (!disco.mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    const QString path = QDir(cartella).filePath(QStringLiteral("tqklog.txt"));
    const QString copia = QDir(cartella).filePath(QStringLiteral("tqklog.tx~"));
    scrivi(copia, "copia vecchia\r\n");
    scrivi(path, QByteArray(40 * 1024, 'x'));
    EXPECT_FALSE(copiaArchivio(path));
    EXPECT_EQ(contenuto(copia), QByteArray("copia vecchia\r\n"));
    EXPECT_EQ(QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("tqklog.txt"), QStringLiteral("tqklog.tx~")}));

    // Room again: the copy is made, and a piece left by a copy cut short goes.
    scrivi(path, "21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\n");
    scrivi(copia + QStringLiteral(".nuova"), "resto\r\n");
    EXPECT_TRUE(copiaArchivio(path));
    EXPECT_EQ(contenuto(copia), contenuto(path));
    EXPECT_FALSE(QFile::exists(copia + QStringLiteral(".nuova")));
}

struct ValidCase
{
    const char* name;
    QByteArray bytes;
    bool valido;
};

void PrintTo(const ValidCase& c, std::ostream* os)
{
    *os << c.name;
}

class ArchivioValido : public ::testing::TestWithParam<ValidCase>
{
};

TEST_P(ArchivioValido, LooksAtTheFirstLine)
{
    TestDirs dirs;
    const QString path = QDir(dirs.data()).filePath(QStringLiteral("altro.txt"));
    scrivi(path, GetParam().bytes);
    EXPECT_EQ(archivioValido(path), GetParam().valido);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchivioValido,
    ::testing::Values(
        ValidCase{"45-character opening, no entry",
                  "21/03/1999 10.15.02 collegamento Aperto  011 \r\n21/03/1999 10.47.40 collegamento Chiuso  011\r\n",
                  true},
        ValidCase{"44-character opening", "21/03/1999 10.15.02 collegamento Aperto  011\r\n", true},
        ValidCase{"lf and no final end", "21/03/1999 10.15.02 collegamento Aperto  011 Casa", true},
        ValidCase{"cr only", "21/03/1999 10.15.02 collegamento Aperto  011\r21/03/1999 10.47", true},
        ValidCase{"closing first",
                  "21/03/1999 10.47.40 collegamento Chiuso  011\r\n21/03/1999 10.15.02 collegamento Aperto  011 \r\n",
                  false},
        ValidCase{"an entry name longer than the first read",
                  "21/03/1999 10.15.02 collegamento Aperto  011 " + QByteArray(5000, 'x') + "\r\n", true},
        ValidCase{"a large file without line ends", QByteArray(3 * 1024 * 1024, 'x'), false},
        ValidCase{"empty", QByteArray(), false},
        ValidCase{"empty first line", "\r\n21/03/1999 10.15.02 collegamento Aperto  011 \r\n", false},
        ValidCase{"oldest format", "21/03/1999 10.15.02 collegamento Aperto  0\r\n", false},
        ValidCase{"43 characters", "21/03/1999 10.15.02 collegamento Aperto  01\r\n", false},
        ValidCase{"other text", "Caro diario, oggi ho navigato per ore su Internet.\r\n", false}));

TEST(ArchivioValido, AMissingFileIsNotAnArchive)
{
    TestDirs dirs;
    EXPECT_FALSE(archivioValido(QDir(dirs.data()).filePath(QStringLiteral("nessuno.txt"))));
    EXPECT_FALSE(archivioValido(dirs.data()));
}

} // namespace
