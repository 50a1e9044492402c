// Where windows open: child windows inside the visible area of the main window, cascaded and
// sized to their content, the Elevation View and restored plot windows at usable sizes, and
// the main window inside its screen; each against a roomy frame, a small one and a screen at
// a scale factor of 2 (1280 x 1024 pixels, 640 x 512 logical).
#include "model/workspace/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

// The visible area of the main window at 1280 x 1024 with the project panel shown.
constexpr TSize Roomy{960, 850};
// The default main window on a small screen.
constexpr TSize Small{600, 400};
// 1280 x 1024 at a scale factor of 2, less the frame, menus, toolbar and panel.
constexpr TSize Scaled{330, 380};

TRect Place(TSize area, TSize wanted, std::optional<TPoint> last = {}, TSize minimum = {}) {
    TChildPlacement p;
    p.Area = area;
    p.Wanted = wanted;
    p.Minimum = minimum;
    p.Last = last;
    p.Step = 24;
    return PlaceChildWindow(p);
}

} // namespace

TEST(WindowPlacement, TheFirstChildOpensAtTheTopLeftAtItsOwnSize) {
    EXPECT_EQ(Place(Roomy, {420, 310}), (TRect{0, 0, 420, 310}));
}

TEST(WindowPlacement, ChildrenCascadeFromTheLastOne) {
    const TRect first = Place(Roomy, {420, 310});
    const TRect second = Place(Roomy, {300, 200}, TPoint{first.X, first.Y});
    EXPECT_EQ(second, (TRect{24, 24, 300, 200}));
    const TRect third = Place(Roomy, {700, 500}, TPoint{second.X, second.Y});
    EXPECT_EQ(third, (TRect{48, 48, 700, 500}));
}

TEST(WindowPlacement, ACascadeThatWouldLeaveTheAreaStartsAgain) {
    // Below the bottom: a new cascade at the top, still one step to the right.
    EXPECT_EQ(Place(Roomy, {420, 310}, TPoint{120, 600}), (TRect{144, 0, 420, 310}));
    // Past the right edge: back to the left.
    EXPECT_EQ(Place(Roomy, {420, 310}, TPoint{600, 96}), (TRect{0, 120, 420, 310}));
    // Past both.
    EXPECT_EQ(Place(Roomy, {420, 310}, TPoint{600, 600}), (TRect{0, 0, 420, 310}));
}

TEST(WindowPlacement, AWindowLargerThanTheAreaIsCutToIt) {
    // The clay-layer data (about 700 x 330) in the default window of a small screen.
    const TRect clay = Place(Small, {700, 330}, TPoint{48, 48});
    EXPECT_EQ(clay, (TRect{0, 0, 600, 330}));
    EXPECT_TRUE((TRect{0, 0, Small.Width, Small.Height}).Contains(clay));
    // The same on the scaled screen: every part inside.
    const TRect scaled = Place(Scaled, {700, 330}, TPoint{48, 48});
    EXPECT_EQ(scaled, (TRect{0, 0, 330, 330}));
    EXPECT_TRUE((TRect{0, 0, Scaled.Width, Scaled.Height}).Contains(scaled));
}

TEST(WindowPlacement, TheMinimumSizeWinsOverASmallerWantedSizeButNotOverTheArea) {
    EXPECT_EQ(Place(Roomy, {100, 50}, {}, {320, 240}), (TRect{0, 0, 320, 240}));
    EXPECT_EQ(Place(Scaled, {100, 50}, {}, {640, 480}), (TRect{0, 0, 330, 380}));
}

TEST(WindowPlacement, AGrownWindowMovesBackInside) {
    // Rows added to a table near the bottom of the area.
    EXPECT_EQ(KeepInside({300, 500, 400, 420}, Roomy), (TRect{300, 430, 400, 420}));
    EXPECT_EQ(KeepInside({700, 10, 400, 200}, Roomy), (TRect{560, 10, 400, 200}));
    // Inside already: unchanged.
    EXPECT_EQ(KeepInside({10, 10, 400, 200}, Roomy), (TRect{10, 10, 400, 200}));
    // Larger than the area: its corner at the area's.
    EXPECT_EQ(KeepInside({50, 50, 700, 500}, Small), (TRect{0, 0, 700, 500}));
}

TEST(WindowPlacement, TheElevationViewTakesTwoThirdsOfTheHeight) {
    // 850 * 2 / 3 = 566 high; 566 * 3 / 4 = 424 for the profile and 100 for the buttons.
    EXPECT_EQ(ElevationViewSize(Roomy, 100), (TSize{524, 566}));
    // Small: 400 * 2 / 3 = 266, wide 199 + 100.
    EXPECT_EQ(ElevationViewSize(Small, 100), (TSize{299, 266}));
    // Scaled: 253 high, at least half of 380; 189 + 100 wide.
    const TSize scaled = ElevationViewSize(Scaled, 100);
    EXPECT_EQ(scaled, (TSize{289, 253}));
    EXPECT_GE(scaled.Height * 2, Scaled.Height);
    // A frame lower than the minimum height: the whole height.
    EXPECT_EQ(ElevationViewSize({500, 200}, 100), (TSize{250, 200}));
}

TEST(WindowPlacement, ARestoredPlotWindowIsNeverSmallerThan640By480) {
    EXPECT_EQ(RestoredPlotSize(Roomy), (TSize{720, 637}));
    EXPECT_EQ(RestoredPlotSize(Small), (TSize{640, 480}));
    EXPECT_EQ(RestoredPlotSize(Scaled), (TSize{640, 480}));
    EXPECT_EQ(RestoredPlotSize({}), (TSize{640, 480}));
}

TEST(WindowPlacement, TheMainWindowOpensCentredWhenNothingWasSaved) {
    // 1280 x 1024 less a 40-pixel panel at the bottom; the frame adds 10 x 35.
    const TRect screen{0, 0, 1280, 984};
    EXPECT_EQ(MainWindowRect({}, screen, {960, 700}, {10, 35}), (TRect{160, 154, 960, 700}));
}

TEST(WindowPlacement, TheMainWindowNeverOpensLargerThanItsScreen) {
    // The default 960 x 700 at a scale factor of 2: 640 x 512 logical pixels.
    const TRect scaled{0, 0, 640, 492};
    const TRect rect = MainWindowRect({}, scaled, {960, 700}, {10, 35});
    EXPECT_EQ(rect, (TRect{5, 30, 630, 457}));
    EXPECT_LE(rect.Width + 10, scaled.Width);
    EXPECT_LE(rect.Height + 35, scaled.Height);
    // A portrait screen: the default shape is kept, 584 wide and 467 high.
    EXPECT_EQ(MainWindowRect({}, {0, 0, 600, 1000}, {1200, 900}, {16, 40}),
              (TRect{8, 278, 584, 467}));
    // A size saved on a larger screen is cut in the same way.
    EXPECT_EQ(MainWindowRect(TRect{100, 80, 1200, 900}, scaled, {960, 700}, {10, 35}),
              (TRect{5, 30, 630, 457}));
}

TEST(WindowPlacement, TheSavedPlaceIsKeptWhileItIsOnTheScreen) {
    const TRect screen{0, 0, 1280, 984};
    EXPECT_EQ(MainWindowRect(TRect{200, 120, 900, 650}, screen, {960, 700}, {10, 35}),
              (TRect{200, 120, 900, 650}));
    // Saved on a second screen to the right that is no longer there.
    EXPECT_EQ(MainWindowRect(TRect{1500, 120, 900, 650}, screen, {960, 700}, {10, 35}),
              (TRect{375, 120, 900, 650}));
    // Above the top: the title bar comes back on the screen.
    EXPECT_EQ(MainWindowRect(TRect{200, -50, 900, 650}, screen, {960, 700}, {10, 35}),
              (TRect{200, 30, 900, 650}));
    // A second screen to the left of the first (negative coordinates) is a screen too.
    const TRect left{-1280, 0, 1280, 1024};
    EXPECT_EQ(MainWindowRect(TRect{-1000, 100, 800, 600}, left, {960, 700}, {10, 35}),
              (TRect{-1000, 100, 800, 600}));
}
