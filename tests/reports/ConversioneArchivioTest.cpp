#include "reports/ConversioneArchivio.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Esito = ConversioneArchivio::Esito;

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

// Old records: 42 characters up to the holiday digit.
const QByteArray vecchiaA = "06/12/1999 10.15.02 collegamento Aperto  0";
const QByteArray vecchiaC = "06/12/1999 10.45.00 collegamento Chiuso  0";

struct Caso
{
    const char* nome;
    QByteArray vecchio;
    QByteArray nuovo;
};

void PrintTo(const Caso& c, std::ostream* os)
{
    *os << c.nome;
}

class Converti : public ::testing::TestWithParam<Caso>
{
};

TEST_P(Converti, LinesOfTheOldFormatGainClassAndTariffType)
{
    EXPECT_EQ(ConversioneArchivio::converti(GetParam().vecchio), GetParam().nuovo);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, Converti,
    ::testing::Values(Caso{"fortyTwo", vecchiaA + "\r\n", vecchiaA + "11\r\n"},
                      Caso{"fortyThreeLosesItsLastCharacter", vecchiaA + "X\r\n", vecchiaA + "11\r\n"},
                      Caso{"fortyFourStays", vecchiaC + "21\r\n", vecchiaC + "21\r\n"},
                      Caso{"currentOpeningStays", vecchiaA + "21 Citt\xe0\r\n", vecchiaA + "21 Citt\xe0\r\n"},
                      Caso{"emptyLine", vecchiaA + "11\r\n\r\n" + vecchiaA + "\r\n",
                           vecchiaA + "11\r\n11\r\n" + vecchiaA + "11\r\n"},
                      Caso{"emptyLineWithinACallStaysEmpty", vecchiaA + "\r\n\r\n" + vecchiaC + "\r\n",
                           vecchiaA + "11\r\n\r\n" + vecchiaC + "11\r\n"},
                      Caso{"shortLine", "abc\r\n", "abc11\r\n"},
                      Caso{"everyLineEndBecomesCrLf", vecchiaA + "\n" + vecchiaC + "\r" + vecchiaA + "21 \xe8\x80",
                           vecchiaA + "11\r\n" + vecchiaC + "11\r\n" + vecchiaA + "21 \xe8\x80\r\n"},
                      Caso{"emptyFile", "", ""}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.nome); });

TEST(ConversioneArchivio, ConvertingTwiceChangesNothingMore)
{
    const QByteArray una = ConversioneArchivio::converti(vecchiaA + "\r\n" + vecchiaC + "X\r\n");
    EXPECT_EQ(ConversioneArchivio::converti(una), una);
}

struct Cartella
{
    TestDirs dirs;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    QString copia = dirs.data() + QStringLiteral("/tqklog_old.txt");
};

TEST(ConversioneArchivio, KeepsTheOldArchiveAsTqklogOld)
{
    Cartella c;
    EXPECT_EQ(ConversioneArchivio::nomeCopia(c.archivio), c.copia);
    const QByteArray vecchio = vecchiaA + "\r\n" + vecchiaC + "\r\n";
    scrivi(c.archivio, vecchio);
    scrivi(c.copia, "una copia precedente");
    const ConversioneArchivio::Risultato r = ConversioneArchivio(c.archivio).esegui();
    ASSERT_EQ(r.esito, Esito::Convertito) << r.messaggio.toStdString();
    EXPECT_EQ(r.messaggio, QStringLiteral("Conversione Terminata con successo!"));
    EXPECT_EQ(leggi(c.copia), vecchio);
    EXPECT_EQ(leggi(c.archivio), vecchiaA + "11\r\n" + vecchiaC + "11\r\n");
}

TEST(ConversioneArchivio, NothingChangesWithoutTheArchiveOrItsCopy)
{
    Cartella c;
    ConversioneArchivio::Risultato r = ConversioneArchivio(c.archivio).esegui();
    EXPECT_EQ(r.esito, Esito::ArchivioMancante);
    EXPECT_EQ(r.messaggio, QStringLiteral("L'archivio chiamate non esiste!"));
    EXPECT_EQ(QDir(c.dirs.data()).entryList(QDir::Files), QStringList());

    // A copy that cannot be made: a folder named tqklog_old.txt.
    const QByteArray vecchio = vecchiaA + "\r\n";
    scrivi(c.archivio, vecchio);
    ASSERT_TRUE(QDir(c.dirs.data()).mkdir(QStringLiteral("tqklog_old.txt")));
    r = ConversioneArchivio(c.archivio).esegui();
    EXPECT_EQ(r.esito, Esito::NonRiuscita);
    EXPECT_TRUE(r.messaggio.contains(QStringLiteral("tqklog_old.txt"))) << r.messaggio.toStdString();
    EXPECT_EQ(leggi(c.archivio), vecchio);
}

} // namespace
