#include "tariff/IntervalloScatto.h"
#include "settings/Conversion.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

QString band(const char* text)
{
    return QString::fromLatin1(text);
}

// 22/03/1999 was a Monday, 27/03/1999 a Saturday, 28/03/1999 a Sunday.
struct IntervalCase
{
    const char* quando; // "dd/MM/yyyy hh:mm:ss.zzz"
    int classe;
    int festivo;
    int decimi;
};

void PrintTo(const IntervalCase& c, std::ostream* os)
{
    *os << c.quando << " class " << c.classe << " festivo " << c.festivo;
}

class FirstRunIntervals : public ::testing::TestWithParam<IntervalCase>
{
};

TEST_P(FirstRunIntervals, FollowTheBandsOfTheKindOfDay)
{
    const IntervalCase& c = GetParam();
    const QDateTime quando =
        QDateTime::fromString(QString::fromLatin1(c.quando), QStringLiteral("dd/MM/yyyy hh:mm:ss.zzz"));
    ASSERT_TRUE(quando.isValid());
    EXPECT_EQ(intervalloScatto(quando, c.classe, c.festivo, StatoProgramma::fromFactoryDefaults()), c.decimi);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstRunIntervals,
    ::testing::Values(
        IntervalCase{"22/03/1999 18:30:00.000", 1, 0, 2200}, IntervalCase{"22/03/1999 18:30:00.900", 1, 0, 2200},
        IntervalCase{"22/03/1999 18:30:01.000", 1, 0, 4000}, IntervalCase{"22/03/1999 23:59:59.900", 1, 0, 4000},
        IntervalCase{"22/03/1999 00:00:00.000", 3, 0, 800}, IntervalCase{"22/03/1999 07:59:59.999", 2, 0, 1500},
        IntervalCase{"22/03/1999 08:00:00.000", 4, 0, 267}, IntervalCase{"22/03/1999 10:00:00.000", 1, 1, 4000},
        IntervalCase{"27/03/1999 13:00:00.000", 1, 0, 2200}, IntervalCase{"27/03/1999 13:00:01.000", 1, 0, 4000},
        IntervalCase{"27/03/1999 10:00:00.000", 2, 0, 750}, IntervalCase{"27/03/1999 10:00:00.000", 2, 1, 1500},
        IntervalCase{"28/03/1999 10:00:00.000", 1, 0, 4000}, IntervalCase{"28/03/1999 07:00:00.000", 4, 0, 500},
        IntervalCase{"22/03/1999 10:00:00.000", 0, 0, 2200}, IntervalCase{"22/03/1999 10:00:00.000", 7, 0, 2200}));

TEST(IntervalloScatto, UsesTheClassAndFlagInForce)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const QDateTime lunedi(QDate(1999, 3, 22), QTime(10, 0));
    stato.TariffaCorrente = 3;
    EXPECT_EQ(intervalloScatto(lunedi, stato), 400);
    stato.FestivoForzato = 1;
    EXPECT_EQ(intervalloScatto(lunedi, stato), 800);
}

struct ListCase
{
    const char* name;
    std::vector<const char*> fasce;
    QTime ora;
    int decimi;
    const char* identificativo;
};

void PrintTo(const ListCase& c, std::ostream* os)
{
    *os << c.name;
}

class HandEditedLists : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(HandEditedLists, TheLastMatchingBandWins)
{
    const ListCase& c = GetParam();
    StatoProgramma stato;
    for (const char* f : c.fasce)
        stato.feriali.append(band(f));
    const QDate lunedi(1999, 3, 22);
    EXPECT_EQ(intervalloScatto(QDateTime(lunedi, c.ora), 1, 0, stato), c.decimi);
    const FasciaInVigore vigore = fasciaInVigore(QStringLiteral("22/03/1999 ") + formatTime(c.ora), 0, lunedi, stato);
    EXPECT_EQ(vigore.identificativo, QString::fromLatin1(c.identificativo));
    EXPECT_EQ(vigore.fascia, stato.feriali.at(vigore.identificativo.mid(2).toInt() - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandEditedLists,
    ::testing::Values(ListCase{"overlap, later wins",
                               {"08.00.00-18.00.00-1000-1000-1000-1000", "12.00.00-14.00.00-2000-2000-2000-2000"},
                               QTime(13, 0),
                               2000,
                               "Fe2"},
                      ListCase{"overlap, earlier band outside the later one",
                               {"08.00.00-18.00.00-1000-1000-1000-1000", "12.00.00-14.00.00-2000-2000-2000-2000"},
                               QTime(15, 0),
                               1000,
                               "Fe1"},
                      ListCase{"overlap in the other order",
                               {"12.00.00-14.00.00-2000-2000-2000-2000", "08.00.00-18.00.00-1000-1000-1000-1000"},
                               QTime(13, 0),
                               1000,
                               "Fe2"},
                      ListCase{"reversed band never matches",
                               {"00.00.00-23.59.59-2222-2222-2222-2222", "22.00.00-06.00.00-1111-1111-1111-1111"},
                               QTime(23, 0),
                               2222,
                               "Fe1"},
                      ListCase{"reversed band never matches after midnight",
                               {"00.00.00-23.59.59-2222-2222-2222-2222", "22.00.00-06.00.00-1111-1111-1111-1111"},
                               QTime(5, 0),
                               2222,
                               "Fe1"},
                      ListCase{"a gap falls back to the last band",
                               {"08.00.00-12.00.00-1000-1000-1000-1000", "13.00.00-18.00.00-2000-2000-2000-2000",
                                "19.00.00-20.00.00-3000-3000-3000-3000"},
                               QTime(12, 30),
                               3000,
                               "Fe3"}));

struct VigoreCase
{
    const char* dataOra;
    int festivo;
    const char* fascia;
    const char* identificativo;
};

class FirstRunBands : public ::testing::TestWithParam<VigoreCase>
{
};

TEST_P(FirstRunBands, NameTheBandOfTheArchivedEvent)
{
    const VigoreCase& c = GetParam();
    const QString dataOra = QString::fromLatin1(c.dataOra);
    const FasciaInVigore vigore =
        fasciaInVigore(dataOra, c.festivo, strToDate(dataOra.left(10)), StatoProgramma::fromFactoryDefaults());
    EXPECT_EQ(vigore.fascia, QString::fromLatin1(c.fascia));
    EXPECT_EQ(vigore.identificativo, QString::fromLatin1(c.identificativo));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstRunBands,
    ::testing::Values(VigoreCase{"22/03/1999 18.30.00", 0, "08.00.00-18.30.00-2200-0750-0400-0267", "Fe1"},
                      VigoreCase{"22/03/1999 18.30.01", 0, "18.30.01-23.59.59-4000-1500-0800-0500", "Fe2"},
                      VigoreCase{"22/03/1999 03.00.00", 0, "00.00.00-07.59.59-4000-1500-0800-0500", "Fe3"},
                      VigoreCase{"27/03/1999 13.00.01", 0, "13.00.01-23.59.59-4000-1500-0800-0500", "Sa2"},
                      VigoreCase{"27/03/1999 10.00.00", 1, "08.00.00-23.59.59-4000-1500-0800-0500", "Fs1"},
                      VigoreCase{"28/03/1999 03.00.00", 0, "00.00.00-07.59.59-4000-1500-0800-0500", "Fs2"}));

TEST(IntervalloScatto, ABandThatDoesNotParseIsReportedEvenWhenAnotherCoversTheTime)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.feriali[2] = QStringLiteral("000");
    const QDateTime lunedi(QDate(1999, 3, 22), QTime(10, 0));
    try {
        intervalloScatto(lunedi, 1, 0, stato);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'000' is not a valid time"));
    }
    EXPECT_THROW(fasciaInVigore(QStringLiteral("22/03/1999 10.00.00"), 0, lunedi.date(), stato), EConvertError);
    // The Saturday list is untouched.
    EXPECT_EQ(intervalloScatto(QDateTime(QDate(1999, 3, 27), QTime(10, 0)), 1, 0, stato), 2200);
}

TEST(IntervalloScatto, AnEmptyListOrABadEventTimeIsAConversionError)
{
    const StatoProgramma vuoto;
    EXPECT_THROW(intervalloScatto(QDateTime(QDate(1999, 3, 22), QTime(10, 0)), 1, 0, vuoto), EConvertError);
    EXPECT_THROW(fasciaInVigore(QStringLiteral("22/03/1999 1x.00.00"), 0, QDate(1999, 3, 22),
                                StatoProgramma::fromFactoryDefaults()),
                 EConvertError);
}

} // namespace
