// Keeping the task table in step with the windows that exist.
#include <utility>

#include "desktop/engine.h"

namespace moritelda {

std::int32_t DesktopEngine::WindowShowState(WindowHandle window) {
    if (windows_.IsIconic(window)) return SHOW_MINNOACTIVE;
    if (windows_.IsZoomed(window)) return SHOW_MAXIMIZED;
    if (windows_.IsWindowVisible(window)) return SHOW_NOACTIVATE;
    return SHOW_HIDE;
}

void DesktopEngine::InitTaskRecord(TaskRecord& record, WindowHandle window) {
    record.hwnd = window;
    for (std::int32_t& show : record.show) show = SHOW_HIDE;
    // A new window always belongs to the desktop on which it is first seen,
    // whatever its rule says; the rule only adds desktops.
    const std::int32_t state = WindowShowState(window);
    record.show[state_.currentDesktop] = state;
    record.show[0] = state;
    const std::int32_t mask = FindRuleMask(rules_, windows_, window);
    if (mask == NO_RULE) return;
    for (int desktop = 1; desktop < DESKTOP_SLOTS; ++desktop) {
        if (mask & (1 << (desktop - 1))) record.show[desktop] = WindowShowState(window);
    }
}

void DesktopEngine::MergeTaskbarTasks() {
    state_.foundCount = 0;
    WalkTaskbar(
        [this](WindowHandle window, std::intptr_t userValue) { return CollectTaskbarWindow(window, userValue); }, 0);
    AddFoundTasks();
}

void DesktopEngine::AddFoundTasks() {
    // Each found window is compared only with the records that existed before
    // this merge, so a window the walk delivered twice gets two records.
    const std::int32_t old = state_.taskCount;
    std::int32_t n = old;
    for (std::int32_t f = 0; f < state_.foundCount; ++f) {
        const WindowHandle window = state_.foundWindows[f];
        bool known = false;
        for (std::int32_t k = 0; k < old && !known; ++k) {
            known = state_.tasks[k] && state_.tasks[k]->hwnd == window;
        }
        if (known) continue;
        state_.tasks[n] = std::make_unique<TaskRecord>();
        InitTaskRecord(*state_.tasks[n], window);
        ++n;
        // The table keeps one entry free; filling it ends the program.
        if (n == MAX_TASKS) {
            state_.taskCount = n;
            EndAtWindowLimit();
        }
    }
    state_.taskCount = n;
}

void DesktopEngine::PruneTasks() {
    const std::int32_t current = state_.currentDesktop;
    std::int32_t firstDead = -1;
    for (std::int32_t i = state_.taskCount - 1; i >= 0; --i) {
        TaskRecord& record = *state_.tasks[i];
        if (!windows_.IsWindow(record.hwnd)) {
            record.show[0] = DEAD_MARK;
            firstDead = i;
        } else if (record.show[current] != SHOW_HIDE) {
            // A window hidden on this desktop does not join it by showing
            // itself; a window of this desktop that hid itself leaves it.
            record.show[current] = WindowShowState(record.hwnd);
        }
    }

    if (firstDead >= 0) {
        // Survivors move down in their relative order.
        std::int32_t to = firstDead;
        for (std::int32_t from = firstDead; from < state_.taskCount; ++from) {
            if (state_.tasks[from]->show[0] == DEAD_MARK) {
                state_.tasks[from].reset();
                continue;
            }
            if (from != to) state_.tasks[to] = std::move(state_.tasks[from]);
            ++to;
        }
        state_.taskCount = to;
    }

    state_.activeWindow[current] = state_.discoveredActive;
    state_.discoveredActive = NO_WINDOW;
    CaptureSnapshot();
}

}  // namespace moritelda
