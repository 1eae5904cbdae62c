#include "shell/app.h"

namespace moritelda {

// Which switcher serves each display type. The skin switcher (types 1, 2, 4
// and 5) and the notification icon (type 3) are front-ends of their own; until
// a type's front-end is built here, the factory reports that it made no
// window, and the program runs on without one.
HWND CreateSwitcherWindow(App& app, DisplayType displayType, std::int32_t creationValue) {
    switch (displayType) {
    case 1:  // under the Start button, child of the taskbar
    case 2:  // floating, half-transparent
    case 3:  // notification icon
    case 4:  // in place of the Start button; creationValue 555 picks the star skin
    case 5:  // as 4, always with the star skin
        (void)creationValue;
        return nullptr;
    default:
        // No display type chosen yet: the task table is filled and the
        // settings window, once it exists, is where the user picks one.
        app.engine.MergeTaskbarTasks();
        app.engine.PruneTasks();
        return nullptr;
    }
}

}  // namespace moritelda
