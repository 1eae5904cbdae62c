// The task table: new tasks and their show commands, pruning, and the limit.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine_fixture.h"

namespace moritelda {
namespace {

struct LiveState {
    bool visible;
    bool minimized;
    bool maximized;
};

FakeWindowOptions Options(const std::string& title, LiveState live) {
    FakeWindowOptions options;
    options.title = title;
    options.visible = live.visible;
    options.minimized = live.minimized;
    options.maximized = live.maximized;
    return options;
}

constexpr LiveState NORMAL{true, false, false};
constexpr LiveState MAXIMIZED{true, false, true};
constexpr LiveState MINIMIZED{true, true, false};
constexpr LiveState HIDDEN{false, false, false};

TEST_F(EngineTest, WindowShowStateTakesTheFirstMatchingState) {
    struct Case {
        const char* name;
        LiveState live;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"normal", NORMAL, SHOW_NOACTIVATE},
        {"maximized", MAXIMIZED, SHOW_MAXIMIZED},
        {"minimized", MINIMIZED, SHOW_MINNOACTIVE},
        {"hidden", HIDDEN, SHOW_HIDE},
        {"hidden minimized", {false, true, false}, SHOW_MINNOACTIVE},
        {"hidden maximized", {false, false, true}, SHOW_MAXIMIZED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(engine.WindowShowState(fake.AddWindow(Options(c.name, c.live))), c.expected);
    }
    const WindowHandle gone = fake.AddWindow("gone");
    fake.DestroyWindow(gone);
    EXPECT_EQ(engine.WindowShowState(gone), SHOW_HIDE);
}

struct NewTaskCase {
    const char* name;
    LiveState live;
    std::int32_t currentDesktop;
    std::int32_t ruleMask;  // NO_RULE for no rule
    std::vector<std::int32_t> expected;
};

void PrintTo(const NewTaskCase& c, std::ostream* os) { *os << c.name; }

class NewTaskTest : public EngineTest, public ::testing::WithParamInterface<NewTaskCase> {};

TEST_P(NewTaskTest, GetsItsDesktopPlusThoseOfItsRule) {
    const NewTaskCase& c = GetParam();
    state.currentDesktop = c.currentDesktop;
    const WindowHandle window = fake.AddWindow(Options("Report - Editor", c.live));
    if (c.ruleMask != NO_RULE) {
        ASSERT_TRUE(AddRule(rules, "Report", 'T', c.ruleMask, 2));
    }

    engine.MergeTaskbarTasks();

    ASSERT_EQ(state.taskCount, 1);
    EXPECT_EQ(state.tasks[0]->hwnd, window);
    EXPECT_EQ(Show(0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewTaskTest,
    ::testing::Values(NewTaskCase{"NormalNoRule", NORMAL, 2, NO_RULE, {4, 0, 4, 0, 0}},
                      NewTaskCase{"MaximizedRuleForDesktops1And3", MAXIMIZED, 2, 5, {3, 3, 3, 3, 0}},
                      NewTaskCase{"RuleWithNoDesktop", NORMAL, 2, 0, {4, 0, 4, 0, 0}},
                      NewTaskCase{"MinimizedRuleLeavingOutCurrent", MINIMIZED, 1, 12, {7, 7, 0, 7, 7}}),
    [](const ::testing::TestParamInfo<NewTaskCase>& info) { return std::string(info.param.name); });

TEST_F(EngineTest, MergeKeepsKnownRecordsAndAppendsNewTasksInTaskbarOrder) {
    const WindowHandle a = fake.AddWindow("A");
    const WindowHandle b = fake.AddWindow("B");
    engine.MergeTaskbarTasks();
    ASSERT_EQ(state.taskCount, 2);

    // The user put A on desktop 3 too, then maximized it; B went to another desktop.
    state.tasks[0]->show[3] = SHOW_NOACTIVATE;
    fake.Window(a).maximized = true;
    fake.Window(b).visible = false;
    const WindowHandle c = fake.AddWindow("C");
    engine.MergeTaskbarTasks();

    ASSERT_EQ(state.taskCount, 3);
    EXPECT_EQ(state.tasks[0]->hwnd, a);
    EXPECT_EQ(Show(0), (std::vector<std::int32_t>{4, 4, 0, 4, 0}));
    EXPECT_EQ(state.tasks[1]->hwnd, b);
    EXPECT_EQ(state.tasks[2]->hwnd, c);
}

TEST_F(EngineTest, WindowDeliveredTwiceByOneWalkGetsTwoRecords) {
    const WindowHandle known = fake.AddWindow("known");
    const WindowHandle twice = fake.AddWindow("twice");
    AddRecord(known, {4, 0, 0, 0});
    state.foundWindows[0] = twice;
    state.foundWindows[1] = known;
    state.foundWindows[2] = twice;
    state.foundCount = 3;

    engine.AddFoundTasks();

    ASSERT_EQ(state.taskCount, 3);
    EXPECT_EQ(state.tasks[1]->hwnd, twice);
    EXPECT_EQ(state.tasks[2]->hwnd, twice);
    EXPECT_EQ(state.tasks[3], nullptr);
}

struct MergeLimitCase {
    const char* name;
    int hiddenRecords;  // tracked windows of another desktop
    int newWindows;
    bool ends;
};

void PrintTo(const MergeLimitCase& c, std::ostream* os) { *os << c.name; }

class MergeLimitTest : public EngineTest, public ::testing::WithParamInterface<MergeLimitCase> {};

TEST_P(MergeLimitTest, TableEndsTheProgramWhenItWouldFill) {
    const MergeLimitCase& c = GetParam();
    for (int i = 0; i < c.hiddenRecords; ++i) {
        AddRecord(fake.AddWindow(Options("other " + std::to_string(i), HIDDEN)), {0, 4, 0, 0});
    }
    std::vector<WindowHandle> fresh;
    for (int i = 0; i < c.newWindows; ++i) fresh.push_back(fake.AddWindow("new " + std::to_string(i)));

    if (!c.ends) {
        engine.MergeTaskbarTasks();
        EXPECT_EQ(state.taskCount, c.hiddenRecords + c.newWindows);
        EXPECT_TRUE(fake.messageBoxes.empty());
        return;
    }
    ExpectWindowLimitEnd([this] { engine.MergeTaskbarTasks(); });
    EXPECT_EQ(state.taskCount, MAX_TASKS);
    // Windows after the one that filled the table got no record.
    const int recorded = MAX_TASKS - c.hiddenRecords;
    EXPECT_EQ(state.tasks[MAX_TASKS - 1]->hwnd, fresh[recorded - 1]);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeLimitTest,
                         ::testing::Values(MergeLimitCase{"NewTo127", 0, 127, false},
                                           MergeLimitCase{"NewTo128", 0, 128, true},
                                           MergeLimitCase{"KnownPlusNewTo127", 120, 7, false},
                                           MergeLimitCase{"KnownPlusNewBeyond128", 120, 10, true}),
                         [](const ::testing::TestParamInfo<MergeLimitCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EngineTest, PruneRefreshesOnlyTheCurrentDesktopsShownEntries) {
    struct Case {
        const char* name;
        std::int32_t recorded;  // show command on desktop 1, the current one
        LiveState now;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"minimized by the user", SHOW_NOACTIVATE, MINIMIZED, SHOW_MINNOACTIVE},
        {"maximized by the user", SHOW_NOACTIVATE, MAXIMIZED, SHOW_MAXIMIZED},
        {"restored by the user", SHOW_MAXIMIZED, NORMAL, SHOW_NOACTIVATE},
        {"hid itself", SHOW_NOACTIVATE, HIDDEN, SHOW_HIDE},
        {"not on this desktop, showed itself", SHOW_HIDE, NORMAL, SHOW_HIDE},
    };
    for (const Case& c : cases) AddRecord(fake.AddWindow(Options(c.name, c.now)), {c.recorded, 7, 0, 3});

    engine.PruneTasks();

    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(Show(i), (std::vector<std::int32_t>{0, cases[i].expected, 7, 0, 3}));
    }
}

TEST_F(EngineTest, PruneDropsRecordsOfDestroyedWindowsKeepingTheOrder) {
    std::vector<WindowHandle> windows;
    for (int i = 0; i < 7; ++i) {
        windows.push_back(fake.AddWindow("task " + std::to_string(i)));
        AddRecord(windows.back(), {4, 0, 0, 0});
    }
    // The window at position 5 lived on another desktop.
    state.tasks[5]->show[1] = SHOW_HIDE;
    state.tasks[5]->show[2] = SHOW_NOACTIVATE;
    fake.DestroyWindow(windows[2]);
    fake.DestroyWindow(windows[5]);

    engine.PruneTasks();

    ASSERT_EQ(state.taskCount, 5);
    const WindowHandle expected[] = {windows[0], windows[1], windows[3], windows[4], windows[6]};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(state.tasks[i]->hwnd, expected[i]) << "position " << i;
    for (int i = 5; i < MAX_TASKS; ++i) EXPECT_EQ(state.tasks[i], nullptr) << "position " << i;
}

TEST_F(EngineTest, PruneFilesTheActiveWindowAndCapturesTheDesktop) {
    state.currentDesktop = 3;
    const WindowHandle a = fake.AddWindow("A");
    const WindowHandle b = fake.AddWindow("B");
    state.discoveredActive = a;

    engine.PruneTasks();

    EXPECT_EQ(state.activeWindow[3], a);
    EXPECT_EQ(state.discoveredActive, NO_WINDOW);
    EXPECT_EQ(Snapshot(3), (std::vector<WindowHandle>{b, a}));
}

}  // namespace
}  // namespace moritelda
