// The desktop engine on real windows under Wine: the windows of another
// process (task_windows.exe) are found by the walk for today's shells, hidden,
// shown, minimized, maximized and restacked by desktop switches; placements
// are proven with windows of this process, since Wine cannot read or set
// another process's placement.
//
// The moritelda headers come before <windows.h>, whose MessageBox and
// FindWindowEx macros would otherwise rename the interface's methods here.
#include "desktop/engine.h"
#include "platform/win32_window_system.h"
#include "storage/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace moritelda {
namespace {

const char TASK_CLASS[] = "MoriteldaTaskWindow";
const char OWN_CLASS[] = "MoriteldaEngineTestWindow";
constexpr UINT ARRANGE = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// Lets this process's windows handle what the last calls sent them.
void Settle() {
    for (int round = 0; round < 5; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
}

RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class EngineOnWine : public ::testing::Test {
protected:
    void SetUp() override {
        // Asking for the desktop window starts Wine's desktop, whose taskbar
        // appears shortly after.
        GetDesktopWindow();
        HWND taskbar = nullptr;
        for (int wait = 0; wait < 100 && !taskbar; ++wait, Sleep(50)) taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        if (!taskbar) GTEST_SKIP() << "needs a desktop with a taskbar";
    }

    void TearDown() override {
        // As at shutdown: every tracked window comes back on screen.
        state.currentDesktop = 0;
        engine.ShowAllTasks();
        for (HWND window : own) DestroyWindow(window);
        Settle();
    }

    // Starts task_windows.exe with these arguments and returns its windows
    // in argument order.
    std::vector<HWND> StartTasks(std::initializer_list<std::string> arguments) {
        std::string commandLine;
        for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
        helper = std::make_unique<harness::Program>(harness::BuildDir() + "\\task_windows.exe", commandLine);
        std::vector<HWND> windows;
        for (std::string title : arguments) {
            title = title.substr(title.find(':') == std::string::npos ? 0 : title.find(':') + 1);
            windows.push_back(harness::WaitForWindow(helper->ProcessId(), TASK_CLASS, title.c_str()));
            EXPECT_NE(windows.back(), nullptr) << title;
        }
        return windows;
    }

    HWND CreateOwnWindow(const char* title, const RECT& rect) {
        static const bool registered = [] {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = DefWindowProcA;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = OWN_CLASS;
            return RegisterClassA(&windowClass) != 0;
        }();
        EXPECT_TRUE(registered);
        const HWND window = CreateWindowExA(0, OWN_CLASS, title, WS_OVERLAPPEDWINDOW, rect.left, rect.top,
                                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                            GetModuleHandleA(nullptr), nullptr);
        own.push_back(window);
        return window;
    }

    TaskRecord* Record(HWND window) {
        for (int i = 0; i < state.taskCount; ++i) {
            if (state.tasks[i]->hwnd == Handle(window)) return state.tasks[i].get();
        }
        return nullptr;
    }

    std::vector<std::int32_t> Show(HWND window) {
        const TaskRecord* record = Record(window);
        if (!record) return {};
        return {record->show, record->show + DESKTOP_SLOTS};
    }

    // The given windows in their present stacking order, top first.
    static std::vector<HWND> Stacking(const std::vector<HWND>& windows) {
        std::vector<HWND> order;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            if (std::find(windows.begin(), windows.end(), window) != windows.end()) order.push_back(window);
        }
        return order;
    }

    void Switch(int desktop) {
        engine.SwitchDesktop(desktop);
        Settle();
    }

    Win32WindowSystem system{GetModuleHandleA(nullptr)};
    DesktopState state;
    RuleTable rules;
    ShellLinks shell;
    DesktopEngine engine{system, state, rules, shell};
    std::unique_ptr<harness::Program> helper;
    std::vector<HWND> own;
};

TEST_F(EngineOnWine, WalkFindsTheApplicationWindowsOfAnotherProcess) {
    const std::vector<HWND> w = StartTasks({"Walk A", "tool:Walk Palette", "owned:Walk Find", "noactivate:Walk Keys",
                                            "Walk B", "Walk Ignored"});
    ASSERT_TRUE(AddRule(rules, "Walk Ignored", 'T', RULE_IGNORE, 1));
    SwitchToThisWindow(w[4], TRUE);
    Settle();
    ASSERT_EQ(GetForegroundWindow(), w[4]);

    engine.MergeTaskbarTasks();

    std::vector<HWND> found;
    for (int i = 0; i < state.foundCount; ++i) {
        const HWND window = reinterpret_cast<HWND>(state.foundWindows[i]);
        if (std::find(w.begin(), w.end(), window) != w.end()) found.push_back(window);
    }
    // Seen in the same walk, the two tasks are listed in handle order.
    std::vector<HWND> expected{w[0], w[4]};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    EXPECT_EQ(state.discoveredActive, Handle(w[4]));
}

TEST_F(EngineOnWine, SwitchHidesShowsMinimizesAndMaximizesAnotherProcesssWindows) {
    const std::vector<HWND> w = StartTasks({"Switch A", "Switch B", "Switch C"});
    const HWND a = w[0], b = w[1], c = w[2];
    ShowWindow(b, SW_SHOWMAXIMIZED);
    // B and C go to desktop 2 as well.
    ASSERT_TRUE(AddRule(rules, "Switch B", 'T', 2, 1));
    ASSERT_TRUE(AddRule(rules, "Switch C", 'T', 2, 1));
    engine.MergeTaskbarTasks();
    engine.PruneTasks();
    EXPECT_EQ(Show(a), (std::vector<std::int32_t>{4, 4, 0, 0, 0}));
    EXPECT_EQ(Show(b), (std::vector<std::int32_t>{3, 3, 3, 0, 0}));
    EXPECT_EQ(Show(c), (std::vector<std::int32_t>{4, 4, 4, 0, 0}));

    Switch(2);
    EXPECT_FALSE(IsWindowVisible(a));
    EXPECT_TRUE(IsIconic(a)) << "minimized before it was hidden";
    EXPECT_TRUE(IsWindowVisible(b));
    EXPECT_TRUE(IsZoomed(b));
    EXPECT_TRUE(IsWindowVisible(c));

    // The user minimizes C on desktop 2.
    ShowWindow(c, SW_MINIMIZE);
    Settle();
    Switch(1);
    EXPECT_EQ(Show(c), (std::vector<std::int32_t>{4, 4, 7, 0, 0}));
    EXPECT_TRUE(IsWindowVisible(a));
    EXPECT_FALSE(IsIconic(a));
    EXPECT_TRUE(IsZoomed(b));
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_FALSE(IsIconic(c));

    Switch(2);
    EXPECT_FALSE(IsWindowVisible(a));
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_TRUE(IsIconic(c));

    // Shutdown brings back the window of the desktop left behind.
    state.currentDesktop = 0;
    engine.ShowAllTasks();
    Settle();
    for (HWND window : w) EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(EngineOnWine, ReturningRestoresTheStackingOrderAndTheActiveWindow) {
    const std::vector<HWND> w = StartTasks({"Stack A", "Stack B", "Stack C"});
    const HWND a = w[0], b = w[1], c = w[2];
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(a, c, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(b, a, 0, 0, 0, 0, ARRANGE);
    SwitchToThisWindow(c, TRUE);
    Settle();
    ASSERT_EQ(Stacking(w), (std::vector<HWND>{c, a, b}));
    ASSERT_EQ(GetForegroundWindow(), c);

    Switch(2);
    for (HWND window : w) EXPECT_FALSE(IsWindowVisible(window));
    // Meanwhile the hidden windows are stacked the other way round.
    SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, ARRANGE);
    Settle();
    ASSERT_EQ(Stacking(w), (std::vector<HWND>{a, b, c}));

    Switch(1);

    EXPECT_EQ(Stacking(w), (std::vector<HWND>{c, a, b}));
    EXPECT_EQ(GetForegroundWindow(), c);
    for (HWND window : w) {
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_FALSE(IsIconic(window));
    }
}

TEST_F(EngineOnWine, ReturningRestoresPlacementsChangedOnAnotherDesktop) {
    const RECT editorRect = Rect(60, 50, 460, 350);
    const RECT viewerRect = Rect(200, 120, 700, 520);
    const HWND editor = CreateOwnWindow("Placement Editor", editorRect);
    const HWND viewer = CreateOwnWindow("Placement Viewer", viewerRect);
    ShowWindow(editor, SW_SHOWNORMAL);
    ShowWindow(viewer, SW_SHOWMAXIMIZED);
    Settle();
    engine.MergeTaskbarTasks();
    engine.PruneTasks();
    // Both windows are on desktop 2 too, as the task page would set them.
    ASSERT_NE(Record(editor), nullptr);
    ASSERT_NE(Record(viewer), nullptr);
    Record(editor)->show[2] = SHOW_NOACTIVATE;
    Record(viewer)->show[2] = SHOW_NOACTIVATE;

    Switch(2);
    // On desktop 2 the user moves the editor and restores and moves the viewer.
    ShowWindow(viewer, SW_RESTORE);
    SetWindowPos(editor, nullptr, 300, 300, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(viewer, nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    ASSERT_FALSE(IsZoomed(viewer));

    Switch(1);

    RECT now;
    GetWindowRect(editor, &now);
    EXPECT_TRUE(SameRect(now, editorRect)) << Text(now);
    EXPECT_FALSE(IsIconic(editor));
    EXPECT_TRUE(IsZoomed(viewer));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(viewer, &placement));
    EXPECT_TRUE(SameRect(placement.rcNormalPosition, viewerRect)) << Text(placement.rcNormalPosition);
}

}  // namespace
}  // namespace moritelda
