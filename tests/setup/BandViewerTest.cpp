#include "setup/BandViewer.h"
#include "settings/StatoProgramma.h"

#include <gtest/gtest.h>

namespace {

constexpr int feriali = 0;
constexpr int sabato = 1;
constexpr int festivi = 2;

BandViewer factoryViewer(BandViewer::Kind kind)
{
    return BandViewer(kind, StatoProgramma::fromFactoryDefaults());
}

BandViewer shownTele()
{
    BandViewer viewer = factoryViewer(BandViewer::Kind::Teleselezione);
    viewer.shown();
    return viewer;
}

} // namespace

TEST(BandViewer, ListsShowEachBandsStartAndEndInStoredOrder)
{
    const BandViewer viewer = factoryViewer(BandViewer::Kind::Tut);
    EXPECT_EQ(viewer.items(feriali),
              QStringList({QStringLiteral("08.00.00-18.30.00"), QStringLiteral("18.30.01-23.59.59"),
                           QStringLiteral("00.00.00-07.59.59")}));
    EXPECT_EQ(viewer.items(sabato),
              QStringList({QStringLiteral("08.00.00-13.00.00"), QStringLiteral("13.00.01-23.59.59"),
                           QStringLiteral("00.00.00-07.59.59")}));
    EXPECT_EQ(viewer.items(festivi),
              QStringList({QStringLiteral("08.00.00-23.59.59"), QStringLiteral("00.00.00-07.59.59")}));
    EXPECT_TRUE(viewer.items(3).isEmpty());
}

TEST(BandViewer, IntervalColumnsOfEachClass)
{
    const QString fascia = QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267");
    const struct
    {
        int classe;
        const char* expected;
    } cases[] = {{1, "2200"}, {2, "0750"}, {3, "0400"}, {4, "0267"}};
    for (const auto& c : cases)
        EXPECT_EQ(BandViewer::colonnaIntervallo(fascia, c.classe), QLatin1String(c.expected)) << c.classe;
    // The placeholder of a band missing from the store has no interval to show.
    EXPECT_EQ(BandViewer::colonnaIntervallo(QStringLiteral("000"), 1), QString());
}

TEST(BandViewer, TutOpensOnTheFirstWeekdayBand)
{
    const BandViewer viewer = factoryViewer(BandViewer::Kind::Tut);
    EXPECT_EQ(viewer.currentPage(), feriali);
    EXPECT_EQ(viewer.selectedRow(feriali), 0);
    EXPECT_EQ(viewer.selectedRow(sabato), BandViewer::none);
    EXPECT_EQ(viewer.selectedRow(festivi), BandViewer::none);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("2200"));
}

TEST(BandViewer, TutPageSwitchSelectsThatPagesFirstBand)
{
    BandViewer viewer = factoryViewer(BandViewer::Kind::Tut);
    viewer.pageChanged(festivi);
    EXPECT_EQ(viewer.selectedRow(festivi), 0);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("4000"));

    viewer.pageChanged(feriali);
    viewer.bandClicked(feriali, 1);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("4000"));
    // Back on a page, its first band is selected again, whatever was clicked before.
    viewer.pageChanged(sabato);
    viewer.pageChanged(feriali);
    EXPECT_EQ(viewer.selectedRow(feriali), 0);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("2200"));
}

TEST(BandViewer, TutIgnoresDistanceAndClicksOutsideTheLists)
{
    BandViewer viewer = factoryViewer(BandViewer::Kind::Tut);
    viewer.distanceChanged(2);
    viewer.bandClicked(festivi, 2);
    viewer.bandClicked(7, 0);
    viewer.pageChanged(-1);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("2200"));
    EXPECT_EQ(viewer.selectedRow(festivi), BandViewer::none);
}

TEST(BandViewer, TeleOpensUpTo15KmAndFollowsTheDistance)
{
    BandViewer viewer = factoryViewer(BandViewer::Kind::Teleselezione);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0750"));
    EXPECT_EQ(viewer.distance(), BandViewer::none);
    viewer.shown();
    EXPECT_EQ(viewer.distance(), 0);

    viewer.distanceChanged(2);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0267"));
    viewer.bandClicked(feriali, 1);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0500"));
    viewer.distanceChanged(1);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0800"));
}

TEST(BandViewer, TeleKeepsTheIntervalWhenPagesSwitch)
{
    BandViewer viewer = shownTele();
    viewer.distanceChanged(2);
    viewer.pageChanged(sabato);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0267"));
    EXPECT_EQ(viewer.selectedRow(sabato), BandViewer::none);
    EXPECT_EQ(viewer.selectedRow(feriali), 0);

    viewer.bandClicked(sabato, 1);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0500"));
    // The weekday band stays selected on its page and is the one a distance change shows there.
    viewer.pageChanged(feriali);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0500"));
    viewer.distanceChanged(0);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0750"));
}

TEST(BandViewer, TeleDistanceChangeWithNoBandSelectedOnThePageLeavesTheInterval)
{
    BandViewer viewer = shownTele();
    viewer.pageChanged(festivi);
    viewer.distanceChanged(2);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0750"));
    EXPECT_EQ(viewer.distance(), 2);
    // The next band clicked is shown at the distance now chosen.
    viewer.bandClicked(festivi, 0);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0500"));
}

TEST(BandViewer, TeleTypedDistanceLeavesTheIntervalUntilAnItemIsChosen)
{
    BandViewer viewer = shownTele();
    viewer.distanceChanged(BandViewer::none);
    EXPECT_EQ(viewer.distance(), BandViewer::none);
    viewer.bandClicked(feriali, 1);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0750"));
    EXPECT_EQ(viewer.selectedRow(feriali), 1);
    viewer.distanceChanged(7);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("0750"));

    viewer.distanceChanged(0);
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("1500"));
}

TEST(BandViewer, ShowsTheSnapshotsBandsNotTheFactoryOnes)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.feriali[0] = QStringLiteral("07.00.00-19.00.00-1800-0600-0300-0200");
    stato.festivi[1] = QStringLiteral("000");
    BandViewer viewer(BandViewer::Kind::Tut, stato);
    EXPECT_EQ(viewer.items(feriali).first(), QStringLiteral("07.00.00-19.00.00"));
    EXPECT_EQ(viewer.intervallo(), QStringLiteral("1800"));
    EXPECT_EQ(viewer.items(festivi).last(), QStringLiteral("000"));
    viewer.pageChanged(festivi);
    viewer.bandClicked(festivi, 1);
    EXPECT_EQ(viewer.intervallo(), QString());
}
