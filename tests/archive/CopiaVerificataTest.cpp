#include "archive/CopiaVerificata.h"
#include "archive/ArchivioChiamate.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void scrivi(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Longer than one block of the copy, every byte value, CR LF line ends.
QByteArray archivioGrande()
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < 200 * 1024; ++i)
        bytes += "06/12/1999 10.15.02 collegamento Aperto  021 Citt\xe0 \x80\x9f" + QByteArray::number(i) + "\r\n";
    return bytes;
}

struct Cartella
{
    TestDirs dirs;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    QString altrove(const char* nome) const { return dirs.path() + QLatin1Char('/') + QLatin1String(nome); }
};

TEST(CopiaVerificata, CopiesEveryByteAndReplacesAnOlderCopy)
{
    Cartella c;
    const QByteArray bytes = archivioGrande();
    scrivi(c.archivio, bytes);
    const QString copia = c.altrove("copia.txt");
    scrivi(copia, "una copia vecchia e più lunga di quanto serva");
    QString errore;
    ASSERT_TRUE(copiaVerificata(c.archivio, copia, &errore)) << errore.toStdString();
    EXPECT_EQ(leggi(copia), bytes);
    EXPECT_EQ(leggi(c.archivio), bytes);
    EXPECT_TRUE(stessoContenuto(c.archivio, copia));
}

TEST(CopiaVerificata, AFailedCopyLeavesNoFileAndSaysWhy)
{
    Cartella c;
    scrivi(c.archivio, "06/12/1999 10.15.02 collegamento Aperto  021 Casa\r\n");
    struct Caso
    {
        QString destinazione;
        const char* perche;
    };
    QDir(c.dirs.path()).mkdir(QStringLiteral("cartella.txt"));
    const Caso casi[] = {
        {c.altrove("manca/copia.txt"), "a folder that does not exist"},
        {c.altrove("cartella.txt"), "a folder in the copy's place"},
        {c.archivio, "the archive itself"},
        {c.dirs.data() + QStringLiteral("/../data/tqklog.txt"), "the archive by another path"},
    };
    for (const Caso& caso : casi) {
        QString errore;
        EXPECT_FALSE(copiaVerificata(c.archivio, caso.destinazione, &errore)) << caso.perche;
        EXPECT_TRUE(errore.startsWith(QStringLiteral("Impossibile copiare "))) << errore.toStdString();
        EXPECT_GT(errore.size(),
                  QStringLiteral("Impossibile copiare %1 in %2: ")
                      .arg(QDir::toNativeSeparators(c.archivio), QDir::toNativeSeparators(caso.destinazione))
                      .size())
            << caso.perche << ": the system's reason is missing";
        EXPECT_EQ(leggi(c.archivio), QByteArray("06/12/1999 10.15.02 collegamento Aperto  021 Casa\r\n"));
    }
    EXPECT_FALSE(QFile::exists(c.altrove("manca/copia.txt")));
    EXPECT_TRUE(QFileInfo(c.altrove("cartella.txt")).isDir());
    EXPECT_FALSE(copiaVerificata(c.altrove("nessuno.txt"), c.altrove("copia.txt")));
    EXPECT_FALSE(QFile::exists(c.altrove("copia.txt")));
}

// A link to the archive at the copy's name is replaced by the copy, never
// written through: the archive stays as it was.
TEST(CopiaVerificata, ALinkToTheArchiveIsReplacedByTheCopy)
{
    Cartella c;
    scrivi(c.archivio, "dati\r\n");
    const QString link = c.altrove("collegamento.txt");
    ASSERT_TRUE(QFile::link(c.archivio, link));
    EXPECT_TRUE(copiaVerificata(c.archivio, link));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(leggi(link), QByteArray("dati\r\n"));
    EXPECT_EQ(leggi(c.archivio), QByteArray("dati\r\n"));
}

TEST(CopiaVerificata, SameContentComparesSizeAndBytes)
{
    Cartella c;
    scrivi(c.altrove("a"), "abc");
    scrivi(c.altrove("b"), "abc");
    scrivi(c.altrove("c"), "abd");
    scrivi(c.altrove("d"), "abcd");
    QString errore;
    EXPECT_TRUE(stessoContenuto(c.altrove("a"), c.altrove("b"), &errore));
    EXPECT_FALSE(stessoContenuto(c.altrove("a"), c.altrove("c"), &errore));
    EXPECT_FALSE(stessoContenuto(c.altrove("a"), c.altrove("d"), &errore));
    EXPECT_TRUE(errore.contains(QStringLiteral("4 byte"))) << errore.toStdString();
    EXPECT_FALSE(stessoContenuto(c.altrove("a"), c.altrove("manca"), &errore));
}

TEST(SostituisciFile, ReplacesWholeKeepingPermissionsAndRecordsAppendedMeanwhile)
{
    Cartella c;
    scrivi(c.archivio, "vecchio\r\n");
    QFile::setPermissions(c.archivio, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A record appended after the archive was read is carried over.
    scrivi(c.archivio, "vecchio\r\nnuovo record\r\n");
    QString errore;
    ASSERT_TRUE(sostituisciFile(c.archivio, "riscritto\r\n", 9, &errore)) << errore.toStdString();
    EXPECT_EQ(leggi(c.archivio), QByteArray("riscritto\r\nnuovo record\r\n"));
    const QFileDevice::Permissions permessi = QFile::permissions(c.archivio);
    EXPECT_TRUE(permessi.testFlag(QFileDevice::ReadOwner) && permessi.testFlag(QFileDevice::WriteOwner));
    EXPECT_FALSE(permessi & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther));

    // A file shorter than what was read was changed by someone else: left alone.
    EXPECT_FALSE(sostituisciFile(c.archivio, "altro\r\n", 1000, &errore));
    EXPECT_EQ(leggi(c.archivio), QByteArray("riscritto\r\nnuovo record\r\n"));

    EXPECT_FALSE(sostituisciFile(c.altrove("manca/tqklog.txt"), "x", 0, &errore));
    EXPECT_TRUE(errore.startsWith(QStringLiteral("Impossibile scrivere "))) << errore.toStdString();
}

TEST(SostituisciFile, BackupNames)
{
    EXPECT_EQ(nomeCopiaDiSicurezza(QStringLiteral("/d/tqklog.txt")), QStringLiteral("/d/tqklog.tx~"));
    EXPECT_EQ(nomeCopiaDiSicurezza(QStringLiteral("/d/altro.log")), QStringLiteral("/d/altro.lo~"));
    // The backup itself, opened as the archive, is not its own backup.
    EXPECT_EQ(nomeCopiaDiSicurezza(QStringLiteral("/d/tqklog.tx~")), QStringLiteral("/d/tqklog.tx~~"));
}

} // namespace

// On a full disk nothing that replaces a file reports success: each of them
// fails with the system's reason and leaves the file it would have replaced
// exactly as it was, with no half file beside it.
TEST(CopiaVerificata, AFullDiskLeavesEveryReplacedFileAsItWas)
{
    struct Caso
    {
        const char* nome;
        std::function<bool(const QString& sorgente, const QString& bersaglio, QString* errore)> sostituisci;
    };
    const Caso casi[] = {
        {"copiaVerificata", [](const QString& s, const QString& b, QString* e) { return copiaVerificata(s, b, e); }},
        {"copiaArchivio", [](const QString& s, const QString&, QString* e) { return copiaArchivio(s, e); }},
        {"sostituisciFile",
         [](const QString& s, const QString&, QString* e) {
             QFile letto(s);
             letto.open(QIODevice::ReadOnly);
             const QByteArray vecchio = letto.readAll();
             return sostituisciFile(s, vecchio + vecchio, vecchio.size(), e);
         }},
    };
    for (const Caso& caso : casi) {
        TestDirs dirs;
        SmallTmpfs disco(dirs.data());
        if (!disco.mounted())
            GTEST_SKIP() << "mounting a small tmpfs needs root";
        const QString sorgente = dirs.data() + QStringLiteral("/tqklog.txt");
        const QString bersaglio = dirs.data() + QStringLiteral("/tqklog.tx~");
        const QByteArray archivio(20 * 1024, 'a');
        const QByteArray precedente(6 * 1024, 'p');
        for (const auto& [path, bytes] : {std::pair{sorgente, archivio}, std::pair{bersaglio, precedente}}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(bytes), bytes.size());
        }
        ASSERT_TRUE(disco.fill());
        QString errore;
        EXPECT_FALSE(caso.sostituisci(sorgente, bersaglio, &errore)) << caso.nome;
        EXPECT_FALSE(errore.isEmpty()) << caso.nome;
        for (const auto& [path, bytes] : {std::pair{sorgente, archivio}, std::pair{bersaglio, precedente}}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), bytes) << caso.nome << " " << path.toStdString();
        }
        EXPECT_EQ(QDir(dirs.data()).entryList(QDir::Files | QDir::Hidden).size(), 3) << caso.nome;
    }
}
