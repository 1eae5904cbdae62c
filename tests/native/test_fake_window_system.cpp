// The simulated window system behaves as the engine's tests assume Windows
// does: stacking bands, show commands and placements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_window_system.h"

namespace moritelda {
namespace {

constexpr std::uint32_t FLAGS = POS_NOSIZE | POS_NOMOVE | POS_SHOWWINDOW | POS_NOACTIVATE;

FakeWindowOptions Options(const std::string& title, std::uint32_t exStyle = 0) {
    FakeWindowOptions options;
    options.title = title;
    options.exStyle = exStyle;
    return options;
}

bool Topmost(FakeWindowSystem& fake, WindowHandle window) {
    return (fake.ExtendedStyle(window) & EXSTYLE_TOPMOST) != 0;
}

TEST(FakeWindowSystem, SetWindowPosKeepsTopmostWindowsAboveTheOthers) {
    // Stacking before each case: T1, T2 (topmost), N1, N2, N3.
    enum Name { T1, T2, N1, N2, N3 };
    struct Case {
        const char* name;
        Name moved;
        int below;                 // a Name, or -1 for the special value
        WindowHandle insertAfter;  // the special value
        std::vector<Name> expected;
        bool topmostAfter;
    };
    const Case cases[] = {
        {"below a window of its band", N1, N2, 0, {T1, T2, N2, N1, N3}, false},
        {"to the top of its band", N3, -1, INSERT_TOP, {T1, T2, N3, N1, N2}, false},
        {"into the topmost band", N2, -1, INSERT_TOPMOST, {N2, T1, T2, N1, N3}, true},
        {"out of the topmost band", T1, -1, INSERT_NOTOPMOST, {T2, T1, N1, N2, N3}, false},
        {"not topmost asking to be not topmost", N3, -1, INSERT_NOTOPMOST, {T1, T2, N1, N2, N3}, false},
        {"to the bottom", T2, -1, INSERT_BOTTOM, {T1, N1, N2, N3, T2}, false},
        {"between topmost windows, becoming topmost", N3, T1, 0, {T1, N3, T2, N1, N2}, true},
        {"below the last topmost window, not topmost", N3, T2, 0, {T1, T2, N3, N1, N2}, false},
        {"below a window that is not topmost, topmost", T1, N1, 0, {T2, N1, T1, N2, N3}, false},
        {"below itself", N2, N2, 0, {T1, T2, N1, N2, N3}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindowSystem fake;
        std::vector<WindowHandle> handles(5);
        for (Name name : {N3, N2, N1}) handles[name] = fake.AddWindow(Options("N"));
        for (Name name : {T2, T1}) handles[name] = fake.AddWindow(Options("T", EXSTYLE_TOPMOST));
        const WindowHandle insertAfter = c.below >= 0 ? handles[c.below] : c.insertAfter;
        fake.ShowWindow(handles[c.moved], SHOW_HIDE);

        EXPECT_TRUE(fake.SetWindowPos(handles[c.moved], insertAfter, FLAGS));

        std::vector<WindowHandle> expected;
        for (Name name : c.expected) expected.push_back(handles[name]);
        EXPECT_EQ(fake.TopLevelWindows(), expected);
        EXPECT_EQ(Topmost(fake, handles[c.moved]), c.topmostAfter);
        EXPECT_TRUE(fake.IsWindowVisible(handles[c.moved]));
        EXPECT_EQ(fake.calls.back(), SetWindowPosCall(handles[c.moved], insertAfter, FLAGS));
    }
}

TEST(FakeWindowSystem, SetWindowPosWithoutNoActivateActivatesAndRaises) {
    FakeWindowSystem fake;
    const WindowHandle low = fake.AddWindow("low");
    const WindowHandle high = fake.AddWindow("high");
    const WindowHandle top = fake.AddWindow("top");

    fake.SetWindowPos(low, high, POS_NOSIZE | POS_NOMOVE);

    EXPECT_EQ(fake.TopLevelWindows(), (std::vector<WindowHandle>{low, top, high}));
    EXPECT_EQ(fake.ForegroundWindow(), low);
}

TEST(FakeWindowSystem, ShowWindowChangesStateAsWindowsDoes) {
    struct State {
        bool visible, minimized, maximized;
    };
    struct Case {
        const char* name;
        State before;
        int command;
        State after;
        bool activated;
    };
    const State normal{true, false, false}, maximized{true, false, true}, minimized{true, true, false};
    const State hidden{false, false, false}, hiddenMinimized{false, true, false};
    const Case cases[] = {
        {"hide keeps the minimized state", minimized, SHOW_HIDE, hiddenMinimized, false},
        {"maximize", hiddenMinimized, SHOW_MAXIMIZED, maximized, true},
        {"show without activation restores", hiddenMinimized, SHOW_NOACTIVATE, normal, false},
        {"show without activation keeps maximized", maximized, SHOW_NOACTIVATE, maximized, false},
        {"show keeps the state", hiddenMinimized, SHOW_SHOW, minimized, true},
        {"minimize without activation", maximized, SHOW_MINNOACTIVE, minimized, false},
        {"force minimize", normal, SHOW_FORCEMINIMIZE, minimized, false},
        {"show hidden", hidden, SHOW_SHOW, normal, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindowSystem fake;
        FakeWindowOptions options = Options("W");
        options.visible = c.before.visible;
        options.minimized = c.before.minimized;
        options.maximized = c.before.maximized;
        const WindowHandle window = fake.AddWindow(options);
        const WindowHandle other = fake.AddWindow("other");
        fake.SetForeground(other);

        EXPECT_EQ(fake.ShowWindow(window, c.command), c.before.visible);

        EXPECT_EQ(fake.IsWindowVisible(window), c.after.visible);
        EXPECT_EQ(fake.IsIconic(window), c.after.minimized);
        EXPECT_EQ(fake.IsZoomed(window), c.after.maximized);
        EXPECT_EQ(fake.ForegroundWindow() == window, c.activated);
        EXPECT_EQ(fake.TopWindow() == window, c.activated);
    }
}

TEST(FakeWindowSystem, MinimizedMaximizedWindowComesBackMaximized) {
    FakeWindowSystem fake;
    FakeWindowOptions options = Options("W");
    options.maximized = true;
    const WindowHandle window = fake.AddWindow(options);
    fake.ShowWindow(window, SHOW_FORCEMINIMIZE);

    PlacementRecord placement{};
    placement.length = PLACEMENT_LENGTH;
    ASSERT_TRUE(fake.GetPlacement(window, placement));
    EXPECT_EQ(placement.showCmd, 2u);
    EXPECT_EQ(placement.flags, 2u);

    fake.SwitchToThisWindow(window, true);
    EXPECT_TRUE(fake.IsZoomed(window));
    EXPECT_EQ(fake.ForegroundWindow(), window);
}

TEST(FakeWindowSystem, PlacementsRoundTripAndFailWhereAsked) {
    FakeWindowSystem fake;
    FakeWindowOptions options = Options("W");
    options.normalPosition = {1, 2, 3, 4};
    const WindowHandle window = fake.AddWindow(options);
    PlacementRecord placement{};
    EXPECT_FALSE(fake.GetPlacement(window, placement)) << "length not set";
    placement.length = PLACEMENT_LENGTH;
    ASSERT_TRUE(fake.GetPlacement(window, placement));
    EXPECT_EQ(placement.showCmd, 1u);

    fake.Window(window).normalPosition = {0, 0, 9, 9};
    placement.showCmd = SHOW_MAXIMIZED;
    ASSERT_TRUE(fake.SetPlacement(window, placement));
    EXPECT_EQ(fake.Window(window).normalPosition.right, 3);
    EXPECT_TRUE(fake.IsZoomed(window));
    EXPECT_EQ(fake.calls.back(), SetPlacementCall(window, SHOW_MAXIMIZED));

    fake.Window(window).placementFails = true;
    EXPECT_FALSE(fake.GetPlacement(window, placement));
    fake.DestroyWindow(window);
    fake.Window(window).placementFails = false;
    EXPECT_FALSE(fake.GetPlacement(window, placement));
    EXPECT_FALSE(fake.SetPlacement(window, placement));
}

TEST(FakeWindowSystem, FindWindowExSearchesTopLevelWindowsByClass) {
    FakeWindowSystem fake;
    FakeWindowOptions tray = Options("");
    tray.className = "Shell_TrayWnd";
    const WindowHandle low = fake.AddWindow(tray);
    const WindowHandle high = fake.AddWindow(tray);
    fake.AddWindow("other");
    EXPECT_EQ(fake.FindWindowEx(NO_WINDOW, NO_WINDOW, "shell_traywnd"), high);
    EXPECT_EQ(fake.FindWindowEx(NO_WINDOW, high, "Shell_TrayWnd"), low);
    EXPECT_EQ(fake.FindWindowEx(NO_WINDOW, low, "Shell_TrayWnd"), NO_WINDOW);
    EXPECT_EQ(fake.FindWindowEx(high, NO_WINDOW, "Button"), NO_WINDOW);
    EXPECT_GE(low, WindowHandle{0x1000});
}

TEST(FakeWindowSystem, ExitProcessAndMessageBoxesAreRecorded) {
    FakeWindowSystem fake;
    fake.messageBoxAnswer = 7;
    EXPECT_EQ(fake.MessageBox(0x1000, nullptr, "ERROR", BOX_ICONERROR), 7);
    EXPECT_EQ(fake.LoadText(104), "text 104");
    EXPECT_THROW(fake.ExitProcess(0), FakeProcessExit);
    EXPECT_EQ(fake.exitCode, std::optional<unsigned>(0));
    EXPECT_EQ(fake.calls, (std::vector<std::string>{MessageBoxCall("ERROR", nullptr), ExitProcessCall(0)}));
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].owner, WindowHandle{0x1000});
}

}  // namespace
}  // namespace moritelda
