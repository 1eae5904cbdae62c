#include "platform/win32_window_system.h"

#include <cstring>

#include <windows.h>
// The interface's own names, not the ANSI/wide switches of the system headers.
#undef MessageBox
#undef FindWindowEx

namespace moritelda {

namespace {

constexpr DWORD ATTRIBUTE_CLOAKED = 14;  // DWMWA_CLOAKED
using GetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(PlacementRecord), "placement record must match WINDOWPLACEMENT");

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// A text that a Win32 call writes into a buffer of bufferSize bytes.
template <typename Fetch>
std::string FetchText(int bufferSize, Fetch fetch) {
    if (bufferSize <= 0) return "";
    std::string text(static_cast<std::size_t>(bufferSize), '\0');
    const int length = fetch(&text[0], bufferSize);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<WindowHandle>*>(windows)->push_back(Handle(window));
    return TRUE;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(void* instance) : instance_(instance) {
    // Systems before Windows Vista have no desktop window manager; there no
    // window is cloaked. The library stays loaded for the whole run.
    if (HMODULE dwm = ::LoadLibraryA("dwmapi.dll")) {
        getWindowAttribute_ = reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmGetWindowAttribute"));
    }
}

bool Win32WindowSystem::IsWindow(WindowHandle window) { return ::IsWindow(Hwnd(window)) != FALSE; }

bool Win32WindowSystem::IsIconic(WindowHandle window) { return ::IsIconic(Hwnd(window)) != FALSE; }

bool Win32WindowSystem::IsZoomed(WindowHandle window) { return ::IsZoomed(Hwnd(window)) != FALSE; }

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) { return ::IsWindowVisible(Hwnd(window)) != FALSE; }

std::string Win32WindowSystem::WindowTitle(WindowHandle window, int bufferSize) {
    return FetchText(bufferSize,
                     [window](char* buffer, int size) { return ::GetWindowTextA(Hwnd(window), buffer, size); });
}

std::string Win32WindowSystem::ClassName(WindowHandle window, int bufferSize) {
    return FetchText(bufferSize,
                     [window](char* buffer, int size) { return ::GetClassNameA(Hwnd(window), buffer, size); });
}

std::uint32_t Win32WindowSystem::ExtendedStyle(WindowHandle window) {
    return static_cast<std::uint32_t>(::GetWindowLongA(Hwnd(window), GWL_EXSTYLE));
}

WindowHandle Win32WindowSystem::Owner(WindowHandle window) { return Handle(::GetWindow(Hwnd(window), GW_OWNER)); }

bool Win32WindowSystem::IsCloaked(WindowHandle window) {
    if (!getWindowAttribute_) return false;
    const auto getAttribute = reinterpret_cast<GetWindowAttributeFunction>(getWindowAttribute_);
    DWORD cloaked = 0;
    return SUCCEEDED(getAttribute(Hwnd(window), ATTRIBUTE_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

WindowHandle Win32WindowSystem::FindWindowEx(WindowHandle parent, WindowHandle childAfter, const char* className) {
    return Handle(::FindWindowExA(Hwnd(parent), Hwnd(childAfter), className, nullptr));
}

bool Win32WindowSystem::ShowWindow(WindowHandle window, int showCommand) {
    return ::ShowWindow(Hwnd(window), showCommand) != FALSE;
}

std::vector<WindowHandle> Win32WindowSystem::TopLevelWindows() {
    std::vector<WindowHandle> windows;
    ::EnumWindows(CollectTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

WindowHandle Win32WindowSystem::TopWindow() { return Handle(::GetWindow(::GetDesktopWindow(), GW_CHILD)); }

WindowHandle Win32WindowSystem::ForegroundWindow() { return Handle(::GetForegroundWindow()); }

bool Win32WindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::uint32_t flags) {
    return ::SetWindowPos(Hwnd(window), Hwnd(insertAfter), 0, 0, 0, 0, flags) != FALSE;
}

bool Win32WindowSystem::GetPlacement(WindowHandle window, PlacementRecord& placement) {
    WINDOWPLACEMENT native;
    std::memcpy(&native, &placement, sizeof native);
    if (!::GetWindowPlacement(Hwnd(window), &native)) return false;
    std::memcpy(&placement, &native, sizeof placement);
    return true;
}

bool Win32WindowSystem::SetPlacement(WindowHandle window, const PlacementRecord& placement) {
    WINDOWPLACEMENT native;
    std::memcpy(&native, &placement, sizeof native);
    return ::SetWindowPlacement(Hwnd(window), &native) != FALSE;
}

void Win32WindowSystem::SwitchToThisWindow(WindowHandle window, bool altTab) {
    ::SwitchToThisWindow(Hwnd(window), altTab ? TRUE : FALSE);
}

int Win32WindowSystem::MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t style) {
    return ::MessageBoxA(Hwnd(owner), text, caption, style);
}

std::string Win32WindowSystem::LoadText(int id) {
    // The size of the shared text buffer of the string loader.
    constexpr int TEXT_BUFFER = 256;
    return FetchText(TEXT_BUFFER, [this, id](char* buffer, int size) {
        return ::LoadStringA(static_cast<HINSTANCE>(instance_), static_cast<UINT>(id), buffer, size);
    });
}

void Win32WindowSystem::ExitProcess(unsigned exitCode) { ::ExitProcess(exitCode); }

}  // namespace moritelda
