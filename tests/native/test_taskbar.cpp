// Task discovery on today's shells: which windows are tasks, their order, the
// active task, and what the collection leaves out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/taskbar.h"
#include "engine_fixture.h"

namespace moritelda {
namespace {

TEST(ShowsOnTaskbar, AcceptsVisibleTitledApplicationWindowsOnly) {
    struct Case {
        const char* name;
        TaskbarCandidate candidate;
        bool expected;
    };
    const Case cases[] = {
        {"plain window", {true, 0, false, false, "Editor"}, true},
        {"hidden", {false, 0, false, false, "Editor"}, false},
        {"untitled", {true, 0, false, false, ""}, false},
        {"cloaked", {true, 0, false, true, "Editor"}, false},
        {"tool window", {true, EXSTYLE_TOOLWINDOW, false, false, "Palette"}, false},
        {"tool window asking for a button", {true, EXSTYLE_TOOLWINDOW | EXSTYLE_APPWINDOW, false, false, "P"}, false},
        {"owned", {true, 0, true, false, "Find"}, false},
        {"owned asking for a button", {true, EXSTYLE_APPWINDOW, true, false, "Find"}, true},
        {"refusing activation", {true, EXSTYLE_NOACTIVATE, false, false, "Tray"}, false},
        {"refusing activation asking for a button", {true, EXSTYLE_NOACTIVATE | EXSTYLE_APPWINDOW, false, false, "K"},
         true},
        {"topmost", {true, EXSTYLE_TOPMOST, false, false, "Clock"}, true},
        {"desktop's own window", {true, 0, false, false, "PROGRAM MANAGER"}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(ShowsOnTaskbar(c.candidate), c.expected) << c.name;
}

TEST(OrderTaskbarTasks, KeepsTheOrderOfFirstSight) {
    // Previously listed windows keep their places; new ones follow by handle;
    // windows no longer shown leave the list.
    EXPECT_EQ(OrderTaskbarTasks({0x30, 0x10, 0x20}, {0x50, 0x10, 0x40, 0x30}),
              (std::vector<WindowHandle>{0x30, 0x10, 0x40, 0x50}));
    EXPECT_EQ(OrderTaskbarTasks({}, {0x20, 0x10}), (std::vector<WindowHandle>{0x10, 0x20}));
}

class TaskbarTest : public EngineTest {
protected:
    std::vector<WindowHandle> Walk() {
        std::vector<WindowHandle> delivered;
        engine.WalkTaskbar(
            [&delivered](WindowHandle window, std::intptr_t userValue) {
                EXPECT_EQ(userValue, 42);
                delivered.push_back(window);
                return 1;
            },
            42);
        return delivered;
    }

    std::vector<WindowHandle> Collected() const {
        return {state.foundWindows, state.foundWindows + state.foundCount};
    }
};

TEST_F(TaskbarTest, WithoutATaskbarNothingIsDelivered) {
    fake.DestroyWindow(fake.FindWindowEx(NO_WINDOW, NO_WINDOW, "Shell_TrayWnd"));
    fake.AddWindow("Editor");
    state.discoveredActive = 0x777;

    EXPECT_TRUE(Walk().empty());

    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].owner, NO_WINDOW);
    EXPECT_EQ(fake.messageBoxes[0].text, "Task Button NOT Found!!");
    EXPECT_EQ(fake.messageBoxes[0].caption, "");
    EXPECT_EQ(fake.messageBoxes[0].style, BOX_OK);
    EXPECT_EQ(state.discoveredActive, WindowHandle{0x777});
}

TEST_F(TaskbarTest, DeliversTasksInAnOrderThatActivationDoesNotChange) {
    const WindowHandle a = fake.AddWindow("A");
    FakeWindowOptions tool;
    tool.title = "Palette";
    tool.exStyle = EXSTYLE_TOOLWINDOW;
    fake.AddWindow(tool);
    const WindowHandle b = fake.AddWindow("B");
    EXPECT_EQ(Walk(), (std::vector<WindowHandle>{a, b}));

    // A comes to the front and B is hidden, then shown again after C appeared.
    fake.ShowWindow(a, SHOW_SHOW);
    fake.ShowWindow(b, SHOW_HIDE);
    const WindowHandle c = fake.AddWindow("C");
    EXPECT_EQ(Walk(), (std::vector<WindowHandle>{a, c}));
    fake.ShowWindow(b, SHOW_SHOW);
    EXPECT_EQ(Walk(), (std::vector<WindowHandle>{a, c, b}));
}

TEST_F(TaskbarTest, ActiveTaskIsTheForegroundTaskOrElseTheLastDeactivatedWindow) {
    const WindowHandle a = fake.AddWindow("A");
    const WindowHandle b = fake.AddWindow("B");
    FakeWindowOptions switcher;
    switcher.title = "moritelda";
    switcher.exStyle = EXSTYLE_TOOLWINDOW;
    shell.switcherWindow = fake.AddWindow(switcher);
    state.lastDeactivated = b;

    fake.SetForeground(a);
    Walk();
    EXPECT_EQ(state.discoveredActive, a);

    // A click on the switcher window took the activation from B.
    fake.SetForeground(shell.switcherWindow);
    Walk();
    EXPECT_EQ(state.discoveredActive, b);
}

TEST_F(TaskbarTest, CallbackReturningZeroStopsTheWalk) {
    const WindowHandle a = fake.AddWindow("A");
    const WindowHandle b = fake.AddWindow("B");
    fake.SetForeground(b);
    state.lastDeactivated = a;
    int calls = 0;
    engine.WalkTaskbar([&calls](WindowHandle, std::intptr_t) { return ++calls == 1 ? 0 : 1; }, 0);
    EXPECT_EQ(calls, 1);
    // The walk stopped before it reached the active task.
    EXPECT_EQ(state.discoveredActive, a);
}

TEST_F(TaskbarTest, CollectionLeavesOutMoriteldasWindowsAndIgnoredOnes) {
    const WindowHandle task = fake.AddWindow("Editor");
    state.settingsWindow = fake.AddWindow("settings");
    shell.switcherWindow = fake.AddWindow("moritelda");
    const WindowHandle ignored = fake.AddWindow("Chat - Messenger");
    ASSERT_TRUE(AddRule(rules, "Messenger", 'T', RULE_IGNORE, 2));
    fake.SetForeground(ignored);

    engine.MergeTaskbarTasks();

    EXPECT_EQ(Collected(), (std::vector<WindowHandle>{task}));
    // An ignored window still counts as the active task.
    EXPECT_EQ(state.discoveredActive, ignored);
}

TEST_F(TaskbarTest, WalkCollects128WindowsAndEndsAtThe129th) {
    std::vector<WindowHandle> hidden;
    for (int i = 0; i < 3; ++i) {
        FakeWindowOptions other;
        other.title = "other desktop " + std::to_string(i);
        other.visible = false;
        hidden.push_back(fake.AddWindow(other));
        AddRecord(hidden.back(), {0, 4, 0, 0});
    }
    for (int i = 0; i < 128; ++i) fake.AddWindow("task " + std::to_string(i));
    state.foundCount = 0;
    engine.WalkTaskbar([this](WindowHandle w, std::intptr_t v) { return engine.CollectTaskbarWindow(w, v); }, 0);
    EXPECT_EQ(state.foundCount, 128);
    EXPECT_TRUE(fake.messageBoxes.empty());

    fake.AddWindow("task 128");
    // The windows hidden on another desktop come back before the end.
    ExpectWindowLimitEnd([this] { engine.MergeTaskbarTasks(); });
    for (WindowHandle window : hidden) EXPECT_TRUE(fake.IsWindowVisible(window));
}

}  // namespace
}  // namespace moritelda
