#include "archive/LettoreArchivio.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <array>
#include <gtest/gtest.h>

namespace {

using Esito = GiornataArchivio::Esito;

QString scrivi(const TestDirs& dirs, const QByteArray& bytes, const QString& nome = QStringLiteral("tqklog.txt"))
{
    const QString path = QDir(dirs.data()).filePath(nome);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}

QStringList righe(const QString& path)
{
    QStringList lette;
    QString error;
    EXPECT_TRUE(LettoreArchivio::leggiRighe(path, lette, &error)) << error.toStdString();
    return lette;
}

struct LineCase
{
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

class LineEnds : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineEnds, AreCrLfLfOrCr)
{
    TestDirs dirs;
    EXPECT_EQ(righe(scrivi(dirs, GetParam().bytes)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEnds,
    ::testing::Values(LineCase{"empty file", QByteArray(), {}},
                      LineCase{"crlf", "a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
                      LineCase{"lf", "a\nb\n", {QStringLiteral("a"), QStringLiteral("b")}},
                      LineCase{"cr", "a\rb\r", {QStringLiteral("a"), QStringLiteral("b")}},
                      LineCase{"no final end", "a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},
                      LineCase{"empty lines",
                               "\r\n\r\na\n\nb\r\r",
                               {QString(), QString(), QStringLiteral("a"), QString(), QStringLiteral("b"), QString()}},
                      LineCase{"lf cr is two ends", "a\n\rb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
                      LineCase{"windows-1252", "Citt\xE0 \x80\r\n", {QStringLiteral("Città €")}}));

TEST(LettoreArchivio, ACrLfSplitAcrossReadsIsOneLineEnd)
{
    TestDirs dirs;
    for (int lunghezza : {65534, 65535, 65536, 131071}) {
        const QByteArray lunga(lunghezza, 'x');
        const QStringList lette = righe(scrivi(dirs, lunga + "\r\nfine\r\n"));
        ASSERT_EQ(lette.size(), 2) << lunghezza;
        EXPECT_EQ(lette.at(0).size(), lunghezza);
        EXPECT_EQ(lette.at(1), QStringLiteral("fine"));
    }
}

// Lines of every length up to several reading blocks, with CR LF, LF and CR
// ends, read as a byte-by-byte split reads them.
TEST(LettoreArchivio, SplitsAsAByteByByteReading)
{
    TestDirs dirs;
    for (quint32 seed : {1u, 2u, 3u}) {
        QRandomGenerator random(seed);
        QByteArray bytes;
        while (bytes.size() < 400000) {
            const int lunghezza = random.bounded(8) == 0 ? random.bounded(140000) : random.bounded(90);
            bytes += QByteArray(lunghezza, static_cast<char>('a' + random.bounded(26)));
            bytes += std::array<const char*, 4>{"\r\n", "\n", "\r", "\r\n"}[random.bounded(4)];
        }
        if (seed == 3)
            bytes += "ultima senza fine";

        QStringList attese;
        QByteArray riga;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\r' && bytes[i] != '\n') {
                riga += bytes[i];
                continue;
            }
            attese.append(QString::fromLatin1(riga));
            riga.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        }
        if (!riga.isEmpty())
            attese.append(QString::fromLatin1(riga));
        EXPECT_EQ(righe(scrivi(dirs, bytes)), attese) << seed;
    }
}

TEST(LettoreArchivio, AMissingOrUnreadableArchiveIsTold)
{
    TestDirs dirs;
    const QString mancante = QDir(dirs.data()).filePath(QStringLiteral("tqklog.txt"));
    EXPECT_EQ(LettoreArchivio::chiamateDelGiorno(mancante, QStringLiteral("21/03/1999")).esito, Esito::Inesistente);
    QStringList lette;
    EXPECT_FALSE(LettoreArchivio::leggiRighe(mancante, lette));

    ASSERT_TRUE(QDir(dirs.data()).mkdir(QStringLiteral("tqklog.txt")));
    const GiornataArchivio giornata = LettoreArchivio::chiamateDelGiorno(mancante, QStringLiteral("21/03/1999"));
    EXPECT_EQ(giornata.esito, Esito::Illeggibile);
    EXPECT_FALSE(giornata.errore.isEmpty());
}

const char aperta[] = "21/03/1999 10.15.02 collegamento Aperto  011 Casa";
const char chiusa[] = "21/03/1999 10.47.40 collegamento Chiuso  011";
const char aperta2[] = "21/03/1999 12.00.00 collegamento Aperto  011 ";
const char chiusa2[] = "21/03/1999 12.10.00 collegamento Chiuso  011";
const char altroGiorno[] = "20/03/1999 09.00.00 collegamento Aperto  011 Casa";
const char chiusaAltroGiorno[] = "20/03/1999 09.30.00 collegamento Chiuso  011";

struct PairingCase
{
    const char* name;
    std::vector<const char*> righe;
    const char* giorno;
    Esito esito;
    int chiamate;
    const char* senzaChiusura;
};

void PrintTo(const PairingCase& c, std::ostream* os)
{
    *os << c.name;
}

class Pairing : public ::testing::TestWithParam<PairingCase>
{
};

QStringList lista(const std::vector<const char*>& righe)
{
    QStringList l;
    for (const char* r : righe)
        l.append(QString::fromLatin1(r));
    return l;
}

void verifica(const GiornataArchivio& g, const PairingCase& c)
{
    EXPECT_EQ(g.esito, c.esito);
    EXPECT_EQ(g.chiamate.size(), c.chiamate);
    EXPECT_EQ(g.aperturaSenzaChiusura.riga, QString::fromLatin1(c.senzaChiusura));
    for (const ChiamataArchivio& chiamata : g.chiamate) {
        EXPECT_TRUE(chiamata.apertura.apertura());
        EXPECT_EQ(chiamata.apertura.data(), QString::fromLatin1(c.giorno));
        EXPECT_TRUE(chiamata.chiusura.chiusura());
    }
}

TEST_P(Pairing, FindsTheCallsOfOneDay)
{
    const PairingCase& c = GetParam();
    verifica(LettoreArchivio::chiamateDelGiorno(lista(c.righe), QString::fromLatin1(c.giorno)), c);
}

TEST_P(Pairing, ReadsTheSameFromTheFileWhateverTheLineEnds)
{
    const PairingCase& c = GetParam();
    TestDirs dirs;
    for (const char* fine : {"\r\n", "\n", "\r"}) {
        const QString path = scrivi(dirs, lista(c.righe).join(QLatin1String(fine)).toLatin1() + fine);
        verifica(LettoreArchivio::chiamateDelGiorno(path, QString::fromLatin1(c.giorno)), c);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pairing,
    ::testing::Values(
        PairingCase{"one call", {aperta, chiusa}, "21/03/1999", Esito::Completa, 1, ""},
        PairingCase{"two calls among other days",
                    {altroGiorno, chiusaAltroGiorno, aperta, chiusa, aperta2, chiusa2},
                    "21/03/1999",
                    Esito::Completa,
                    2,
                    ""},
        PairingCase{"one empty line tolerated", {aperta, "", chiusa}, "21/03/1999", Esito::Completa, 1, ""},
        PairingCase{"two empty lines are a missing closure",
                    {aperta, "", "", chiusa},
                    "21/03/1999",
                    Esito::ChiusuraMancante,
                    0,
                    aperta},
        PairingCase{
            "closing missing at the end", {aperta, chiusa, aperta2}, "21/03/1999", Esito::ChiusuraMancante, 1, aperta2},
        PairingCase{"closing missing at the end after an empty line",
                    {aperta2, ""},
                    "21/03/1999",
                    Esito::ChiusuraMancante,
                    0,
                    aperta2},
        PairingCase{"an opening followed by an opening",
                    {aperta, aperta2, chiusa2},
                    "21/03/1999",
                    Esito::ChiusuraMancante,
                    0,
                    aperta},
        PairingCase{"another day's unpaired opening is skipped",
                    {altroGiorno, aperta, chiusa},
                    "21/03/1999",
                    Esito::Completa,
                    1,
                    ""},
        PairingCase{"no call that day", {altroGiorno, chiusaAltroGiorno}, "21/03/1999", Esito::Completa, 0, ""},
        PairingCase{
            "across midnight, opening day",
            {"31/12/1999 23.50.00 collegamento Aperto  011 Casa", "01/01/2000 00.20.00 collegamento Chiuso  011"},
            "31/12/1999",
            Esito::Completa,
            1,
            ""},
        PairingCase{
            "across midnight, closing day",
            {"31/12/1999 23.50.00 collegamento Aperto  011 Casa", "01/01/2000 00.20.00 collegamento Chiuso  011"},
            "01/01/2000",
            Esito::Completa,
            0,
            ""}));

} // namespace

namespace {

// A line far longer than any record (a file that is no archive) is cut, so
// it never fills the memory; the lines after it are read as they are.
TEST(LettoreArchivio, ALineLongerThanTheLimitIsCut)
{
    TestDirs dirs;
    const QByteArray lunga(LettoreArchivio::maxLine + 100000, 'x');
    const QString path = scrivi(dirs, "prima\r\n" + lunga + "\r\nfine");
    LettoreArchivio lettore(path);
    ASSERT_TRUE(lettore.open());
    QByteArrayView riga;
    ASSERT_TRUE(lettore.next(riga));
    EXPECT_EQ(riga, QByteArrayView("prima"));
    ASSERT_TRUE(lettore.next(riga));
    EXPECT_GE(riga.size(), LettoreArchivio::maxLine);
    EXPECT_LT(riga.size(), lunga.size());
    ASSERT_TRUE(lettore.next(riga));
    EXPECT_EQ(riga, QByteArrayView("fine"));
    EXPECT_FALSE(lettore.next(riga));
    EXPECT_EQ(lettore.consumed(), lettore.size());
}

} // namespace
