// The desktop engine: keeps the task table in step with the taskbar, captures
// and restores each desktop's arrangement, and switches desktops. It works on
// the process-wide DesktopState and reaches windows only through WindowSystem.
#pragma once

#include <cstdint>
#include <functional>

#include "desktop/desktop_state.h"
#include "platform/window_system.h"
#include "storage/rules.h"

namespace moritelda {

// Values the shell owns and the engine reads.
struct ShellLinks {
    WindowHandle switcherWindow = NO_WINDOW;
    std::int32_t osKind = 1;
};

// Called once per taskbar task in taskbar order with the walk's user value;
// non-zero continues the walk, 0 stops it.
using TaskbarCallback = std::function<std::int32_t(WindowHandle window, std::intptr_t userValue)>;

class DesktopEngine {
public:
    DesktopEngine(WindowSystem& windows, DesktopState& state, RuleTable& rules, ShellLinks& shell);

    // Task table maintenance; always run as a pair, merge first.
    void MergeTaskbarTasks();
    // The merge's second half: records for the windows of foundWindows that
    // the table does not know yet.
    void AddFoundTasks();
    void PruneTasks();
    void InitTaskRecord(TaskRecord& record, WindowHandle window);
    std::int32_t WindowShowState(WindowHandle window);

    // Task discovery: hands every taskbar task to the callback and sets
    // discoveredActive.
    void WalkTaskbar(const TaskbarCallback& callback, std::intptr_t userValue);
    // The walks over the old shells' button control, read item by item inside
    // the shell's process: the toolbar (XP, Vista) and the tab control (others).
    void EnumTaskbarButtons(WindowHandle control, const TaskbarCallback& callback, std::intptr_t userValue);
    void EnumTaskbarTabs(WindowHandle control, const TaskbarCallback& callback, std::intptr_t userValue);
    // Today's shells: the top-level windows their taskbar shows.
    void EnumShownTasks(const TaskbarCallback& callback, std::intptr_t userValue);
    std::int32_t CollectTaskbarWindow(WindowHandle window, std::intptr_t userValue);

    // The current desktop's snapshot.
    void CaptureSnapshot();
    std::int32_t CaptureWindow(WindowHandle window, std::intptr_t userValue);
    void RestoreSnapshot();

    // Switching.
    void SwitchDesktop(int desktop);
    void ApplyShowCommands();
    void HideAllAndApply();
    void ShowAllTasks();

private:
    // The end of the program when a window limit is reached: every tracked
    // window is shown again first, so none stays hidden on another desktop.
    [[noreturn]] void EndAtWindowLimit();

    WindowSystem& windows_;
    DesktopState& state_;
    RuleTable& rules_;
    ShellLinks& shell_;
};

}  // namespace moritelda
