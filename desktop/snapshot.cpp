// Capturing and restoring a desktop's stacking order, placements, topmost
// states and active window.
#include "desktop/engine.h"
#include "desktop/taskbar.h"

namespace moritelda {

namespace {
constexpr int TITLE_BUFFER = 260;
// SWP_SHOWWINDOW puts back windows that were hidden since the capture.
// SWP_NOACTIVATE keeps each window where the chain puts it: an activated
// window rises to the top and would undo the order built so far. The
// desktop's active window is activated once, at the end.
constexpr std::uint32_t RESTORE_FLAGS = POS_NOSIZE | POS_NOMOVE | POS_SHOWWINDOW | POS_NOACTIVATE;
}  // namespace

void DesktopEngine::CaptureSnapshot() {
    state_.snapshots[state_.currentDesktop].count = 0;
    for (WindowHandle window : windows_.TopLevelWindows()) CaptureWindow(window, 0);
}

std::int32_t DesktopEngine::CaptureWindow(WindowHandle window, std::intptr_t /*userValue*/) {
    // Hidden windows belong to other desktops (or to nobody); the desktop's
    // own window and moritelda's windows are no part of any desktop.
    if (!windows_.IsWindowVisible(window)) return 1;
    const std::string title = windows_.WindowTitle(window, TITLE_BUFFER);
    if (title.empty() || IsProgramManagerTitle(title)) return 1;
    if (window == state_.settingsWindow || window == shell_.switcherWindow) return 1;

    DesktopSnapshot& snapshot = state_.snapshots[state_.currentDesktop];
    if (snapshot.count == MAX_SNAPSHOT) EndAtWindowLimit();
    const std::int32_t n = snapshot.count;
    snapshot.placements[n].length = PLACEMENT_LENGTH;
    // A window whose placement cannot be read (it is being destroyed) could
    // not be restored either; it is left out.
    if (!windows_.GetPlacement(window, snapshot.placements[n])) return 1;
    snapshot.windows[n] = window;
    snapshot.topmost[n] = (windows_.ExtendedStyle(window) & EXSTYLE_TOPMOST) ? 1 : 0;
    snapshot.count = n + 1;
    return 1;
}

void DesktopEngine::RestoreSnapshot() {
    const DesktopSnapshot& snapshot = state_.snapshots[state_.currentDesktop];
    const std::int32_t n = snapshot.count;

    // Stacking first: the captured top window goes right below the window now
    // on top, and each further window right below the one captured above it.
    // A window put below a topmost window becomes topmost itself, and taking
    // that back later would stack the windows in reverse. So a window that was
    // not topmost goes to the top of the ordinary windows where the window
    // above it is topmost.
    for (std::int32_t i = 0; i < n; ++i) {
        const WindowHandle window = snapshot.windows[i];
        const WindowHandle above = i == 0 ? windows_.TopWindow() : snapshot.windows[i - 1];
        const bool aboveTopmost =
            i == 0 ? (windows_.ExtendedStyle(above) & EXSTYLE_TOPMOST) != 0 : snapshot.topmost[i - 1] != 0;
        if (snapshot.topmost[i] == 0 && aboveTopmost) {
            const bool topmostNow = (windows_.ExtendedStyle(window) & EXSTYLE_TOPMOST) != 0;
            windows_.SetWindowPos(window, topmostNow ? INSERT_NOTOPMOST : INSERT_TOP, RESTORE_FLAGS);
        } else if (i == 0 || static_cast<std::int32_t>(above) > 1) {
            // Never pass on a value that SetWindowPos reads as a place in the
            // order instead of a window.
            windows_.SetWindowPos(window, above, RESTORE_FLAGS);
        }
    }
    // Placements from the bottom up, so that activating a window by its show
    // command leaves the upper windows above it.
    for (std::int32_t i = n - 1; i >= 0; --i) windows_.SetPlacement(snapshot.windows[i], snapshot.placements[i]);
    // A window that became topmost on another desktop loses it here; one that
    // lost it keeps it lost.
    for (std::int32_t i = 0; i < n; ++i) {
        if ((windows_.ExtendedStyle(snapshot.windows[i]) & EXSTYLE_TOPMOST) && snapshot.topmost[i] == 0) {
            windows_.SetWindowPos(snapshot.windows[i], INSERT_NOTOPMOST, RESTORE_FLAGS);
        }
    }
    windows_.SwitchToThisWindow(state_.activeWindow[state_.currentDesktop], true);
}

}  // namespace moritelda
