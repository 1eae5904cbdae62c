// Switching desktops and applying show commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine_fixture.h"

namespace moritelda {
namespace {

TEST_F(EngineTest, ApplyMinimizesOnlyWindowsThatLeaveTheScreen) {
    struct Case {
        const char* name;
        std::int32_t previousDesktop;
        std::int32_t showOnPrevious;
        std::int32_t showOnCurrent;
        std::vector<int> expected;  // show commands passed, in order
    };
    const Case cases[] = {
        {"shown, then hidden", 1, SHOW_NOACTIVATE, SHOW_HIDE, {SHOW_FORCEMINIMIZE, SHOW_HIDE}},
        {"hidden on both", 1, SHOW_HIDE, SHOW_HIDE, {SHOW_HIDE}},
        {"hidden, no previous desktop", 0, SHOW_HIDE, SHOW_HIDE, {SHOW_FORCEMINIMIZE, SHOW_HIDE}},
        {"normal, then minimized", 1, SHOW_NOACTIVATE, SHOW_MINNOACTIVE, {SHOW_MINNOACTIVE}},
        {"hidden, then maximized", 1, SHOW_HIDE, SHOW_MAXIMIZED, {SHOW_MAXIMIZED}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowHandle window = fake.AddWindow(c.name);
        AddRecord(window, {c.showOnPrevious, c.showOnCurrent, 0, 0});
        state.currentDesktop = 2;
        state.previousDesktop = c.previousDesktop;
        state.lastDeactivated = window;
        fake.calls.clear();

        engine.ApplyShowCommands();

        std::vector<std::string> expected;
        for (int command : c.expected) expected.push_back(ShowWindowCall(window, command));
        EXPECT_EQ(fake.calls, expected);
        EXPECT_EQ(state.previousDesktop, 2);
        EXPECT_EQ(state.lastDeactivated, NO_WINDOW);
        state.tasks[--state.taskCount].reset();
    }
}

TEST_F(EngineTest, SwitchIsRefusedWhileTheSettingsWindowIsShown) {
    shell.switcherWindow = fake.AddWindow("moritelda");
    fake.AddWindow("Editor");
    state.settingsShown = 1;

    engine.SwitchDesktop(3);

    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].owner, shell.switcherWindow);
    EXPECT_EQ(fake.messageBoxes[0].text, "text 141");
    EXPECT_EQ(fake.messageBoxes[0].caption, "information");
    EXPECT_EQ(fake.messageBoxes[0].style, 0x41040u);
    EXPECT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(state.currentDesktop, 1);
    EXPECT_EQ(state.taskCount, 0);
    EXPECT_EQ(state.snapshots[1].count, 0);
}

class SwitchTest : public EngineTest {
protected:
    // Editor on desktop 1, Mail on desktops 1 and 2, Music maximized on 2.
    void SetUp() override {
        editor = fake.AddWindow("Editor");
        mail = fake.AddWindow("Mail");
        engine.MergeTaskbarTasks();
        engine.PruneTasks();
        state.tasks[1]->show[2] = SHOW_NOACTIVATE;
        FakeWindowOptions options;
        options.title = "Music";
        options.visible = false;
        music = fake.AddWindow(options);
        AddRecord(music, {0, 3, 0, 0});
    }

    WindowHandle editor = NO_WINDOW;
    WindowHandle mail = NO_WINDOW;
    WindowHandle music = NO_WINDOW;
};

TEST_F(SwitchTest, FirstSwitchMinimizesAndHidesWhatLeavesAndShowsTheNewDesktop) {
    fake.SetForeground(editor);
    fake.calls.clear();

    engine.SwitchDesktop(2);

    // No desktop was applied before, so every window to hide is minimized first.
    const std::vector<std::string> apply{
        ShowWindowCall(editor, SHOW_FORCEMINIMIZE), ShowWindowCall(editor, SHOW_HIDE),
        ShowWindowCall(mail, SHOW_NOACTIVATE), ShowWindowCall(music, SHOW_MAXIMIZED)};
    ASSERT_GE(fake.calls.size(), apply.size());
    EXPECT_EQ(std::vector<std::string>(fake.calls.begin(), fake.calls.begin() + 4), apply);
    EXPECT_EQ(fake.calls.back(), SwitchCall(NO_WINDOW));
    EXPECT_EQ(state.currentDesktop, 2);
    EXPECT_EQ(state.previousDesktop, 2);
    EXPECT_EQ(state.activeWindow[1], editor);
    EXPECT_EQ(Snapshot(1), (std::vector<WindowHandle>{mail, editor}));
    EXPECT_FALSE(fake.IsWindowVisible(editor));
    EXPECT_TRUE(fake.IsIconic(editor));
    EXPECT_TRUE(fake.IsZoomed(music));
}

TEST_F(SwitchTest, ReturningRestoresTheDesktopAsItWasLeft) {
    fake.SetForeground(editor);
    engine.SwitchDesktop(2);
    // On desktop 2 the user minimizes Mail and brings Music to the front.
    fake.ShowWindow(mail, SHOW_MINNOACTIVE);
    fake.ShowWindow(music, SHOW_MAXIMIZED);
    fake.calls.clear();

    engine.SwitchDesktop(1);

    EXPECT_EQ(Show(1), (std::vector<std::int32_t>{4, 4, 7, 0, 0}));
    // Music leaves the screen; Editor comes back restored; Mail, shown on both, is not minimized again.
    const std::vector<std::string> apply{
        ShowWindowCall(editor, SHOW_NOACTIVATE), ShowWindowCall(mail, SHOW_NOACTIVATE),
        ShowWindowCall(music, SHOW_FORCEMINIMIZE), ShowWindowCall(music, SHOW_HIDE)};
    EXPECT_EQ(std::vector<std::string>(fake.calls.begin(), fake.calls.begin() + 4), apply);
    EXPECT_EQ(fake.calls.back(), SwitchCall(editor));
    const std::vector<WindowHandle> stacking = fake.TopLevelWindows();
    EXPECT_EQ(std::vector<WindowHandle>(stacking.begin(), stacking.begin() + 2),
              (std::vector<WindowHandle>{editor, mail}));
    EXPECT_FALSE(fake.IsIconic(editor));
    EXPECT_FALSE(fake.IsWindowVisible(music));
    EXPECT_EQ(fake.ForegroundWindow(), editor);
}

TEST_F(SwitchTest, SwitchingToTheShownDesktopRefreshesItInPlace) {
    engine.SwitchDesktop(2);
    fake.ShowWindow(mail, SHOW_MAXIMIZED);
    fake.calls.clear();

    engine.SwitchDesktop(2);

    EXPECT_EQ(state.currentDesktop, 2);
    EXPECT_EQ(Show(1)[2], SHOW_MAXIMIZED);
    EXPECT_EQ(Snapshot(2), (std::vector<WindowHandle>{mail, music}));
    // Editor was hidden already; nothing leaves the screen.
    for (WindowHandle window : {editor, mail, music}) {
        EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), ShowWindowCall(window, SHOW_FORCEMINIMIZE)), 0);
    }
    EXPECT_TRUE(fake.IsZoomed(mail));
    EXPECT_TRUE(fake.IsWindowVisible(music));
    EXPECT_FALSE(fake.IsWindowVisible(editor));
}

TEST_F(SwitchTest, HideAllAndApplyHidesEveryTaskThenAppliesAsIfNothingWasShown) {
    engine.SwitchDesktop(2);
    fake.calls.clear();

    engine.HideAllAndApply();

    EXPECT_EQ(fake.calls, (std::vector<std::string>{
                              ShowWindowCall(editor, SHOW_HIDE), ShowWindowCall(mail, SHOW_HIDE),
                              ShowWindowCall(music, SHOW_HIDE), ShowWindowCall(editor, SHOW_FORCEMINIMIZE),
                              ShowWindowCall(editor, SHOW_HIDE), ShowWindowCall(mail, SHOW_NOACTIVATE),
                              ShowWindowCall(music, SHOW_MAXIMIZED)}));
    EXPECT_EQ(state.previousDesktop, 2);
}

TEST_F(SwitchTest, ShowAllTasksShowsEveryTrackedWindowAndActivatesTheLastDesktopsTop) {
    // Before any switch no desktop was applied, so nothing is activated.
    engine.ShowAllTasks();
    EXPECT_EQ(fake.calls.back(), ShowWindowCall(music, SHOW_SHOW));

    engine.SwitchDesktop(2);
    engine.CaptureSnapshot();
    state.currentDesktop = 0;
    fake.calls.clear();

    engine.ShowAllTasks();

    std::vector<std::string> expected;
    for (WindowHandle window : {editor, mail, music}) {
        expected.push_back(ShowWindowCall(window, SHOW_HIDE));
        expected.push_back(ShowWindowCall(window, SHOW_SHOW));
    }
    expected.push_back(SwitchCall(state.snapshots[2].windows[0]));
    EXPECT_EQ(fake.calls, expected);
    for (WindowHandle window : {editor, mail, music}) EXPECT_TRUE(fake.IsWindowVisible(window));
}

}  // namespace
}  // namespace moritelda
