#include "tariff/FasciaOraria.h"
#include "settings/Conversion.h"

#include "tests/support/ConversionFailure.h"

#include <gtest/gtest.h>

namespace {

TEST(FasciaOraria, ReadsItsFixedColumns)
{
    const FasciaOraria fascia(QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267"));
    EXPECT_EQ(fascia.inizio(), QTime(8, 0, 0));
    EXPECT_EQ(fascia.fine(), QTime(18, 30, 0));
    EXPECT_EQ(fascia.intervallo(1), 2200);
    EXPECT_EQ(fascia.intervallo(2), 750);
    EXPECT_EQ(fascia.intervallo(3), 400);
    EXPECT_EQ(fascia.intervallo(4), 267);
    EXPECT_EQ(fascia.intervallo(0), 2200);
    EXPECT_EQ(fascia.intervallo(5), 2200);
}

TEST(FasciaOraria, BothEdgesAreInclusiveAndAReversedBandIsEmpty)
{
    const FasciaOraria giorno(QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267"));
    EXPECT_FALSE(giorno.contiene(QTime(7, 59, 59)));
    EXPECT_TRUE(giorno.contiene(QTime(8, 0, 0)));
    EXPECT_TRUE(giorno.contiene(QTime(18, 30, 0)));
    EXPECT_FALSE(giorno.contiene(QTime(18, 30, 1)));

    const FasciaOraria notte(QStringLiteral("22.00.00-06.00.00-4000-1500-0800-0500"));
    for (const QTime& t : {QTime(23, 0), QTime(0, 0), QTime(3, 0), QTime(22, 0), QTime(6, 0), QTime(12, 0)})
        EXPECT_FALSE(notte.contiene(t)) << t.toString().toStdString();
}

struct BadBand
{
    const char* testo;
    int classe;
    const char* message;
};

class FasciaOrariaFailure : public ::testing::TestWithParam<BadBand>
{
};

TEST_P(FasciaOrariaFailure, NamesTheTextThatDoesNotConvert)
{
    const BadBand& c = GetParam();
    const QString testo = QString::fromUtf8(c.testo);
    EXPECT_EQ(conversionFailure([&] { FasciaOraria(testo).intervallo(c.classe); }), QString::fromUtf8(c.message));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FasciaOrariaFailure,
    ::testing::Values(
        BadBand{"000", 1, "'000' is not a valid time"}, BadBand{"", 1, "'' is not a valid time"},
        BadBand{"08.00.00-25.00.00-2200-0750-0400-0267", 1, "'25.00.00' is not a valid time"},
        BadBand{"08.00.00-18.30.00-22x0-0750-0400-0267", 1, "'22x0' is not a valid integer value"},
        BadBand{"08.00.00-18.30.00-2200-0750-0400", 4, "'' is not a valid integer value"},
        BadBand{"08.00.00-18.30.00-2200-0000-0400-0267", 2, "'0000' non è un intervallo di scatto valido"},
        BadBand{"08.00.00-18.30.00-2200-0750--100-0267", 3, "'-100' non è un intervallo di scatto valido"}));

TEST(FasciaOraria, ABadColumnOfAnotherClassDoesNotStopTheLookup)
{
    EXPECT_EQ(FasciaOraria(QStringLiteral("08.00.00-18.30.00-2200-xxxx-0400-0267")).intervallo(1), 2200);
}

} // namespace
