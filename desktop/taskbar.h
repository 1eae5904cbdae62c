// Task discovery: which top-level windows the taskbar lists as tasks, and in
// which order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace moritelda {

// What the taskbar of today's shells looks at to decide whether a top-level
// window gets a button.
struct TaskbarCandidate {
    bool visible = false;
    std::uint32_t exStyle = 0;
    bool owned = false;
    bool cloaked = false;
    std::string title;
};

// True when today's shells give the window a taskbar button: a visible,
// titled application window that the system does not keep off screen. Tool
// windows, owned windows and windows that refuse activation only get one when
// they ask for it with EXSTYLE_APPWINDOW. The desktop's own window never does.
bool ShowsOnTaskbar(const TaskbarCandidate& candidate);

// The taskbar's order of the windows now shown: windows already listed keep
// their place, newly shown ones follow in handle order. The order thus stays
// the same when the user activates another window.
std::vector<WindowHandle> OrderTaskbarTasks(const std::vector<WindowHandle>& previousOrder,
                                            std::vector<WindowHandle> shown);

// True for the title of the desktop's own window, "Program Manager", in any
// letter case.
bool IsProgramManagerTitle(const std::string& title);

}  // namespace moritelda
