// A desktop engine over simulated windows, with a taskbar to walk.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_state.h"
#include "desktop/engine.h"
#include "platform/fake_window_system.h"
#include "storage/rules.h"

namespace moritelda {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        FakeWindowOptions tray;
        tray.className = "Shell_TrayWnd";
        tray.exStyle = EXSTYLE_TOOLWINDOW | EXSTYLE_NOACTIVATE;
        fake.AddWindow(tray);
    }

    // A task record for window with the given show commands for desktops 1
    // to 4, appended as the merge would.
    TaskRecord& AddRecord(WindowHandle window, std::initializer_list<std::int32_t> show) {
        auto record = std::make_unique<TaskRecord>();
        record->hwnd = window;
        int desktop = 1;
        for (std::int32_t command : show) record->show[desktop++] = command;
        state.tasks[state.taskCount] = std::move(record);
        return *state.tasks[state.taskCount++];
    }

    std::vector<std::int32_t> Show(int task) const {
        const TaskRecord& record = *state.tasks[task];
        return {record.show, record.show + DESKTOP_SLOTS};
    }

    std::vector<WindowHandle> Snapshot(int desktop) const {
        const DesktopSnapshot& snapshot = state.snapshots[desktop];
        return {snapshot.windows, snapshot.windows + snapshot.count};
    }

    // Runs an operation that must reach a window limit: text 104, every
    // tracked window shown again, then the end of the process with code 0.
    template <typename Operation>
    void ExpectWindowLimitEnd(Operation operation) {
        EXPECT_THROW(operation(), FakeProcessExit);
        EXPECT_EQ(fake.exitCode, std::optional<unsigned>(0));
        ASSERT_EQ(fake.messageBoxes.size(), 1u);
        EXPECT_EQ(fake.messageBoxes[0].owner, NO_WINDOW);
        EXPECT_EQ(fake.messageBoxes[0].text, "text 104");
        EXPECT_EQ(fake.messageBoxes[0].caption, "ERROR");
        EXPECT_EQ(fake.messageBoxes[0].style, BOX_ICONERROR);

        std::vector<std::string> expected{MessageBoxCall("ERROR", "text 104")};
        for (int i = 0; i < state.taskCount; ++i) {
            expected.push_back(ShowWindowCall(state.tasks[i]->hwnd, SHOW_HIDE));
            expected.push_back(ShowWindowCall(state.tasks[i]->hwnd, SHOW_SHOW));
        }
        const DesktopSnapshot& last = state.snapshots[state.previousDesktop];
        if (last.count != 0) expected.push_back(SwitchCall(last.windows[0]));
        expected.push_back(ExitProcessCall(0));
        const auto box = std::find(fake.calls.begin(), fake.calls.end(), expected.front());
        EXPECT_EQ(std::vector<std::string>(box, fake.calls.end()), expected);
        for (int i = 0; i < state.taskCount; ++i) EXPECT_TRUE(fake.IsWindowVisible(state.tasks[i]->hwnd));
    }

    FakeWindowSystem fake;
    DesktopState state;
    RuleTable rules;
    ShellLinks shell;
    DesktopEngine engine{fake, state, rules, shell};
};

}  // namespace moritelda
