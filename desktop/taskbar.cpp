// Task discovery. Today's shells (and Wine's desktop) build their taskbar
// from windows that no other process can read item by item, so the tasks are
// the top-level windows that such a taskbar would list.
#include "desktop/taskbar.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "desktop/engine.h"
#include "desktop/os_kind.h"
#include "desktop/taskbar_records.h"

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
    const WindowHandle tray = windows_.FindWindowEx(NO_WINDOW, NO_WINDOW, "Shell_TrayWnd");
    if (tray == NO_WINDOW) {
        windows_.MessageBox(NO_WINDOW, "Task Button NOT Found!!", "", BOX_OK);
        return;
    }
    // Where the old shells' chain stands under the tray, its own control is
    // the one truth about the tasks; today's shells have no such chain.
    const bool buttons = shell_.osKind == OsKindXp || shell_.osKind == OsKindVista;
    const char* const chain[] = {"ReBarWindow32", "MSTaskSwWClass", buttons ? "ToolbarWindow32" : "SysTabControl32"};
    WindowHandle control = tray;
    for (const char* className : chain) {
        if (control != NO_WINDOW) control = windows_.FindWindowEx(control, NO_WINDOW, className);
    }
    if (control == NO_WINDOW) {
        EnumShownTasks(callback, userValue);
    } else if (buttons) {
        EnumTaskbarButtons(control, callback, userValue);
    } else {
        EnumTaskbarTabs(control, callback, userValue);
    }
}

namespace {

// The shell's process and one remote buffer in it, for the length of a walk.
class ShellMemory {
public:
    ShellMemory(WindowSystem& windows, WindowHandle control) : windows_(windows) {
        process_ = windows_.OpenProcess(windows_.WindowProcessId(control));
        if (process_ == 0) return;
        bits_ = windows_.ProcessBits(process_);
        if (bits_ != 0) buffer_ = windows_.AllocateRemote(process_, REMOTE_BUFFER_SIZE);
    }
    ~ShellMemory() {
        if (buffer_ != 0) windows_.FreeRemote(process_, buffer_);
        if (process_ != 0) windows_.CloseProcess(process_);
    }
    ShellMemory(const ShellMemory&) = delete;
    ShellMemory& operator=(const ShellMemory&) = delete;

    // False when the shell's records cannot be read: the walk then finds nothing.
    bool Usable() const { return buffer_ != 0; }
    bool Shell64() const { return bits_ == 64; }
    std::uint64_t Buffer() const { return buffer_; }
    bool Read(std::uint64_t address, std::uint8_t* bytes, std::size_t size) {
        return windows_.ReadRemote(process_, address, bytes, size);
    }
    bool Write(const std::vector<std::uint8_t>& bytes) {
        return windows_.WriteRemote(process_, buffer_, bytes.data(), bytes.size());
    }

private:
    WindowSystem& windows_;
    ProcessHandle process_ = 0;
    int bits_ = 0;
    std::uint64_t buffer_ = 0;
};

}  // namespace

void DesktopEngine::EnumTaskbarButtons(WindowHandle control, const TaskbarCallback& callback,
                                       std::intptr_t userValue) {
    ShellMemory shell(windows_, control);
    if (!shell.Usable()) return;
    const std::intptr_t count = windows_.SendMessage(control, TB_BUTTONCOUNT_MESSAGE, 0, 0);
    state_.discoveredActive = NO_WINDOW;
    for (std::intptr_t i = 0; i < count; ++i) {
        windows_.SendMessage(control, TB_GETBUTTON_MESSAGE, static_cast<std::uintptr_t>(i),
                             static_cast<std::intptr_t>(shell.Buffer()));
        std::uint8_t record[REMOTE_BUFFER_SIZE];
        if (!shell.Read(shell.Buffer(), record, ButtonRecordSize(shell.Shell64()))) continue;
        const TaskbarButton button = DecodeButton(record, shell.Shell64());
        std::uint8_t handle[8];
        const std::size_t handleSize = HandleSize(shell.Shell64());
        if (!shell.Read(button.data, handle, handleSize)) continue;
        const WindowHandle window = static_cast<WindowHandle>(DecodeAddress(handle, handleSize));
        if (window == NO_WINDOW) continue;
        if (callback(window, userValue) == 0) break;
        if (button.state & TBSTATE_CHECKED_BIT) state_.discoveredActive = window;
    }
    // A request from the switcher window took the activation: the active task
    // is the window that lost it.
    if (state_.discoveredActive == NO_WINDOW) state_.discoveredActive = state_.lastDeactivated;
}

void DesktopEngine::EnumTaskbarTabs(WindowHandle control, const TaskbarCallback& callback, std::intptr_t userValue) {
    ShellMemory shell(windows_, control);
    if (!shell.Usable()) return;
    const std::intptr_t count = windows_.SendMessage(control, TCM_GETITEMCOUNT_MESSAGE, 0, 0);
    state_.discoveredActive = NO_WINDOW;
    // The highlighted item is the active task, so its state is asked for too.
    const std::vector<std::uint8_t> request =
        EncodeTabRequest(shell.Shell64(), TCIF_PARAM_BIT | TCIF_STATE_BIT, TCIS_HIGHLIGHTED_BIT);
    for (std::intptr_t i = 0; i < count; ++i) {
        if (!shell.Write(request)) continue;
        windows_.SendMessage(control, TCM_GETITEMA_MESSAGE, static_cast<std::uintptr_t>(i),
                             static_cast<std::intptr_t>(shell.Buffer()));
        std::uint8_t record[REMOTE_BUFFER_SIZE];
        if (!shell.Read(shell.Buffer(), record, request.size())) continue;
        const TaskbarTab tab = DecodeTab(record, shell.Shell64());
        const WindowHandle window = static_cast<WindowHandle>(tab.param);
        if (window == NO_WINDOW) continue;
        if (callback(window, userValue) == 0) break;
        if (tab.state & TCIS_HIGHLIGHTED_BIT) state_.discoveredActive = window;
    }
    if (state_.discoveredActive == NO_WINDOW) state_.discoveredActive = state_.lastDeactivated;
}

void DesktopEngine::EnumShownTasks(const TaskbarCallback& callback, std::intptr_t userValue) {
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
