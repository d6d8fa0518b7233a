#include "widgets/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenPlacement, AWindowIsKeptInViewOrBroughtBack)
{
    const QList<QRect> schermi{QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
    const QSize barra(304, 28);
    const struct
    {
        QPoint chiesta;
        QPoint mostrata;
    } cases[] = {
        {{0, 0}, {0, 0}},           {{720, 740}, {720, 740}}, // the bottom-right corner of the first screen
        {{1100, 100}, {1100, 100}},                           // on the second screen
        {{900, 100}, {900, 100}},                             // across both, wholly in view
        {{900, 590}, {720, 590}},   // across both, its right end below the second: onto the first
        {{5000, 3000}, {720, 740}}, // on a screen that is gone: onto the first
        {{1700, -20}, {1520, 0}},   // partly off the second screen
        {{-200, 300}, {0, 300}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScreenPlacement::inside(QRect(c.chiesta, barra), schermi), c.mostrata)
            << c.chiesta.x() << "," << c.chiesta.y();
    }
    // Larger than the screen: its top-left corner in view.
    EXPECT_EQ(ScreenPlacement::inside(QRect(-50, -50, 2000, 900), {QRect(0, 0, 1024, 768)}), QPoint(0, 0));
}

// The cost window's first-run position (the main window's width across, 0
// down) on a 1280 x 800 screen whose top panel is 30 pixels high.
TEST(ScreenPlacement, TheCostWindowsDefaultLiesBelowATopPanel)
{
    const QList<QRect> area{QRect(0, 30, 1280, 770)};
    EXPECT_EQ(ScreenPlacement::inside(QRect(QPoint(220, 0), QSize(262, 96)), area), QPoint(220, 30));
    EXPECT_EQ(ScreenPlacement::inside(QRect(QPoint(220, 31), QSize(262, 96)), area), QPoint(220, 31));
}

} // namespace
