#include "archive/PrezzaChiamata.h"
#include "settings/Conversion.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tariff/BandCache.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <limits>

namespace {

// 22/03/1999 was a Monday.

QString record(const char* dataOra, const char* evento, int festivo, int classe, int tipo)
{
    return QStringLiteral("%1 collegamento %2  %3%4%5")
        .arg(QLatin1String(dataOra), QLatin1String(evento))
        .arg(festivo)
        .arg(classe)
        .arg(tipo);
}

RecordArchivio apertura(const char* dataOra, int classe = 1, int tipo = 1, int festivo = 0)
{
    return RecordArchivio(record(dataOra, "Aperto", festivo, classe, tipo) + QStringLiteral(" Casa"));
}

RecordArchivio chiusura(const char* dataOra, int classe = 1, int tipo = 1, int festivo = 0)
{
    return RecordArchivio(record(dataOra, "Chiuso", festivo, classe, tipo));
}

CallPrice prezzo(const RecordArchivio& a, const RecordArchivio& c, const StatoProgramma& stato,
                 const PricingSettings& impostazioni = {})
{
    const std::optional<CallPrice> p = prezzaChiamata(a, c, stato, impostazioni);
    if (!p)
        throw std::logic_error("call not priced");
    return *p;
}

struct WorkedCase
{
    const char* dalle;
    const char* alle;
    int classe;
    int tipo;
    qint64 durata;
    qint64 scatti;
    qint64 costo;
    qint64 prima; // seconds before the band change, -1 when there is none
};

void PrintTo(const WorkedCase& c, std::ostream* os)
{
    *os << c.dalle << " to " << c.alle << " class " << c.classe << " type " << c.tipo;
}

class WorkedFigures : public ::testing::TestWithParam<WorkedCase>
{
};

TEST_P(WorkedFigures, MatchTheFactorySettings)
{
    const WorkedCase& w = GetParam();
    const QByteArray dalle = QByteArray("22/03/1999 ") + w.dalle;
    const QByteArray alle = QByteArray("22/03/1999 ") + w.alle;
    const CallPrice p = prezzo(apertura(dalle.constData(), w.classe, w.tipo),
                               chiusura(alle.constData(), w.classe, w.tipo), StatoProgramma::fromFactoryDefaults());
    EXPECT_EQ(p.durata, w.durata);
    EXPECT_EQ(p.scatti, w.scatti);
    EXPECT_EQ(p.costo, w.costo);
    EXPECT_EQ(p.cambioFascia, w.prima >= 0);
    if (w.prima >= 0) {
        EXPECT_EQ(p.secondiPrima, w.prima);
        EXPECT_EQ(p.secondiDopo, w.durata - w.prima);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedFigures,
                         ::testing::Values(WorkedCase{"10.00.00", "10.05.00", 1, 1, 300, 2, 304, -1},
                                           WorkedCase{"10.00.00", "10.20.00", 1, 2, 1200, 6, 608, -1},
                                           WorkedCase{"07.50.00", "08.10.00", 1, 1, 1200, 4, 608, 600},
                                           WorkedCase{"10.00.00", "10.05.00", 2, 2, 300, 5, 532, -1},
                                           WorkedCase{"18.25.00", "18.35.00", 2, 2, 600, 6, 684, 301},
                                           WorkedCase{"18.29.00", "18.35.00", 2, 2, 360, 2, 304, 61},
                                           WorkedCase{"10.00.00", "10.00.00", 3, 2, 0, 0, 0, -1},
                                           // A unit falls exactly when a whole interval has elapsed.
                                           WorkedCase{"10.00.00", "10.03.39", 1, 1, 219, 1, 152, -1},
                                           WorkedCase{"10.00.00", "10.03.40", 1, 1, 220, 2, 304, -1},
                                           // A TUT call of exactly ridTutDopo + 1 units is all at full price.
                                           WorkedCase{"10.00.00", "10.07.19", 1, 2, 439, 2, 304, -1},
                                           WorkedCase{"10.00.00", "10.07.20", 1, 2, 440, 3, 380, -1},
                                           // A tariff type the writers never write costs nothing.
                                           WorkedCase{"10.00.00", "10.05.00", 1, 3, 300, 2, 0, -1}));

struct SettingsCase
{
    const char* nome;
    PricingSettings impostazioni;
    const char* alle; // from 22/03/1999 10.00.00, class 2, "Agevolata", interval 750
    qint64 scatti;
    qint64 costo;
};

void PrintTo(const SettingsCase& c, std::ostream* os)
{
    *os << c.nome;
}

class LongDistanceReduction : public ::testing::TestWithParam<SettingsCase>
{
};

TEST_P(LongDistanceReduction, StartsAfterRidTelDopoSeconds)
{
    const SettingsCase& c = GetParam();
    const QByteArray alle = QByteArray("22/03/1999 ") + c.alle;
    const CallPrice p = prezzo(apertura("22/03/1999 10.00.00", 2, 2), chiusura(alle.constData(), 2, 2),
                               StatoProgramma::fromFactoryDefaults(), c.impostazioni);
    EXPECT_EQ(p.scatti, c.scatti);
    EXPECT_EQ(p.costo, c.costo);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LongDistanceReduction,
    ::testing::Values(SettingsCase{"74s full price", {50, 1, 50, 74, 0}, "10.01.14", 1, 152},
                      SettingsCase{"75s reduced", {50, 1, 50, 74, 0}, "10.01.15", 2, 152 + 76},
                      SettingsCase{"120s with an extra unit full price", {50, 1, 50, 120, 1}, "10.02.00", 3, 456},
                      SettingsCase{"121s with an extra unit reduced", {50, 1, 50, 120, 1}, "10.02.01", 3, 380},
                      SettingsCase{"reduced to a third", {50, 1, 33, 120, 0}, "10.05.00", 5, 152 + 152 + 3 * 50}));

TEST(PrezzaChiamata, ExtraUnitAlsoOnTheNormaleType)
{
    PricingSettings extra;
    extra.frazioneScatto = 1;
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const CallPrice p = prezzo(apertura("22/03/1999 10.00.00"), chiusura("22/03/1999 10.05.00"), stato, extra);
    EXPECT_EQ(p.scatti, 3);
    EXPECT_EQ(p.costo, 3 * 152);
    const CallPrice zero = prezzo(apertura("22/03/1999 10.00.00"), chiusura("22/03/1999 10.00.00"), stato, extra);
    EXPECT_EQ(zero.scatti, 0);
    EXPECT_EQ(zero.costo, 0);
}

TEST(PrezzaChiamata, MidnightCrossingSplitsAtTheStartOfTheClosingBand)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.feriali[2] = QStringLiteral("00.00.00-07.59.59-3000-1500-0800-0500");
    const CallPrice p = prezzo(apertura("22/03/1999 23.50.00"), chiusura("23/03/1999 00.20.00"), stato);
    EXPECT_TRUE(p.cambioFascia);
    EXPECT_EQ(p.secondiPrima, 600);
    EXPECT_EQ(p.secondiDopo, 1200);
    EXPECT_EQ(p.durata, 1800);
    EXPECT_EQ(p.scatti, 6000 / 4000 + 12000 / 3000 + 1);
}

TEST(PrezzaChiamata, OnlyOneBandChangeIsConsidered)
{
    // 07.50 to 18.40 crosses 08.00.00 and 18.30.01; opening and closing are
    // both at 4000, so the whole call is priced at 4000.
    const CallPrice p = prezzo(apertura("22/03/1999 07.50.00"), chiusura("22/03/1999 18.40.00"),
                               StatoProgramma::fromFactoryDefaults(), PricingSettings{});
    EXPECT_FALSE(p.cambioFascia);
    EXPECT_EQ(p.durata, 39000);
    EXPECT_EQ(p.scatti, 390000 / 4000 + 1);
}

TEST(PrezzaChiamata, SpansOfADayOrMoreKeepTheirWholeDays)
{
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const CallPrice lunga = prezzo(apertura("22/03/1999 10.00.00"), chiusura("23/03/1999 12.00.00"), stato);
    EXPECT_EQ(lunga.durata, 93600);
    EXPECT_EQ(lunga.scatti, 936000 / 2200 + 1);
    const CallPrice quasi = prezzo(apertura("22/03/1999 10.00.00"), chiusura("23/03/1999 09.59.59"), stato);
    EXPECT_EQ(quasi.durata, 86399);
    // Both parts of a band change keep their days too.
    const CallPrice due = prezzo(apertura("22/03/1999 10.00.00"), chiusura("23/03/1999 20.00.00"), stato);
    EXPECT_TRUE(due.cambioFascia);
    EXPECT_EQ(due.secondiPrima, 24 * 3600 + 8 * 3600 + 30 * 60 + 1);
    EXPECT_EQ(due.secondiDopo, 3600 + 29 * 60 + 59);
    EXPECT_EQ(due.durata, 34 * 3600);
}

TEST(PrezzaChiamata, AClosingBeforeItsOpeningCountsBySize)
{
    const CallPrice p =
        prezzo(apertura("22/03/1999 10.30.00"), chiusura("22/03/1999 10.00.00"), StatoProgramma::fromFactoryDefaults());
    EXPECT_EQ(p.durata, 1800);
}

TEST(PrezzaChiamata, DigitsComeFromTheClosingRecord)
{
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    // The closing record says holiday: 10.00 on a Monday is then at 4000.
    const CallPrice festivo = prezzo(apertura("22/03/1999 10.00.00"), chiusura("22/03/1999 10.10.00", 1, 1, 1), stato);
    EXPECT_EQ(festivo.intervalloApertura, 4000);
    EXPECT_EQ(festivo.scatti, 6000 / 4000 + 1);
    const CallPrice classe =
        prezzo(apertura("22/03/1999 10.00.00", 1, 1), chiusura("22/03/1999 10.10.00", 4, 1), stato);
    EXPECT_EQ(classe.intervalloApertura, 267);
}

TEST(PrezzaChiamata, ClassesOutsideTheDataModelAreNotPriced)
{
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    for (const char* riga :
         {"22/03/1999 10.05.00 collegamento Chiuso  001", "22/03/1999 10.05.00 collegamento Chiuso  051",
          "22/03/1999 10.05.00 collegamento Chiuso  0", "22/03/1999 10.05.00 collegamento Chiuso  0x1"}) {
        EXPECT_FALSE(prezzaChiamata(apertura("22/03/1999 10.00.00"), RecordArchivio(QString::fromLatin1(riga)), stato,
                                    PricingSettings{}))
            << riga;
    }
}

struct FailureCase
{
    const char* apertura;
    const char* chiusura;
    const char* messaggio;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.chiusura;
}

class PricingFailures : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(PricingFailures, NameTheText)
{
    const FailureCase& c = GetParam();
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.sabato[1] = QStringLiteral("000");
    stato.festivi[0] = QStringLiteral("08.00.00-23.59.59-0000-1500-0800-0500");
    try {
        prezzaChiamata(RecordArchivio(QString::fromLatin1(c.apertura)), RecordArchivio(QString::fromLatin1(c.chiusura)),
                       stato, PricingSettings{});
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(c.messaggio));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PricingFailures,
    ::testing::Values(
        FailureCase{"22/03/1999 10.00.00 collegamento Aperto  011 ", "22/03/1999 10.7x.00 collegamento Chiuso  011",
                    "'22/03/1999 10.7x.00' is not a valid date and time"},
        FailureCase{"22/03/1999 10.00.00 collegamento Aperto  011 ", "31/02/1999 10.10.00 collegamento Chiuso  011",
                    "'31/02/1999 10.10.00' is not a valid date and time"},
        FailureCase{"22/03/1999 25.00.00 collegamento Aperto  011 ", "22/03/1999 10.10.00 collegamento Chiuso  011",
                    "'22/03/1999 25.00.00' is not a valid date and time"},
        FailureCase{"27/03/1999 10.00.00 collegamento Aperto  011 ", "27/03/1999 10.10.00 collegamento Chiuso  011",
                    "'000' is not a valid time"},
        FailureCase{"28/03/1999 10.00.00 collegamento Aperto  011 ", "28/03/1999 10.10.00 collegamento Chiuso  011",
                    "'0000' non è un intervallo di scatto valido"}));

TEST(PrezzaChiamata, AnInvalidUnitPriceFailsOnlyCallsThatCost)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.CostoScattoBase = QStringLiteral("abc");
    EXPECT_EQ(prezzo(apertura("22/03/1999 10.00.00"), chiusura("22/03/1999 10.00.00"), stato).costo, 0);
    EXPECT_THROW(prezzo(apertura("22/03/1999 10.00.00"), chiusura("22/03/1999 10.05.00"), stato), EConvertError);
}

// Settings and records at the edge of what the store and the archive hold:
// the cost never wraps around. A TUT reduction after ridTutDopo = 2147483647
// units leaves every unit at full price; a price of 2147483647 lire over a
// call of eight thousand years does not fit in 64 bits and is told as such.
TEST(PrezzaChiamata, ExtremeValuesNeverWrapAround)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    PricingSettings riduzioni;
    riduzioni.ridTutDopo = std::numeric_limits<int>::max();
    riduzioni.ridTelDopo = std::numeric_limits<int>::max();
    for (const int classe : {1, 4}) {
        const CallPrice p = prezzo(apertura("22/03/1999 10.00.00", classe, 2),
                                   chiusura("22/03/1999 12.00.00", classe, 2), stato, riduzioni);
        EXPECT_EQ(p.costo, p.scatti * 152) << classe;
    }

    stato.CostoScattoBase = QStringLiteral("2147483647");
    const CallPrice secolo =
        prezzo(apertura("22/03/1999 10.00.00", 4), chiusura("22/03/2099 10.00.00", 4), stato, riduzioni);
    EXPECT_EQ(secolo.costo, secolo.scatti * 2147483647LL);
    for (const int tipo : {1, 2}) {
        try {
            prezzo(apertura("22/03/1999 10.00.00", 4, tipo), chiusura("22/03/9999 10.00.00", 4, tipo), stato,
                   riduzioni);
            ADD_FAILURE() << "no error for tariff type " << tipo;
        } catch (const EConvertError& e) {
            EXPECT_EQ(
                e.message(),
                QStringLiteral("Il costo della chiamata del 22/03/1999 10.00.00 è troppo grande per essere calcolato"));
        }
    }
}

// The pass's parsed bands answer exactly as the lookups that re-read every
// band text: random calls over lists with overlaps, gaps, a band across
// midnight, a band that does not parse and an interval that does not convert.
TEST(PrezzaChiamata, BandCacheGivesTheSameResultsAndErrors)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.feriali = {QStringLiteral("00.00.00-09.59.59-4000-1500-0800-0500"),
                     QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267"),
                     QStringLiteral("22.00.00-06.00.00-1000-1000-1000-1000")};
    stato.sabato = {QStringLiteral("08.00.00-13.00.00-2200-0750-0400-0267"),
                    QStringLiteral("13.00.01-23.59.59-4000-1500-08x0-0500"),
                    QStringLiteral("00.00.00-07.59.59-4000-1500-0800-0500")};
    stato.festivi = {QStringLiteral("08.00.00-23.59.59-4000-1500-0800-0500"), QStringLiteral("0x.00.00-07.59.59")};
    PricingSettings impostazioni;
    impostazioni.frazioneScatto = 1;
    BandCache cache(stato);
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i) {
        const QDate giorno = QDate(1999, 3, 20).addDays(random.bounded(3));
        const QDateTime dalle(giorno, QTime(0, 0).addSecs(random.bounded(86400)));
        const QDateTime alle = dalle.addSecs(random.bounded(4) == 0 ? random.bounded(200000) : random.bounded(4000));
        const int festivo = random.bounded(5) == 0 ? 1 : 0;
        const int classe = 1 + random.bounded(4);
        const int tipo = 1 + random.bounded(2);
        const RecordArchivio a(QStringLiteral("%1 collegamento Aperto  %2%3%4 X")
                                   .arg(dalle.toString(QStringLiteral("dd/MM/yyyy hh.mm.ss")))
                                   .arg(festivo)
                                   .arg(classe)
                                   .arg(tipo));
        const RecordArchivio c(QStringLiteral("%1 collegamento Chiuso  %2%3%4")
                                   .arg(alle.toString(QStringLiteral("dd/MM/yyyy hh.mm.ss")))
                                   .arg(festivo)
                                   .arg(classe)
                                   .arg(tipo));
        QString erroreSemplice, erroreCache;
        std::optional<CallPrice> semplice, veloce;
        try {
            semplice = prezzaChiamata(a, c, stato, impostazioni);
        } catch (const EConvertError& e) {
            erroreSemplice = e.message();
        }
        try {
            veloce = prezzaChiamata(a, c, cache, impostazioni);
        } catch (const EConvertError& e) {
            erroreCache = e.message();
        }
        ASSERT_EQ(erroreCache, erroreSemplice) << a.riga.toStdString() << " / " << c.riga.toStdString();
        ASSERT_EQ(veloce, semplice) << a.riga.toStdString() << " / " << c.riga.toStdString();
    }
}

TEST(PricingSettings, ReadsTheStoreWithItsDefaults)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    const PricingSettings vuoto = PricingSettings::fromStore(store);
    EXPECT_EQ(vuoto.ridTut, 50);
    EXPECT_EQ(vuoto.ridTutDopo, 1);
    EXPECT_EQ(vuoto.ridTel, 50);
    EXPECT_EQ(vuoto.ridTelDopo, 120);
    EXPECT_EQ(vuoto.frazioneScatto, 0);
    store.writeText(QStringLiteral("internet"), QStringLiteral("ridTelDopo"), QStringLiteral("90"));
    store.writeText(QStringLiteral("frazione"), QStringLiteral("scatto"), QStringLiteral("1"));
    const PricingSettings letto = PricingSettings::fromStore(store);
    EXPECT_EQ(letto.ridTelDopo, 90);
    EXPECT_EQ(letto.frazioneScatto, 1);
}

} // namespace
