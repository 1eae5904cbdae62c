// moritelda.exe under Wine, switching desktops for the user: windows of other
// programs spread over the desktops by change requests and hotkeys, each
// desktop's arrangement coming back on return, rules placing new windows,
// closed windows dropped, and the window limits ending the program without
// leaving a window hidden.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"

using namespace harness;

namespace {

constexpr LPARAM NEXT = -1;
constexpr LPARAM PREVIOUS = -2;
constexpr UINT ARRANGE = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// A display type without a first-run notice; its switcher adds no window.
const char QUIET_SETTINGS[] = "SetSkin 3,0\r\n";

// moritelda.exe started from a fresh directory with these files.
class Moritelda {
public:
    explicit Moritelda(const std::string& settings, const std::string& rules = "") : dir_("switching") {
        dir_.AddProgram("moritelda.exe");
        dir_.Write("moritelda.ini", settings);
        if (!rules.empty()) dir_.Write("wndrule.ini", rules);
        program_ = std::make_unique<Program>(dir_.File("moritelda.exe"));
    }
    // True once its message loop runs.
    bool Ready() { return WaitForWindow(Id(), "moritelda_keycom", nullptr, WAIT_MS, false) != nullptr; }
    // A change request; true when it was handled, i.e. the switch is done.
    bool Change(LPARAM lParam) { return SendChange(Id(), lParam); }
    DWORD Quit() {
        EXPECT_TRUE(program_->PostQuit());
        return program_->WaitForExit();
    }
    DWORD Id() const { return program_->ProcessId(); }
    Program& Process() { return *program_; }

private:
    CaseDir dir_;
    std::unique_ptr<Program> program_;
};

std::vector<std::string> Numbered(const std::string& prefix, int count) {
    std::vector<std::string> titles;
    for (int i = 1; i <= count; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", i);
        titles.push_back(prefix + number);
    }
    return titles;
}

std::vector<HWND> Joined(std::initializer_list<const std::vector<HWND>*> parts) {
    std::vector<HWND> all;
    for (const std::vector<HWND>* part : parts) all.insert(all.end(), part->begin(), part->end());
    return all;
}

std::vector<HWND> Visible(const std::vector<HWND>& windows) {
    std::vector<HWND> visible;
    for (HWND window : windows)
        if (StateOf(window).visible) visible.push_back(window);
    return visible;
}

std::vector<HWND> Hidden(const std::vector<HWND>& windows) {
    std::vector<HWND> hidden;
    for (HWND window : windows)
        if (!StateOf(window).visible) hidden.push_back(window);
    return hidden;
}

void Close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << WindowTextA(window);
}

void Activate(HWND window) {
    SwitchToThisWindow(window, TRUE);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; })) << WindowTextA(window);
}

bool BecomesForeground(HWND window) {
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

// Visible titled top-level windows besides the given ones: they would count
// in a desktop's snapshot too.
int OtherTitledWindows(const std::vector<HWND>& known) {
    struct Count {
        const std::vector<HWND>* known;
        int others;
    } count{&known, 0};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            Count& c = *reinterpret_cast<Count*>(context);
            if (!IsWindowVisible(window)) return TRUE;
            const std::string title = WindowTextA(window);
            if (title.empty() || lstrcmpiA(title.c_str(), "Program Manager") == 0) return TRUE;
            for (HWND k : *c.known)
                if (k == window) return TRUE;
            ++c.others;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.others;
}

// Wine tells programs named moritelda.exe that they run on Windows 2000 while
// this lives, so moritelda reads the taskbar's tab control.
class ReportedAsWindows2000 {
public:
    ReportedAsWindows2000() {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, KEY_PATH, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            static const char version[] = "win2k";
            RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof version);
            RegCloseKey(key);
        }
    }
    ~ReportedAsWindows2000() { Remove(); }
    ReportedAsWindows2000(const ReportedAsWindows2000&) = delete;
    ReportedAsWindows2000& operator=(const ReportedAsWindows2000&) = delete;

    // Also after a case that ended without cleaning up.
    static void Remove() { RegDeleteKeyA(HKEY_CURRENT_USER, KEY_PATH); }

    // The version that a program of that name is told, e.g. "5.0".
    static std::string Seen() {
        CaseDir dir("version");
        CopyFileA((BuildDir() + "\\task_windows.exe").c_str(), dir.File("moritelda.exe").c_str(), FALSE);
        Program probe(dir.File("moritelda.exe"), "\"version:seen as \"");
        const HWND window = WaitForWindow(probe.ProcessId(), "MoriteldaTaskWindow");
        return window ? WindowTextA(window).substr(8) : "";
    }

private:
    static constexpr const char* KEY_PATH = "Software\\Wine\\AppDefaults\\moritelda.exe";
};

enum class Taskbar { Toolbar, Tabs };

// The old shells' taskbar, played by fake_shell.exe: a toolbar (XP, Vista)
// or a tab control (Windows 2000) under "Shell_TrayWnd".
class OldShellTest : public ::testing::Test {
protected:
    void StartShell(Taskbar taskbar) {
        if (taskbar == Taskbar::Tabs) {
            version_ = std::make_unique<ReportedAsWindows2000>();
            ASSERT_EQ("5.0", ReportedAsWindows2000::Seen());
        } else {
            ReportedAsWindows2000::Remove();
            ASSERT_EQ("6.1", ReportedAsWindows2000::Seen());
        }
        shell_ = std::make_unique<Program>(BuildDir() + "\\fake_shell.exe", taskbar == Taskbar::Tabs ? "tabs" : "");
        ASSERT_TRUE(shell_->Started());
        const char* controlClass = taskbar == Taskbar::Tabs ? "SysTabControl32" : "ToolbarWindow32";
        // The stand-in must be the taskbar that a search by class finds.
        ASSERT_TRUE(WaitUntil([&] {
            const HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
            DWORD owner = 0;
            GetWindowThreadProcessId(tray, &owner);
            if (owner != shell_->ProcessId()) return false;
            const HWND rebar = FindWindowExA(tray, nullptr, "ReBarWindow32", nullptr);
            const HWND tasks = FindWindowExA(rebar, nullptr, "MSTaskSwWClass", nullptr);
            return FindWindowExA(tasks, nullptr, controlClass, nullptr) != nullptr;
        }));
    }

    void TearDown() override {
        // The program first, so that nothing is switched while the others go.
        app_.reset();
        tasks_.clear();
        shell_.reset();
        version_.reset();
    }

    Moritelda& StartApp(const std::string& settings, const std::string& rules = "") {
        app_ = std::make_unique<Moritelda>(settings, rules);
        return *app_;
    }

    // Windows of task_windows.exe, alive until the end of the case.
    const std::vector<HWND>& StartTasks(const std::vector<std::string>& arguments) {
        tasks_.push_back(std::make_unique<TaskWindows>(arguments));
        EXPECT_TRUE(tasks_.back()->AllFound());
        return tasks_.back()->All();
    }

    std::unique_ptr<ReportedAsWindows2000> version_;
    std::unique_ptr<Program> shell_;
    std::unique_ptr<Moritelda> app_;
    std::vector<std::unique_ptr<TaskWindows>> tasks_;
};

class SwitchingOnOldShell : public OldShellTest, public ::testing::WithParamInterface<Taskbar> {
protected:
    void SetUp() override { StartShell(GetParam()); }
};

TEST_P(SwitchingOnOldShell, EachDesktopGetsBackItsWindowsAsTheUserLeftThem) {
    Moritelda& app = StartApp(QUIET_SETTINGS);
    ASSERT_TRUE(app.Ready());
    // "One Keys" refuses activation: today's taskbars leave it out, the old
    // shells' taskbar has a button for it, so it is a task here.
    const std::vector<HWND> one = StartTasks({"One A", "One B", "One C", "noactivate:One Keys"});
    const HWND a = one[0], b = one[1], c = one[2], keys = one[3];
    // The maximized window is the active one: showing it maximized activates
    // it, and Wine may do that late, after the restacking.
    ShowWindow(b, SW_SHOWMAXIMIZED);
    ShowWindow(c, SW_SHOWMINNOACTIVE);
    SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(keys, b, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(a, keys, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(c, a, 0, 0, 0, 0, ARRANGE);
    Activate(b);
    const std::vector<HWND> arranged = StackingOrder(one);
    ASSERT_EQ(arranged, (std::vector<HWND>{b, keys, a, c})) << Titles(arranged);

    ASSERT_TRUE(app.Change(NEXT));  // desktop 2
    EXPECT_EQ(Visible(one), std::vector<HWND>{}) << Titles(Visible(one));
    // Meanwhile the hidden windows are stacked the other way round.
    for (HWND window : arranged) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, ARRANGE);
    const std::vector<HWND> two = StartTasks({"Two D", "Two E"});
    Activate(two[1]);

    ASSERT_TRUE(app.Change(NEXT));  // desktop 3, empty
    EXPECT_EQ(Visible(Joined({&one, &two})), std::vector<HWND>{});

    ASSERT_TRUE(app.Change(PREVIOUS));  // desktop 2
    EXPECT_EQ(Hidden(two), std::vector<HWND>{}) << Titles(Hidden(two));
    EXPECT_EQ(Visible(one), std::vector<HWND>{}) << Titles(Visible(one));
    EXPECT_TRUE(BecomesForeground(two[1]));

    ASSERT_TRUE(app.Change(NEXT));  // desktop 3
    ASSERT_TRUE(app.Change(NEXT));  // desktop 4
    EXPECT_EQ(Visible(Joined({&one, &two})), std::vector<HWND>{});
    const std::vector<HWND> four = StartTasks({"Four F"});

    ASSERT_TRUE(app.Change(NEXT));  // 4 wraps to 1
    EXPECT_EQ(Hidden(one), std::vector<HWND>{}) << Titles(Hidden(one));
    EXPECT_EQ(Visible(Joined({&two, &four})), std::vector<HWND>{});
    EXPECT_FALSE(StateOf(a).iconic);
    EXPECT_FALSE(StateOf(a).zoomed);
    EXPECT_TRUE(StateOf(b).zoomed);
    EXPECT_TRUE(StateOf(c).iconic);
    EXPECT_FALSE(StateOf(keys).iconic);
    for (HWND window : one) EXPECT_FALSE(StateOf(window).topmost) << WindowTextA(window);
    EXPECT_EQ(StackingOrder(one), arranged) << Titles(StackingOrder(one));
    EXPECT_TRUE(BecomesForeground(b));

    ASSERT_TRUE(app.Change(PREVIOUS));  // 1 wraps to 4
    EXPECT_EQ(Visible(Joined({&one, &two})), std::vector<HWND>{});
    EXPECT_TRUE(StateOf(four[0]).visible);

    ASSERT_TRUE(app.Change(NEXT));  // desktop 1
    EXPECT_EQ(StackingOrder(one), arranged) << Titles(StackingOrder(one));
    // Any other value asks for the desktop already shown (3 is no desktop
    // number here), which is taken again and restored in place.
    for (LPARAM current : {LPARAM(0), LPARAM(3), LPARAM(99)}) {
        ASSERT_TRUE(app.Change(current));
        EXPECT_EQ(Hidden(one), std::vector<HWND>{}) << current << ": " << Titles(Hidden(one));
        EXPECT_EQ(Visible(Joined({&two, &four})), std::vector<HWND>{}) << current;
        EXPECT_TRUE(StateOf(b).zoomed);
        EXPECT_TRUE(StateOf(c).iconic);
        EXPECT_EQ(StackingOrder(one), arranged) << current << ": " << Titles(StackingOrder(one));
    }

    EXPECT_TRUE(NoMessageBoxFor(app.Id(), 100));
    EXPECT_EQ(0u, app.Quit());
    // The run's end brings back the windows of every desktop.
    const std::vector<HWND> all = Joined({&one, &two, &four});
    EXPECT_EQ(Hidden(all), std::vector<HWND>{}) << Titles(Hidden(all));
}

// The old shells' taskbar is topmost itself, like the stand-in. A desktop
// with a topmost window of the user's gets back that window on top, still
// topmost, and the other windows below it in their order, not topmost.
TEST_P(SwitchingOnOldShell, ATopmostWindowStaysAboveTheOthersInTheirOrder) {
    Moritelda& app = StartApp(QUIET_SETTINGS);
    ASSERT_TRUE(app.Ready());
    const std::vector<HWND> one = StartTasks({"Pinned", "Under A", "Under B", "Under C"});
    const HWND pinned = one[0], a = one[1], b = one[2], c = one[3];
    SetWindowPos(pinned, HWND_TOPMOST, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(b, a, 0, 0, 0, 0, ARRANGE);
    SetWindowPos(c, b, 0, 0, 0, 0, ARRANGE);
    Activate(a);
    ASSERT_EQ(StackingOrder(one), (std::vector<HWND>{pinned, a, b, c})) << Titles(StackingOrder(one));

    ASSERT_TRUE(app.Change(NEXT));
    ASSERT_EQ(Visible(one), std::vector<HWND>{});
    ASSERT_TRUE(app.Change(PREVIOUS));

    EXPECT_EQ(Hidden(one), std::vector<HWND>{}) << Titles(Hidden(one));
    EXPECT_TRUE(StateOf(pinned).topmost);
    for (HWND window : {a, b, c}) EXPECT_FALSE(StateOf(window).topmost) << WindowTextA(window);
    EXPECT_EQ(StackingOrder(one), (std::vector<HWND>{pinned, a, b, c})) << Titles(StackingOrder(one));
    EXPECT_TRUE(BecomesForeground(a));
    EXPECT_EQ(0u, app.Quit());
}

TEST_P(SwitchingOnOldShell, ClosedWindowsAreDroppedAndRulesPlaceNewWindows) {
    // Titles containing "Rule target" also go to desktops 1 and 3; a window
    // titled exactly "Ignored" is left alone.
    Moritelda& app = StartApp(QUIET_SETTINGS, "AddTitle Rule target,5,2\r\nAddTitle Ignored,-1,1\r\n");
    ASSERT_TRUE(app.Ready());
    const std::vector<HWND> one = StartTasks({"Home A", "Home B", "Early Rule target", "Ignored"});
    const HWND homeA = one[0], homeB = one[1], early = one[2], ignored = one[3];

    ASSERT_TRUE(app.Change(NEXT));  // desktop 2
    EXPECT_EQ(Visible(one), std::vector<HWND>{ignored}) << Titles(Visible(one));
    // First seen on desktop 2, the late window belongs to it and to the
    // rule's desktops.
    const std::vector<HWND> two = StartTasks({"Away C", "Away D", "Late Rule target"});
    const HWND awayC = two[0], awayD = two[1], late = two[2];

    ASSERT_TRUE(app.Change(NEXT));  // desktop 3
    EXPECT_EQ(Visible(Joined({&one, &two})), (std::vector<HWND>{early, ignored, late}))
        << Titles(Visible(Joined({&one, &two})));
    // The user makes the early window topmost here, and closes windows of
    // desktops 1 and 2 while they are hidden.
    SetWindowPos(early, HWND_TOPMOST, 0, 0, 0, 0, ARRANGE);
    Close(awayC);
    Close(homeA);

    ASSERT_TRUE(app.Change(PREVIOUS));  // desktop 2
    EXPECT_TRUE(NoMessageBoxFor(app.Id(), 200));
    EXPECT_EQ(Visible(Joined({&one, &two})), (std::vector<HWND>{ignored, awayD, late}))
        << Titles(Visible(Joined({&one, &two})));

    ASSERT_TRUE(app.Change(NEXT));  // desktop 3
    EXPECT_TRUE(StateOf(early).topmost) << "topmost when desktop 3 was left";
    ASSERT_TRUE(app.Change(NEXT));  // desktop 4
    EXPECT_EQ(Visible(Joined({&one, &two})), std::vector<HWND>{ignored});

    ASSERT_TRUE(app.Change(NEXT));  // desktop 1
    EXPECT_TRUE(NoMessageBoxFor(app.Id(), 200));
    EXPECT_EQ(Visible(Joined({&one, &two})), (std::vector<HWND>{homeB, early, ignored, late}))
        << Titles(Visible(Joined({&one, &two})));
    EXPECT_FALSE(StateOf(early).topmost) << "not topmost when desktop 1 was left";

    EXPECT_EQ(0u, app.Quit());
    const std::vector<HWND> left{homeB, early, ignored, awayD, late};
    EXPECT_EQ(Hidden(left), std::vector<HWND>{}) << Titles(Hidden(left));
}

INSTANTIATE_TEST_SUITE_P(Taskbars, SwitchingOnOldShell, ::testing::Values(Taskbar::Toolbar, Taskbar::Tabs),
                         [](const ::testing::TestParamInfo<Taskbar>& info) {
                             return std::string(info.param == Taskbar::Tabs ? "TabControl" : "Toolbar");
                         });

// Wine's own desktop: its taskbar has no button control to read, so the
// tasks are the windows that today's taskbars show.
TEST(SwitchingOnWineDesktop, WindowsLeaveAndComeBackWithTheirStates) {
    GetDesktopWindow();
    ASSERT_TRUE(WaitUntil([] {
        const HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
        return tray != nullptr && FindWindowExA(tray, nullptr, "ReBarWindow32", nullptr) == nullptr;
    })) << "needs Wine's desktop with its own taskbar";
    Moritelda app(QUIET_SETTINGS);
    ASSERT_TRUE(app.Ready());
    TaskWindows one({"Plain A", "Plain B"});
    ASSERT_TRUE(one.AllFound());
    ShowWindow(one[1], SW_SHOWMAXIMIZED);
    ShowWindow(one[0], SW_SHOWMINNOACTIVE);
    Activate(one[1]);

    ASSERT_TRUE(app.Change(NEXT));
    EXPECT_EQ(Visible(one.All()), std::vector<HWND>{}) << Titles(Visible(one.All()));
    TaskWindows two({"Plain C"});
    ASSERT_TRUE(two.AllFound());

    ASSERT_TRUE(app.Change(PREVIOUS));
    EXPECT_EQ(Hidden(one.All()), std::vector<HWND>{}) << Titles(Hidden(one.All()));
    EXPECT_FALSE(StateOf(two[0]).visible);
    EXPECT_TRUE(StateOf(one[0]).iconic);
    EXPECT_TRUE(StateOf(one[1]).zoomed);
    EXPECT_TRUE(BecomesForeground(one[1]));

    EXPECT_TRUE(NoMessageBoxFor(app.Id(), 100));
    EXPECT_EQ(0u, app.Quit());
    EXPECT_TRUE(StateOf(two[0]).visible);
}

// The first-run hotkeys pressed on the virtual screen, as the user would.
TEST(SwitchingByHotkey, WindowsRightAndWindowsLeftChangeTheDesktop) {
    Moritelda app("SetSkin 3,0\r\nHKNEXT=2087,1,8,0\r\nHKPREV=2085,1,8,0\r\n");
    ASSERT_TRUE(app.Ready());
    TaskWindows one({"Key A"});
    ASSERT_TRUE(one.AllFound());
    // Keys reach Wine only while the X focus is on one of its windows.
    Activate(one[0]);

    ASSERT_TRUE(RunHostCommand("xdotool keydown super sleep 0.3 key Right keyup super"));
    EXPECT_TRUE(WaitUntil([&] { return !StateOf(one[0]).visible; }, 3000)) << "Windows+Right";
    ASSERT_TRUE(RunHostCommand("xdotool keydown super sleep 0.3 key Left keyup super"));
    EXPECT_TRUE(WaitUntil([&] { return StateOf(one[0]).visible; }, 3000)) << "Windows+Left";

    EXPECT_EQ(0u, app.Quit());
}

// The three window limits end the program with text 104 and show every
// tracked window again first.
class WindowLimits : public OldShellTest {
protected:
    void SetUp() override { StartShell(Taskbar::Toolbar); }

    void ExpectLimitEnd() {
        MessageBoxView box;
        ASSERT_TRUE(WaitForMessageBox(app_->Id(), box));
        EXPECT_EQ("ERROR", box.caption);
        EXPECT_EQ(Cp932("ウインドウ数が限界です。「moritelda」は終了します。"), box.text);
        AnswerMessageBox(box);
        EXPECT_EQ(0u, app_->Process().WaitForExit());
    }
};

TEST_F(WindowLimits, TheTableReachingOneHundredTwentyEightTasks) {
    Moritelda& app = StartApp(QUIET_SETTINGS);
    ASSERT_TRUE(app.Ready());
    const std::vector<HWND> one = StartTasks(Numbered("Merge one ", 64));
    ASSERT_TRUE(app.Change(NEXT));
    const std::vector<HWND> two = StartTasks(Numbered("Merge two ", 63));
    // 127 tasks: the program goes on.
    ASSERT_TRUE(app.Change(NEXT));
    EXPECT_EQ(Visible(Joined({&one, &two})), std::vector<HWND>{});

    // One new task on desktop 3: the walk finds one window, the table would
    // hold 128.
    const std::vector<HWND> three = StartTasks({"Merge three"});
    ASSERT_TRUE(PostChange(app.Id(), NEXT));
    ExpectLimitEnd();
    const std::vector<HWND> all = Joined({&one, &two, &three});
    EXPECT_EQ(Hidden(all), std::vector<HWND>{}) << Titles(Hidden(all));
}

TEST_F(WindowLimits, TheSnapshotsHundredTwentyNinthWindow) {
    // Tool windows and windows the rules leave alone are no tasks, but they
    // are part of the desktop's arrangement.
    Moritelda& app = StartApp(QUIET_SETTINGS, "AddTitle Snapshot ignored,-1,2\r\n");
    ASSERT_TRUE(app.Ready());
    const std::vector<HWND> home = StartTasks({"Snapshot home"});
    ASSERT_TRUE(app.Change(NEXT));  // desktop 2

    std::vector<std::string> crowd = Numbered("Snapshot task ", 120);
    for (const std::string& title : Numbered("tool:Snapshot tool ", 4)) crowd.push_back(title);
    for (const std::string& title : Numbered("Snapshot ignored ", 4)) crowd.push_back(title);
    const std::vector<HWND> many = StartTasks(crowd);
    ASSERT_EQ(0, OtherTitledWindows(Joined({&home, &many}))) << "others would count in the arrangement";
    // 128 windows in the arrangement of desktop 2, taken again in place: the
    // program goes on.
    ASSERT_TRUE(app.Change(0));
    ASSERT_EQ(Visible(many).size(), 128u);

    // The 129th: the walk still finds 120 tasks and the table holds 121.
    const std::vector<HWND> extra = StartTasks({"tool:Snapshot tool extra"});
    ASSERT_TRUE(PostChange(app.Id(), NEXT));
    ExpectLimitEnd();
    const std::vector<HWND> all = Joined({&home, &many, &extra});
    EXPECT_EQ(Hidden(all), std::vector<HWND>{}) << Titles(Hidden(all));
}

TEST_F(WindowLimits, TheWalksHundredTwentyNinthTask) {
    Moritelda& app = StartApp(QUIET_SETTINGS);
    ASSERT_TRUE(app.Ready());
    const std::vector<HWND> home = StartTasks({"Walk home A", "Walk home B"});
    ASSERT_TRUE(app.Change(NEXT));  // desktop 2
    ASSERT_EQ(Visible(home), std::vector<HWND>{});

    // 129 tasks on the taskbar at once; the walk ends the program before
    // any of them enters the table.
    const std::vector<HWND> many = StartTasks(Numbered("Walk task ", 129));
    ASSERT_TRUE(PostChange(app.Id(), NEXT));
    ExpectLimitEnd();
    const std::vector<HWND> all = Joined({&home, &many});
    EXPECT_EQ(Hidden(all), std::vector<HWND>{}) << Titles(Hidden(all));
}

}  // namespace
