// Changing the shown desktop, and applying show commands outside a switch.
#include "desktop/engine.h"

namespace moritelda {

namespace {
// "The desktop cannot be changed while the settings screen is shown."
constexpr int TEXT_SETTINGS_SHOWN = 141;
}  // namespace

void DesktopEngine::SwitchDesktop(int desktop) {
    if (state_.settingsShown != 0) {
        windows_.MessageBox(shell_.switcherWindow, windows_.LoadText(TEXT_SETTINGS_SHOWN).c_str(), "information",
                            BOX_TOPMOST | BOX_SYSTEMMODAL | BOX_ICONINFORMATION);
        return;
    }
    MergeTaskbarTasks();
    PruneTasks();
    state_.currentDesktop = desktop;
    ApplyShowCommands();
    RestoreSnapshot();
}

void DesktopEngine::ApplyShowCommands() {
    const std::int32_t current = state_.currentDesktop;
    const std::int32_t previous = state_.previousDesktop;
    for (std::int32_t i = 0; i < state_.taskCount; ++i) {
        const TaskRecord& record = *state_.tasks[i];
        // A window that leaves the screen is minimized before it is hidden, so
        // that it comes back through a restore; one that was already hidden
        // stays as it was.
        if (record.show[current] == SHOW_HIDE && (previous == 0 || record.show[previous] != SHOW_HIDE)) {
            windows_.ShowWindow(record.hwnd, SHOW_FORCEMINIMIZE);
        }
        windows_.ShowWindow(record.hwnd, record.show[current]);
    }
    state_.lastDeactivated = NO_WINDOW;
    state_.previousDesktop = current;
}

void DesktopEngine::HideAllAndApply() {
    state_.previousDesktop = 0;
    for (std::int32_t i = 0; i < state_.taskCount; ++i) windows_.ShowWindow(state_.tasks[i]->hwnd, SHOW_HIDE);
    ApplyShowCommands();
}

void DesktopEngine::ShowAllTasks() {
    for (std::int32_t i = 0; i < state_.taskCount; ++i) {
        windows_.ShowWindow(state_.tasks[i]->hwnd, SHOW_HIDE);
        windows_.ShowWindow(state_.tasks[i]->hwnd, SHOW_SHOW);
    }
    const DesktopSnapshot& last = state_.snapshots[state_.previousDesktop];
    if (last.count != 0) windows_.SwitchToThisWindow(last.windows[0], true);
}

}  // namespace moritelda
