#include "platform/fake_window_system.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace moritelda {

namespace {

constexpr WindowHandle FIRST_HANDLE = 0x1000;
constexpr WindowHandle HANDLE_STEP = 0x10;
constexpr std::uint32_t POS_NOZORDER = 0x0004;
constexpr std::uint32_t PLACEMENT_RESTORETOMAXIMIZED = 0x0002;
constexpr int SHOW_SHOWMINIMIZED = 2;
constexpr int SHOW_SHOWNA = 8;
constexpr int SHOW_SHOWDEFAULT = 10;

std::string HandleText(WindowHandle window) {
    switch (window) {
        case INSERT_TOP: return "top";
        case INSERT_BOTTOM: return "bottom";
        case INSERT_TOPMOST: return "topmost";
        case INSERT_NOTOPMOST: return "notopmost";
        default: break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
    return text;
}

bool SameClassName(const std::string& a, const char* b) {
    const std::size_t length = std::char_traits<char>::length(b);
    if (a.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Clip(const std::string& text, int bufferSize) {
    if (bufferSize <= 0) return "";
    return text.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

}  // namespace

std::string ShowWindowCall(WindowHandle window, int showCommand) {
    return "ShowWindow " + HandleText(window) + " " + std::to_string(showCommand);
}

std::string SetWindowPosCall(WindowHandle window, WindowHandle insertAfter, std::uint32_t flags) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(flags));
    return "SetWindowPos " + HandleText(window) + " " + HandleText(insertAfter) + " " + text;
}

std::string SetPlacementCall(WindowHandle window, std::uint32_t showCmd) {
    return "SetPlacement " + HandleText(window) + " " + std::to_string(showCmd);
}

std::string SwitchCall(WindowHandle window) { return "SwitchToThisWindow " + HandleText(window); }

std::string MessageBoxCall(const char* caption, const char* text) {
    return std::string("MessageBox ") + (caption ? caption : "") + ": " + (text ? text : "");
}

std::string ExitProcessCall(unsigned exitCode) { return "ExitProcess " + std::to_string(exitCode); }

WindowHandle FakeWindowSystem::AddWindow(const FakeWindowOptions& options) {
    FakeWindow window;
    window.handle = FIRST_HANDLE + HANDLE_STEP * windows_.size();
    window.title = options.title;
    window.className = options.className;
    window.exStyle = options.exStyle;
    window.owner = options.owner;
    window.visible = options.visible;
    window.minimized = options.minimized;
    window.maximized = options.maximized && !options.minimized;
    window.restoreMaximized = options.maximized && options.minimized;
    window.normalPosition = options.normalPosition;
    window.cloaked = options.cloaked;
    windows_.push_back(window);
    StackAtBandTop(windows_.back());
    return window.handle;
}

WindowHandle FakeWindowSystem::AddWindow(const std::string& title) {
    FakeWindowOptions options;
    options.title = title;
    return AddWindow(options);
}

void FakeWindowSystem::DestroyWindow(WindowHandle window) {
    FakeWindow& destroyed = Window(window);
    destroyed.alive = false;
    Unstack(window);
    if (foreground_ == window) foreground_ = NO_WINDOW;
}

FakeWindow& FakeWindowSystem::Window(WindowHandle window) {
    const WindowHandle index = (window - FIRST_HANDLE) / HANDLE_STEP;
    if (window < FIRST_HANDLE || index >= windows_.size() || windows_[index].handle != window) {
        throw std::out_of_range("no such fake window");
    }
    return windows_[index];
}

FakeWindow* FakeWindowSystem::Find(WindowHandle window) {
    const WindowHandle index = (window - FIRST_HANDLE) / HANDLE_STEP;
    if (window < FIRST_HANDLE || index >= windows_.size()) return nullptr;
    FakeWindow& found = windows_[index];
    return found.handle == window && found.alive ? &found : nullptr;
}

void FakeWindowSystem::Unstack(WindowHandle window) {
    stack_.erase(std::remove(stack_.begin(), stack_.end(), window), stack_.end());
}

void FakeWindowSystem::StackAtBandTop(FakeWindow& window) {
    Unstack(window.handle);
    auto position = stack_.begin();
    if (!Topmost(window)) {
        position = std::find_if(stack_.begin(), stack_.end(),
                                [this](WindowHandle other) { return !Topmost(*Find(other)); });
    }
    stack_.insert(position, window.handle);
}

void FakeWindowSystem::Activate(FakeWindow& window) {
    foreground_ = window.handle;
    StackAtBandTop(window);
}

void FakeWindowSystem::Restore(FakeWindow& window) {
    if (window.minimized) window.maximized = window.restoreMaximized;
    window.minimized = false;
    window.visible = true;
}

void FakeWindowSystem::Minimize(FakeWindow& window) {
    if (!window.minimized) window.restoreMaximized = window.maximized;
    window.minimized = true;
    window.maximized = false;
    window.visible = true;
    if (foreground_ == window.handle) foreground_ = NO_WINDOW;
}

bool FakeWindowSystem::ApplyShow(FakeWindow& window, int showCommand) {
    const bool wasVisible = window.visible;
    switch (showCommand) {
        case SHOW_HIDE:
            window.visible = false;
            if (foreground_ == window.handle) foreground_ = NO_WINDOW;
            break;
        case SHOW_NORMAL:
        case SHOW_SHOWDEFAULT:
            window.minimized = false;
            window.maximized = false;
            window.visible = true;
            Activate(window);
            break;
        case SHOW_RESTORE:
            Restore(window);
            Activate(window);
            break;
        case SHOW_SHOWMINIMIZED:
            Minimize(window);
            Activate(window);
            break;
        case SHOW_MAXIMIZED:
            window.minimized = false;
            window.maximized = true;
            window.visible = true;
            Activate(window);
            break;
        case SHOW_NOACTIVATE:
            Restore(window);
            break;
        case SHOW_SHOW:
            window.visible = true;
            Activate(window);
            break;
        case SHOW_MINIMIZE:
        case SHOW_MINNOACTIVE:
        case SHOW_FORCEMINIMIZE:
            Minimize(window);
            break;
        case SHOW_SHOWNA:
            window.visible = true;
            break;
        default:
            break;
    }
    return wasVisible;
}

bool FakeWindowSystem::IsWindow(WindowHandle window) { return Find(window) != nullptr; }

bool FakeWindowSystem::IsIconic(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found && found->minimized;
}

bool FakeWindowSystem::IsZoomed(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found && found->maximized;
}

bool FakeWindowSystem::IsWindowVisible(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found && found->visible;
}

std::string FakeWindowSystem::WindowTitle(WindowHandle window, int bufferSize) {
    const FakeWindow* found = Find(window);
    return found ? Clip(found->title, bufferSize) : "";
}

std::string FakeWindowSystem::ClassName(WindowHandle window, int bufferSize) {
    const FakeWindow* found = Find(window);
    return found ? Clip(found->className, bufferSize) : "";
}

std::uint32_t FakeWindowSystem::ExtendedStyle(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found ? found->exStyle : 0;
}

WindowHandle FakeWindowSystem::Owner(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found ? found->owner : NO_WINDOW;
}

bool FakeWindowSystem::IsCloaked(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found && found->cloaked;
}

WindowHandle FakeWindowSystem::FindWindowEx(WindowHandle parent, WindowHandle childAfter, const char* className) {
    // Top-level windows in stacking order; children in the order they were made.
    std::vector<WindowHandle> candidates;
    if (parent == NO_WINDOW) {
        candidates = stack_;
    } else {
        for (const FakeWindow& window : windows_) {
            if (window.alive && window.parent == parent) candidates.push_back(window.handle);
        }
    }
    auto position = candidates.begin();
    if (childAfter != NO_WINDOW) {
        position = std::find(candidates.begin(), candidates.end(), childAfter);
        if (position == candidates.end()) return NO_WINDOW;
        ++position;
    }
    for (; position != candidates.end(); ++position) {
        if (!className || SameClassName(Find(*position)->className, className)) return *position;
    }
    return NO_WINDOW;
}

bool FakeWindowSystem::ShowWindow(WindowHandle window, int showCommand) {
    calls.push_back(ShowWindowCall(window, showCommand));
    FakeWindow* found = Find(window);
    return found && ApplyShow(*found, showCommand);
}

std::vector<WindowHandle> FakeWindowSystem::TopLevelWindows() { return stack_; }

WindowHandle FakeWindowSystem::TopWindow() { return stack_.empty() ? NO_WINDOW : stack_.front(); }

WindowHandle FakeWindowSystem::ForegroundWindow() { return foreground_; }

bool FakeWindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::uint32_t flags) {
    calls.push_back(SetWindowPosCall(window, insertAfter, flags));
    FakeWindow* moved = Find(window);
    if (!moved) return false;
    if (!(flags & POS_NOZORDER) && insertAfter != window) {
        if (insertAfter == INSERT_TOPMOST) {
            moved->exStyle |= EXSTYLE_TOPMOST;
            StackAtBandTop(*moved);
        } else if (insertAfter == INSERT_NOTOPMOST) {
            // A window that is not topmost keeps its place.
            if (Topmost(*moved)) {
                moved->exStyle &= ~EXSTYLE_TOPMOST;
                StackAtBandTop(*moved);
            }
        } else if (insertAfter == INSERT_TOP) {
            StackAtBandTop(*moved);
        } else if (insertAfter == INSERT_BOTTOM) {
            moved->exStyle &= ~EXSTYLE_TOPMOST;
            Unstack(window);
            stack_.push_back(window);
        } else {
            FakeWindow* above = Find(insertAfter);
            if (!above) return false;
            // As the system documents it: a window put above a topmost window
            // becomes topmost, one put below a window that is not topmost
            // stops being topmost.
            Unstack(window);
            const auto below = std::find(stack_.begin(), stack_.end(), insertAfter) + 1;
            const bool aboveTopmost = below != stack_.end() && Topmost(*Find(*below));
            if (aboveTopmost) moved->exStyle |= EXSTYLE_TOPMOST;
            else if (!Topmost(*above)) moved->exStyle &= ~EXSTYLE_TOPMOST;
            stack_.insert(below, window);
        }
    }
    if (flags & POS_SHOWWINDOW) moved->visible = true;
    // Without SWP_NOACTIVATE the window is activated, which raises it to the
    // top of its band whatever place it was given.
    if (!(flags & POS_NOACTIVATE) && moved->visible) Activate(*moved);
    return true;
}

bool FakeWindowSystem::GetPlacement(WindowHandle window, PlacementRecord& placement) {
    FakeWindow* found = Find(window);
    if (!found || found->placementFails || placement.length != PLACEMENT_LENGTH) return false;
    placement.flags = found->minimized && found->restoreMaximized ? PLACEMENT_RESTORETOMAXIMIZED : 0;
    placement.showCmd = static_cast<std::uint32_t>(
        found->minimized ? SHOW_SHOWMINIMIZED : found->maximized ? int{SHOW_MAXIMIZED} : int{SHOW_NORMAL});
    placement.minPosition = found->minPosition;
    placement.maxPosition = found->maxPosition;
    placement.normalPosition = found->normalPosition;
    return true;
}

bool FakeWindowSystem::SetPlacement(WindowHandle window, const PlacementRecord& placement) {
    calls.push_back(SetPlacementCall(window, placement.showCmd));
    FakeWindow* found = Find(window);
    if (!found || placement.length != PLACEMENT_LENGTH) return false;
    found->minPosition = placement.minPosition;
    found->maxPosition = placement.maxPosition;
    found->normalPosition = placement.normalPosition;
    found->restoreMaximized = (placement.flags & PLACEMENT_RESTORETOMAXIMIZED) != 0;
    ApplyShow(*found, static_cast<int>(placement.showCmd));
    return true;
}

void FakeWindowSystem::SwitchToThisWindow(WindowHandle window, bool /*altTab*/) {
    calls.push_back(SwitchCall(window));
    FakeWindow* found = Find(window);
    if (!found) return;
    Restore(*found);
    Activate(*found);
}

int FakeWindowSystem::MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t style) {
    calls.push_back(MessageBoxCall(caption, text));
    messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", style});
    return messageBoxAnswer;
}

namespace {

constexpr std::uint32_t SHELL_PROCESS_ID = 0x5E11;
constexpr ProcessHandle SHELL_PROCESS = 0x7001;
constexpr std::uint32_t OWN_PROCESS_ID = 1;
constexpr std::uint32_t TB_GETBUTTON = 0x0417;
constexpr std::uint32_t TB_BUTTONCOUNT = 0x0418;
constexpr std::uint32_t TCM_GETITEMCOUNT = 0x1304;
constexpr std::uint32_t TCM_GETITEMA = 0x1305;
constexpr std::uint32_t TCIF_STATE = 0x10;
constexpr std::uint32_t TCIF_PARAM = 0x08;
constexpr std::uint32_t TCIS_HIGHLIGHTED = 0x02;
constexpr std::uint8_t TBSTATE_CHECKED = 0x01;
constexpr std::uint8_t TBSTATE_ENABLED = 0x04;

void PutValue(std::uint8_t* bytes, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t GetValue(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return value;
}

}  // namespace

WindowHandle FakeWindowSystem::AddChildWindow(WindowHandle parent, const char* className) {
    FakeWindowOptions options;
    options.className = className;
    const WindowHandle child = AddWindow(options);
    Unstack(child);
    Window(child).parent = parent;
    return child;
}

WindowHandle FakeWindowSystem::AddOldShellTaskbar(bool tabs, int shellBits) {
    FakeWindowOptions trayOptions;
    trayOptions.className = "Shell_TrayWnd";
    const WindowHandle tray = AddWindow(trayOptions);
    const WindowHandle rebar = AddChildWindow(tray, "ReBarWindow32");
    const WindowHandle taskSwitch = AddChildWindow(rebar, "MSTaskSwWClass");
    shellControl_ = AddChildWindow(taskSwitch, tabs ? "SysTabControl32" : "ToolbarWindow32");
    shellTabs_ = tabs;
    shellBits_ = shellBits;
    for (WindowHandle window : {tray, rebar, taskSwitch, shellControl_}) Window(window).title.clear();
    return shellControl_;
}

std::uint32_t FakeWindowSystem::WindowProcessId(WindowHandle window) {
    if (!Find(window)) return 0;
    return window == shellControl_ ? SHELL_PROCESS_ID : OWN_PROCESS_ID;
}

ProcessHandle FakeWindowSystem::OpenProcess(std::uint32_t processId) {
    if (processId != SHELL_PROCESS_ID || shellOpenFails) return 0;
    ++openProcesses;
    return SHELL_PROCESS;
}

int FakeWindowSystem::ProcessBits(ProcessHandle process) { return process == SHELL_PROCESS ? shellBits_ : 0; }

std::uint64_t FakeWindowSystem::AllocateRemote(ProcessHandle process, std::size_t size) {
    if (process != SHELL_PROCESS || shellAllocFails) return 0;
    const std::uint64_t address = nextRemote_;
    nextRemote_ += 0x1000;
    remote_[address] = std::vector<std::uint8_t>(size, 0xCD);
    return address;
}

std::uint8_t* FakeWindowSystem::RemoteBytes(std::uint64_t address, std::size_t size) {
    auto block = remote_.upper_bound(address);
    if (block == remote_.begin()) return nullptr;
    --block;
    const std::uint64_t offset = address - block->first;
    if (offset + size > block->second.size()) return nullptr;
    return block->second.data() + offset;
}

bool FakeWindowSystem::ReadRemote(ProcessHandle process, std::uint64_t address, void* buffer, std::size_t size) {
    std::uint8_t* bytes = process == SHELL_PROCESS ? RemoteBytes(address, size) : nullptr;
    if (!bytes) return false;
    std::copy(bytes, bytes + size, static_cast<std::uint8_t*>(buffer));
    return true;
}

bool FakeWindowSystem::WriteRemote(ProcessHandle process, std::uint64_t address, const void* buffer,
                                   std::size_t size) {
    std::uint8_t* bytes = process == SHELL_PROCESS ? RemoteBytes(address, size) : nullptr;
    if (!bytes) return false;
    const auto* source = static_cast<const std::uint8_t*>(buffer);
    std::copy(source, source + size, bytes);
    return true;
}

void FakeWindowSystem::FreeRemote(ProcessHandle process, std::uint64_t address) {
    if (process == SHELL_PROCESS) remote_.erase(address);
}

void FakeWindowSystem::CloseProcess(ProcessHandle process) {
    if (process == SHELL_PROCESS) --openProcesses;
}

// The memory the taskbar keeps for a button: the window handle first.
std::uint64_t FakeWindowSystem::ShellDataBlock(std::size_t item) {
    const std::uint64_t address = 0x40000000u + 0x100 * item;
    if (remote_.find(address) == remote_.end()) {
        remote_[address] = std::vector<std::uint8_t>(16, 0);
        ++shellDataBlocks_;
    }
    PutValue(remote_[address].data(), shellItems[item].window, shellBits_ / 8);
    return address;
}

std::intptr_t FakeWindowSystem::AnswerShellRequest(std::uint32_t message, std::uintptr_t item,
                                                   std::intptr_t address) {
    const std::size_t pointer = shellBits_ / 8;
    const bool known = item < shellItems.size();
    if (!shellTabs_ && message == TB_BUTTONCOUNT) return static_cast<std::intptr_t>(shellItems.size());
    if (shellTabs_ && message == TCM_GETITEMCOUNT) return static_cast<std::intptr_t>(shellItems.size());
    if (!shellTabs_ && message == TB_GETBUTTON && known) {
        // iBitmap, idCommand, fsState, fsStyle, reserved up to the pointer
        // alignment, dwData, iString.
        const std::size_t size = shellBits_ == 64 ? 32 : 20;
        std::uint8_t* record = RemoteBytes(static_cast<std::uint64_t>(address), size);
        if (!record) return 0;
        std::fill(record, record + size, 0xEE);
        PutValue(record + 4, 100 + item, 4);
        record[8] = TBSTATE_ENABLED | (shellItems[item].active ? TBSTATE_CHECKED : 0);
        record[9] = 0;
        PutValue(record + (shellBits_ == 64 ? 16 : 12), ShellDataBlock(item), pointer);
        return 1;
    }
    if (shellTabs_ && message == TCM_GETITEMA && known) {
        // mask, dwState, dwStateMask, pszText, cchTextMax, iImage, lParam.
        const std::size_t size = shellBits_ == 64 ? 40 : 28;
        std::uint8_t* record = RemoteBytes(static_cast<std::uint64_t>(address), size);
        if (!record) return 0;
        const std::uint64_t mask = GetValue(record, 4);
        const std::uint64_t stateMask = GetValue(record + 8, 4);
        if (mask & TCIF_STATE) {
            PutValue(record + 4, (shellItems[item].active ? TCIS_HIGHLIGHTED : 0) & stateMask, 4);
        }
        if (mask & TCIF_PARAM) PutValue(record + (shellBits_ == 64 ? 32 : 24), shellItems[item].window, pointer);
        return 1;
    }
    return 0;
}

std::intptr_t FakeWindowSystem::SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
    if (window != NO_WINDOW && window == shellControl_) return AnswerShellRequest(message, wParam, lParam);
    return 0;
}

std::string FakeWindowSystem::LoadText(int id) { return "text " + std::to_string(id); }

void FakeWindowSystem::ExitProcess(unsigned code) {
    calls.push_back(ExitProcessCall(code));
    exitCode = code;
    throw FakeProcessExit{code};
}

}  // namespace moritelda
