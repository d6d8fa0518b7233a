#include "reports/CancellazioneArchivio.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray contenuto = "06/12/1999 10.15.02 collegamento Aperto  021 Citt\xe0\r\n"
                             "06/12/1999 10.45.00 collegamento Chiuso  021\r\n";

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct Cartella
{
    TestDirs dirs;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    CancellazioneArchivio cancellazione{archivio};

    Cartella()
    {
        QFile file(archivio);
        if (file.open(QIODevice::WriteOnly))
            file.write(contenuto);
    }
};

TEST(CancellazioneArchivio, RefusedWithoutACopy)
{
    Cartella c;
    QString errore;
    EXPECT_FALSE(c.cancellazione.elimina(&errore));
    EXPECT_EQ(errore, QStringLiteral("Impossibile cancellare se non si crea una copia !"));
    EXPECT_EQ(leggi(c.archivio), contenuto);
}

TEST(CancellazioneArchivio, RefusedAfterACopyThatFailed)
{
    Cartella c;
    ASSERT_TRUE(QDir(c.dirs.path()).mkdir(QStringLiteral("cartella.txt")));
    const QString destinazioni[] = {c.dirs.path() + QStringLiteral("/manca/copia.txt"),
                                    c.dirs.path() + QStringLiteral("/cartella.txt"), c.archivio};
    for (const QString& destinazione : destinazioni) {
        QString errore;
        EXPECT_FALSE(c.cancellazione.copia(destinazione, &errore));
        EXPECT_TRUE(errore.endsWith(QStringLiteral("\rL'archivio chiamate non è stato eliminato.")))
            << errore.toStdString();
        EXPECT_TRUE(c.cancellazione.copiaFatta().isEmpty());
        EXPECT_FALSE(c.cancellazione.elimina(&errore));
        EXPECT_EQ(leggi(c.archivio), contenuto);
    }
    // A good copy does not survive a later one that failed.
    ASSERT_TRUE(c.cancellazione.copia(c.dirs.path() + QStringLiteral("/buona.txt")));
    EXPECT_FALSE(c.cancellazione.copia(destinazioni[0]));
    EXPECT_FALSE(c.cancellazione.elimina());
    EXPECT_EQ(leggi(c.archivio), contenuto);
}

TEST(CancellazioneArchivio, DeletesAfterAGoodCopy)
{
    Cartella c;
    const QString copia = c.dirs.path() + QStringLiteral("/mese_anno.txt");
    QString errore;
    ASSERT_TRUE(c.cancellazione.copia(copia, &errore)) << errore.toStdString();
    EXPECT_EQ(c.cancellazione.copiaFatta(), copia);
    ASSERT_TRUE(c.cancellazione.elimina(&errore)) << errore.toStdString();
    EXPECT_FALSE(QFile::exists(c.archivio));
    EXPECT_EQ(leggi(copia), contenuto);
}

TEST(CancellazioneArchivio, RefusedWhenTheArchiveChangedAfterTheCopy)
{
    Cartella c;
    const QString copia = c.dirs.path() + QStringLiteral("/mese_anno.txt");
    ASSERT_TRUE(c.cancellazione.copia(copia));
    QFile file(c.archivio);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("07/12/1999 09.00.00 collegamento Aperto  011 Casa\r\n");
    file.close();
    QString errore;
    EXPECT_FALSE(c.cancellazione.elimina(&errore));
    EXPECT_TRUE(errore.startsWith(QStringLiteral("L'archivio chiamate non è stato eliminato"))) << errore.toStdString();
    EXPECT_TRUE(QFile::exists(c.archivio));
}

} // namespace
