// Task discovery. Today's shells (and Wine's desktop) build their taskbar
// from windows that no other process can read item by item, so the tasks are
// the top-level windows that such a taskbar would list.
#include "desktop/taskbar.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "desktop/engine.h"

namespace moritelda {

namespace {
constexpr int TITLE_BUFFER = 260;
}  // namespace

bool IsProgramManagerTitle(const std::string& title) {
    static const char desktopTitle[] = "Program Manager";
    if (title.size() != sizeof desktopTitle - 1) return false;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const auto a = static_cast<unsigned char>(title[i]);
        const auto b = static_cast<unsigned char>(desktopTitle[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return true;
}

bool ShowsOnTaskbar(const TaskbarCandidate& candidate) {
    const bool asksForButton = (candidate.exStyle & EXSTYLE_APPWINDOW) != 0;
    if (!candidate.visible || candidate.cloaked) return false;
    if (candidate.exStyle & EXSTYLE_TOOLWINDOW) return false;
    if (candidate.owned && !asksForButton) return false;
    if ((candidate.exStyle & EXSTYLE_NOACTIVATE) && !asksForButton) return false;
    return !candidate.title.empty() && !IsProgramManagerTitle(candidate.title);
}

std::vector<WindowHandle> OrderTaskbarTasks(const std::vector<WindowHandle>& previousOrder,
                                            std::vector<WindowHandle> shown) {
    std::sort(shown.begin(), shown.end());
    std::vector<WindowHandle> order;
    for (WindowHandle window : previousOrder) {
        if (std::binary_search(shown.begin(), shown.end(), window)) order.push_back(window);
    }
    for (WindowHandle window : shown) {
        if (std::find(previousOrder.begin(), previousOrder.end(), window) == previousOrder.end()) {
            order.push_back(window);
        }
    }
    return order;
}

void DesktopEngine::WalkTaskbar(const TaskbarCallback& callback, std::intptr_t userValue) {
    if (windows_.FindWindowEx(NO_WINDOW, NO_WINDOW, "Shell_TrayWnd") == NO_WINDOW) {
        windows_.MessageBox(NO_WINDOW, "Task Button NOT Found!!", "", BOX_OK);
        return;
    }
    state_.discoveredActive = NO_WINDOW;

    std::vector<WindowHandle> shown;
    for (WindowHandle window : windows_.TopLevelWindows()) {
        TaskbarCandidate candidate;
        candidate.visible = windows_.IsWindowVisible(window);
        candidate.exStyle = windows_.ExtendedStyle(window);
        candidate.owned = windows_.Owner(window) != NO_WINDOW;
        candidate.cloaked = windows_.IsCloaked(window);
        candidate.title = windows_.WindowTitle(window, TITLE_BUFFER);
        if (ShowsOnTaskbar(candidate)) shown.push_back(window);
    }
    state_.taskbarOrder = OrderTaskbarTasks(state_.taskbarOrder, std::move(shown));

    // The taskbar's active task is the foreground window; when the switcher
    // window took the activation, it is the window that lost it.
    const WindowHandle foreground = windows_.ForegroundWindow();
    for (WindowHandle window : state_.taskbarOrder) {
        if (callback(window, userValue) == 0) break;
        if (window == foreground) state_.discoveredActive = window;
    }
    if (state_.discoveredActive == NO_WINDOW) state_.discoveredActive = state_.lastDeactivated;
}

std::int32_t DesktopEngine::CollectTaskbarWindow(WindowHandle window, std::intptr_t /*userValue*/) {
    if (window == state_.settingsWindow || window == shell_.switcherWindow ||
        IsIgnoredWindow(rules_, windows_, window)) {
        return 1;
    }
    if (state_.foundCount == MAX_FOUND) EndAtWindowLimit();
    state_.foundWindows[state_.foundCount++] = window;
    return 1;
}

}  // namespace moritelda
