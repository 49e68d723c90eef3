#include "core/screen_fit.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace merovan;

namespace {

TEST(FitOnScreen, KeepsAWindowWholeOnTheFreeAreaOfItsScreen)
{
    const QRect small(0, 0, 800, 600);
    const QRect belowAPanel(0, 30, 1280, 770);
    const QRect secondScreen(1280, 0, 1024, 768);
    struct Case {
        const char *name;
        QRect wanted;
        QRect area;
        QRect fitted;
    };
    const Case cases[] = {
        {"fits where it asks", {100, 50, 400, 300}, small, {100, 50, 400, 300}},
        {"past the right edge", {397, 0, 576, 460}, small, {224, 0, 576, 460}},
        {"past the bottom", {100, 300, 640, 520}, small, {100, 80, 640, 520}},
        {"above a top panel", {100, 0, 640, 520}, belowAPanel, {100, 30, 640, 520}},
        {"larger than the screen", {50, 50, 935, 725}, small, {0, 0, 800, 600}},
        {"taller than the area", {10, 10, 640, 900}, belowAPanel, {10, 30, 640, 770}},
        {"on a second screen", {2200, 700, 400, 300}, secondScreen, {1904, 468, 400, 300}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fitOnScreen(c.wanted, c.area), c.fitted) << c.name;
}

TEST(FitOnScreen, CentresAWindowInTheArea)
{
    EXPECT_EQ(centredIn({640, 520}, {0, 0, 800, 600}), QRect(80, 40, 640, 520));
    EXPECT_EQ(centredIn({400, 300}, {1280, 0, 1024, 768}), QRect(1592, 234, 400, 300));
}

} // namespace
