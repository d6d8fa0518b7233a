#include "tariff/BandCache.h"
#include "settings/Conversion.h"
#include "tests/support/ConversionFailure.h"

#include <gtest/gtest.h>

namespace {

// 22/03/1999 was a Monday, 27/03/1999 a Saturday.
StatoProgramma bande()
{
    StatoProgramma s;
    // Overlapping weekday bands: the last one that holds the time is in force.
    s.feriali = {QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267"),
                 QStringLiteral("12.00.00-13.00.00-1000-0900-0800-0700")};
    // A band's intervals are read when asked for: the first Saturday band serves whatever the second holds.
    s.sabato = {QStringLiteral("08.00.00-13.00.00-2200-0750-0400-0267"), QStringLiteral("13.00.01-23.59.59-xxxx")};
    s.festivi = {};
    s.CostoScattoBase = QStringLiteral("127");
    return s;
}

struct Lookup
{
    int giorno;
    int festivo;
    const char* ora;
    int classe;
    qsizetype indice;
    int decimi;
};

TEST(BandCache, FindsTheLastBandHoldingTheTimeElseTheListsLast)
{
    const StatoProgramma stato = bande();
    BandCache cache(stato);
    const Lookup casi[] = {
        {22, 0, "10.00.00", 1, 0, 2200}, {22, 0, "12.30.00", 2, 1, 900},  {22, 0, "13.00.00", 4, 1, 700},
        {22, 0, "20.00.00", 3, 1, 800},  {22, 0, "10.00.00", 0, 0, 2200}, {22, 0, "10.00.00", 5, 0, 2200},
        {27, 0, "09.00.00", 2, 0, 750},
    };
    for (const Lookup& c : casi) {
        const BandCache::Found f = cache.inVigore(QDate(1999, 3, c.giorno), c.festivo, strToTime(QLatin1String(c.ora)));
        EXPECT_EQ(f.indice, c.indice) << c.ora;
        EXPECT_EQ(cache.intervallo(f, c.classe), c.decimi) << c.ora << " class " << c.classe;
    }
    EXPECT_EQ(cache.costoScatto(), 127);
}

// Each failure is the same at every lookup, and stays with its list, its band's column or the price.
TEST(BandCache, WhatDoesNotConvertFailsEveryTimeAndAlone)
{
    StatoProgramma stato = bande();
    stato.sabato[0] = QStringLiteral("25.00.00-13.00.00-2200-0750-0400-0267");
    stato.feriali[0] = QStringLiteral("08.00.00-18.30.00-0000-0750-0400-0267");
    stato.CostoScattoBase = QStringLiteral("cento");
    BandCache cache(stato);
    const BandCache::Found feriale = cache.inVigore(QDate(1999, 3, 22), 0, QTime(9, 0));
    for (int volta = 0; volta < 2; ++volta) {
        EXPECT_EQ(conversionFailure([&] { cache.inVigore(QDate(1999, 3, 27), 0, QTime(9, 0)); }),
                  QStringLiteral("'25.00.00' is not a valid time"));
        EXPECT_EQ(conversionFailure([&] { cache.inVigore(QDate(1999, 3, 22), 1, QTime(9, 0)); }),
                  QStringLiteral("'' is not a valid time"));
        EXPECT_EQ(conversionFailure([&] { cache.intervallo(feriale, 1); }),
                  QStringLiteral("'0000' non è un intervallo di scatto valido"));
        EXPECT_EQ(conversionFailure([&] { cache.costoScatto(); }),
                  QStringLiteral("'cento' is not a valid integer value"));
    }
    EXPECT_EQ(cache.intervallo(feriale, 2), 750);
}

} // namespace
