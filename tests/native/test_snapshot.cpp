// A desktop's snapshot: what is captured, and how it is put back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_fixture.h"

namespace moritelda {
namespace {

constexpr std::uint32_t FLAGS = POS_NOSIZE | POS_NOMOVE | POS_SHOWWINDOW | POS_NOACTIVATE;

FakeWindowOptions Titled(const std::string& title, std::uint32_t exStyle = 0) {
    FakeWindowOptions options;
    options.title = title;
    options.exStyle = exStyle;
    return options;
}

TEST_F(EngineTest, CaptureTakesVisibleTitledWindowsOfTheUserInStackingOrder) {
    const WindowHandle editor = fake.AddWindow("Editor");
    FakeWindowOptions hidden = Titled("Hidden");
    hidden.visible = false;
    fake.AddWindow(hidden);
    fake.AddWindow("");
    fake.AddWindow("Program Manager");
    fake.AddWindow("PROGRAM MANAGER");
    state.settingsWindow = fake.AddWindow("settings");
    shell.switcherWindow = fake.AddWindow("moritelda");
    FakeWindowOptions maximized = Titled("Browser");
    maximized.maximized = true;
    const WindowHandle browser = fake.AddWindow(maximized);
    const WindowHandle clock = fake.AddWindow(Titled("Clock", EXSTYLE_TOPMOST));
    fake.SetWindowPos(editor, INSERT_TOP, FLAGS);
    state.currentDesktop = 2;

    engine.CaptureSnapshot();

    const DesktopSnapshot& snapshot = state.snapshots[2];
    ASSERT_EQ(Snapshot(2), (std::vector<WindowHandle>{clock, editor, browser}));
    const std::int32_t topmost[] = {1, 0, 0};
    const std::uint32_t showCmd[] = {SHOW_NORMAL, SHOW_NORMAL, SHOW_MAXIMIZED};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(snapshot.topmost[i], topmost[i]) << i;
        EXPECT_EQ(snapshot.placements[i].length, PLACEMENT_LENGTH) << i;
        EXPECT_EQ(snapshot.placements[i].showCmd, showCmd[i]) << i;
    }
    EXPECT_EQ(Snapshot(1), std::vector<WindowHandle>{});
}

TEST_F(EngineTest, CaptureLeavesOutAWindowWhosePlacementCannotBeRead) {
    const WindowHandle low = fake.AddWindow("low");
    const WindowHandle closing = fake.AddWindow(Titled("closing", EXSTYLE_TOPMOST));
    const WindowHandle top = fake.AddWindow(Titled("top", EXSTYLE_TOPMOST));
    fake.Window(closing).placementFails = true;

    engine.CaptureSnapshot();

    EXPECT_EQ(Snapshot(1), (std::vector<WindowHandle>{top, low}));
    EXPECT_EQ(state.snapshots[1].topmost[1], 0);
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(EngineTest, RestoreStacksTopDownThenPlacesBottomUpThenActivates) {
    const WindowHandle w3 = fake.AddWindow("W3");
    const WindowHandle w2 = fake.AddWindow("W2");
    const WindowHandle w1 = fake.AddWindow("W1");
    engine.CaptureSnapshot();
    const WindowHandle tray = fake.TopLevelWindows().back();
    // Meanwhile W3 came to the front and W2 was maximized.
    fake.ShowWindow(w3, SHOW_SHOW);
    fake.ShowWindow(w2, SHOW_MAXIMIZED);
    fake.calls.clear();
    state.activeWindow[1] = w1;

    engine.RestoreSnapshot();

    EXPECT_EQ(fake.calls, (std::vector<std::string>{
                              SetWindowPosCall(w1, w2, FLAGS),
                              SetWindowPosCall(w2, w1, FLAGS),
                              SetWindowPosCall(w3, w2, FLAGS),
                              SetPlacementCall(w3, SHOW_NORMAL),
                              SetPlacementCall(w2, SHOW_NORMAL),
                              SetPlacementCall(w1, SHOW_NORMAL),
                              SwitchCall(w1),
                          }));
    EXPECT_EQ(fake.TopLevelWindows(), (std::vector<WindowHandle>{w1, w2, w3, tray}));
    EXPECT_FALSE(fake.IsZoomed(w2));
}

TEST_F(EngineTest, RestorePutsBackPlacementsChangedOnAnotherDesktop) {
    FakeWindowOptions options = Titled("Editor");
    options.normalPosition = {10, 20, 410, 320};
    const WindowHandle editor = fake.AddWindow(options);
    FakeWindowOptions maximized = Titled("Browser");
    maximized.maximized = true;
    const WindowHandle browser = fake.AddWindow(maximized);
    engine.CaptureSnapshot();
    fake.Window(editor).normalPosition = {0, 0, 50, 50};
    fake.ShowWindow(editor, SHOW_MINNOACTIVE);
    fake.ShowWindow(browser, SHOW_NORMAL);

    engine.RestoreSnapshot();

    EXPECT_EQ(fake.Window(editor).normalPosition.right, 410);
    EXPECT_EQ(fake.Window(editor).normalPosition.top, 20);
    EXPECT_FALSE(fake.IsIconic(editor));
    EXPECT_TRUE(fake.IsZoomed(browser));
}

TEST_F(EngineTest, RestoreTakesTopmostAwayFromWindowsThatGainedIt) {
    const WindowHandle normal = fake.AddWindow("normal");
    const WindowHandle pinned = fake.AddWindow(Titled("pinned", EXSTYLE_TOPMOST));
    engine.CaptureSnapshot();
    fake.SetWindowPos(normal, INSERT_TOPMOST, FLAGS);
    fake.calls.clear();

    engine.RestoreSnapshot();

    EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), SetWindowPosCall(normal, INSERT_NOTOPMOST, FLAGS)), 1);
    EXPECT_EQ(fake.calls.back(), SwitchCall(NO_WINDOW));
    EXPECT_EQ(fake.ExtendedStyle(normal) & EXSTYLE_TOPMOST, 0u);
    EXPECT_EQ(fake.TopLevelWindows()[1], normal);
    EXPECT_NE(fake.ExtendedStyle(pinned) & EXSTYLE_TOPMOST, 0u);
}

TEST_F(EngineTest, RestoreDoesNotGiveTopmostBackToWindowsThatLostIt) {
    const WindowHandle first = fake.AddWindow(Titled("first", EXSTYLE_TOPMOST));
    const WindowHandle second = fake.AddWindow(Titled("second", EXSTYLE_TOPMOST));
    engine.CaptureSnapshot();
    fake.SetWindowPos(first, INSERT_NOTOPMOST, FLAGS);
    fake.calls.clear();

    engine.RestoreSnapshot();

    for (const std::string& call : fake.calls) EXPECT_EQ(call.find("topmost"), std::string::npos) << call;
    EXPECT_EQ(fake.ExtendedStyle(first) & EXSTYLE_TOPMOST, 0u);
    EXPECT_NE(fake.ExtendedStyle(second) & EXSTYLE_TOPMOST, 0u);
}

TEST_F(EngineTest, RestoreOfAnEmptySnapshotOnlyActivates) {
    fake.AddWindow("Editor");
    state.currentDesktop = 4;
    state.activeWindow[4] = 0x4242;

    engine.RestoreSnapshot();

    EXPECT_EQ(fake.calls, std::vector<std::string>{SwitchCall(0x4242)});
}

class SnapshotLimitTest : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(SnapshotLimitTest, CapturesUpTo128WindowsAndEndsAtThe129th) {
    const int windows = GetParam();
    FakeWindowOptions other = Titled("other desktop");
    other.visible = false;
    const WindowHandle hidden = fake.AddWindow(other);
    AddRecord(hidden, {0, 4, 0, 0});
    for (int i = 0; i < windows; ++i) fake.AddWindow("window " + std::to_string(i));

    if (windows <= MAX_SNAPSHOT) {
        engine.CaptureSnapshot();
        EXPECT_EQ(state.snapshots[1].count, windows);
        EXPECT_TRUE(fake.messageBoxes.empty());
        return;
    }
    ExpectWindowLimitEnd([this] { engine.CaptureSnapshot(); });
    EXPECT_TRUE(fake.IsWindowVisible(hidden));
}

INSTANTIATE_TEST_SUITE_P(Counts, SnapshotLimitTest, ::testing::Values(128, 129));

}  // namespace
}  // namespace moritelda

namespace moritelda {
namespace {

TEST_F(EngineTest, RestoreKeepsTheOrderOfOrdinaryWindowsBelowTopmostOnes) {
    // An untitled topmost bar, as the old shells' taskbar is, lies below the
    // pinned window; ordinary windows must not end up between the two.
    FakeWindowOptions bar;
    bar.className = "Bar";
    bar.exStyle = EXSTYLE_TOPMOST;
    fake.AddWindow(bar);
    const WindowHandle c = fake.AddWindow("C");
    const WindowHandle b = fake.AddWindow("B");
    const WindowHandle a = fake.AddWindow("A");
    FakeWindowOptions pinned;
    pinned.title = "Pinned";
    pinned.exStyle = EXSTYLE_TOPMOST;
    const WindowHandle pin = fake.AddWindow(pinned);
    engine.CaptureSnapshot();
    ASSERT_EQ(Snapshot(1), (std::vector<WindowHandle>{pin, a, b, c}));
    for (WindowHandle window : {a, b, c}) fake.SetWindowPos(window, INSERT_TOP, POS_NOMOVE | POS_NOSIZE);

    engine.RestoreSnapshot();

    std::vector<WindowHandle> titled;
    for (WindowHandle window : fake.TopLevelWindows()) {
        if (!fake.WindowTitle(window, 260).empty()) titled.push_back(window);
    }
    EXPECT_EQ(titled, (std::vector<WindowHandle>{pin, a, b, c}));
    for (WindowHandle window : {a, b, c}) EXPECT_EQ(fake.ExtendedStyle(window) & EXSTYLE_TOPMOST, 0u);
}

}  // namespace
}  // namespace moritelda
