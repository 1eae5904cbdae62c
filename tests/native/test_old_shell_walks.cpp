// The walks over the old shells' taskbar control, read item by item in the
// shell's own process, in both the toolbar and the tab-control form and for
// 32-bit and 64-bit shells.
#include <tuple>

#include "desktop/os_kind.h"
#include "engine_fixture.h"

namespace moritelda {
namespace {

struct ShellForm {
    bool tabs;
    int bits;
};

class OldShellWalk : public EngineTest, public ::testing::WithParamInterface<ShellForm> {
protected:
    OldShellWalk() {
        control = fake.AddOldShellTaskbar(GetParam().tabs, GetParam().bits);
        shell.osKind = GetParam().tabs ? OsKindOther : OsKindXp;
        editor = fake.AddWindow("Editor");
        mail = fake.AddWindow("Mail");
        notes = fake.AddWindow("Notes");
    }

    std::vector<WindowHandle> Walk(int stopAfter = 1000) {
        std::vector<WindowHandle> delivered;
        engine.WalkTaskbar(
            [&](WindowHandle window, std::intptr_t userValue) {
                EXPECT_EQ(userValue, 7);
                delivered.push_back(window);
                return static_cast<int>(delivered.size()) < stopAfter ? 1 : 0;
            },
            7);
        // Whatever the walk did, it gave back what it took in the shell.
        EXPECT_EQ(fake.openProcesses, 0);
        EXPECT_EQ(fake.RemoteAllocations(), 0u);
        return delivered;
    }

    WindowHandle control = NO_WINDOW;
    WindowHandle editor = NO_WINDOW;
    WindowHandle mail = NO_WINDOW;
    WindowHandle notes = NO_WINDOW;
};

TEST_P(OldShellWalk, DeliversTheItemsInTheirOrderAndFindsTheActiveOne) {
    // A window on screen without an item is no task of this shell.
    fake.AddWindow("Not on the taskbar");
    fake.shellItems = {{mail, false}, {NO_WINDOW, true}, {editor, true}, {notes, true}, {editor, false}};
    state.discoveredActive = 0x999;

    EXPECT_EQ(Walk(), (std::vector<WindowHandle>{mail, editor, notes, editor}));
    // An item without a window is skipped; the later active item wins.
    EXPECT_EQ(state.discoveredActive, notes);
}

TEST_P(OldShellWalk, WithoutAnActiveItemTheWindowThatLostActivationIsActive) {
    fake.shellItems = {{mail, false}, {editor, false}};
    state.lastDeactivated = editor;
    EXPECT_EQ(Walk(), (std::vector<WindowHandle>{mail, editor}));
    EXPECT_EQ(state.discoveredActive, editor);

    fake.shellItems.clear();
    state.lastDeactivated = notes;
    EXPECT_TRUE(Walk().empty());
    EXPECT_EQ(state.discoveredActive, notes);
}

TEST_P(OldShellWalk, StopsWhenTheCallbackSaysSo) {
    fake.shellItems = {{mail, false}, {editor, false}, {notes, true}};
    state.lastDeactivated = mail;
    EXPECT_EQ(Walk(2), (std::vector<WindowHandle>{mail, editor}));
    EXPECT_EQ(state.discoveredActive, mail);
}

TEST_P(OldShellWalk, AShellThatCannotBeReadGivesNoTasks) {
    fake.shellItems = {{mail, true}};
    state.discoveredActive = 0x999;
    fake.shellOpenFails = true;
    EXPECT_TRUE(Walk().empty());
    fake.shellOpenFails = false;
    fake.shellAllocFails = true;
    EXPECT_TRUE(Walk().empty());
    EXPECT_EQ(state.discoveredActive, WindowHandle{0x999});
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_P(OldShellWalk, MergeKeepsOutTheProgramsOwnAndIgnoredWindowsButNotTheirActivation) {
    AddRule(rules, "Mail", 'T', RULE_IGNORE, 1);
    shell.switcherWindow = notes;
    fake.shellItems = {{notes, false}, {mail, true}, {editor, false}};
    engine.MergeTaskbarTasks();
    ASSERT_EQ(state.taskCount, 1);
    EXPECT_EQ(state.tasks[0]->hwnd, editor);
    EXPECT_EQ(state.discoveredActive, mail);
}

INSTANTIATE_TEST_SUITE_P(Forms, OldShellWalk,
                         ::testing::Values(ShellForm{false, 32}, ShellForm{false, 64}, ShellForm{true, 32},
                                           ShellForm{true, 64}),
                         [](const ::testing::TestParamInfo<ShellForm>& info) {
                             return std::string(info.param.tabs ? "Tabs" : "Toolbar") +
                                    std::to_string(info.param.bits);
                         });

TEST_F(EngineTest, TheWindowsFamilyChoosesTheControlAndTodaysShellsAreTheFallback) {
    // A toolbar chain: used on XP and Vista; other families look for a tab
    // control, find none, and see the windows that today's taskbars show.
    fake.AddOldShellTaskbar(/*tabs=*/false, 32);
    const WindowHandle editor = fake.AddWindow("Editor");
    const WindowHandle hidden = fake.AddWindow("Hidden");
    fake.shellItems = {{hidden, false}};
    fake.Window(hidden).visible = false;

    struct Case { std::int32_t osKind; std::vector<WindowHandle> expected; };
    const Case cases[] = {{OsKindXp, {hidden}}, {OsKindVista, {hidden}}, {OsKindOther, {editor}}};
    for (const Case& c : cases) {
        shell.osKind = c.osKind;
        std::vector<WindowHandle> delivered;
        engine.WalkTaskbar([&](WindowHandle window, std::intptr_t) { delivered.push_back(window); return 1; }, 0);
        EXPECT_EQ(delivered, c.expected) << c.osKind;
    }
    EXPECT_TRUE(fake.messageBoxes.empty());
}

}  // namespace
}  // namespace moritelda
