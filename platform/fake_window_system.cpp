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
    // Only top-level windows are simulated.
    if (parent != NO_WINDOW) return NO_WINDOW;
    auto position = stack_.begin();
    if (childAfter != NO_WINDOW) {
        position = std::find(stack_.begin(), stack_.end(), childAfter);
        if (position == stack_.end()) return NO_WINDOW;
        ++position;
    }
    for (; position != stack_.end(); ++position) {
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
            if (Topmost(*above) && !Topmost(*moved)) {
                // A window that is not topmost cannot enter the topmost band.
                StackAtBandTop(*moved);
            } else {
                // A topmost window put below one that is not loses its topmost state.
                if (!Topmost(*above)) moved->exStyle &= ~EXSTYLE_TOPMOST;
                Unstack(window);
                stack_.insert(std::find(stack_.begin(), stack_.end(), insertAfter) + 1, window);
            }
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

std::string FakeWindowSystem::LoadText(int id) { return "text " + std::to_string(id); }

void FakeWindowSystem::ExitProcess(unsigned code) {
    calls.push_back(ExitProcessCall(code));
    exitCode = code;
    throw FakeProcessExit{code};
}

}  // namespace moritelda
