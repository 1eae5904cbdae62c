#include "platform/win32_window_system.h"

#include <cstring>

#include <windows.h>
// The interface's own names, not the ANSI/wide switches of the system headers.
#undef MessageBox
#undef FindWindowEx
#undef SendMessage

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

std::uint32_t Win32WindowSystem::WindowProcessId(WindowHandle window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(Hwnd(window), &processId);
    return processId;
}

ProcessHandle Win32WindowSystem::OpenProcess(std::uint32_t processId) {
    // The rights the taskbar walk needs, rather than all access: they are
    // granted to an ordinary user on the shell's process.
    const DWORD rights = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION;
    return reinterpret_cast<ProcessHandle>(::OpenProcess(rights, FALSE, processId));
}

namespace {

// IsWow64Process, where the system has it (not on Windows 2000).
bool RunsUnderWow64(HANDLE process) {
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    static const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(process, &wow64) && wow64;
}

}  // namespace

int Win32WindowSystem::ProcessBits(ProcessHandle process) {
    const HANDLE shell = reinterpret_cast<HANDLE>(process);
#ifdef _WIN64
    return RunsUnderWow64(shell) ? 32 : 64;
#else
    // A 32-bit process on a 64-bit system cannot reach a 64-bit shell's memory.
    if (!RunsUnderWow64(GetCurrentProcess())) return 32;
    return RunsUnderWow64(shell) ? 32 : 0;
#endif
}

std::uint64_t Win32WindowSystem::AllocateRemote(ProcessHandle process, std::size_t size) {
    return reinterpret_cast<std::uintptr_t>(
        VirtualAllocEx(reinterpret_cast<HANDLE>(process), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

bool Win32WindowSystem::ReadRemote(ProcessHandle process, std::uint64_t address, void* buffer, std::size_t size) {
    SIZE_T done = 0;
    return ReadProcessMemory(reinterpret_cast<HANDLE>(process),
                             reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)), buffer, size,
                             &done) &&
           done == size;
}

bool Win32WindowSystem::WriteRemote(ProcessHandle process, std::uint64_t address, const void* buffer,
                                    std::size_t size) {
    SIZE_T done = 0;
    return WriteProcessMemory(reinterpret_cast<HANDLE>(process),
                              reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)), buffer, size, &done) &&
           done == size;
}

void Win32WindowSystem::FreeRemote(ProcessHandle process, std::uint64_t address) {
    VirtualFreeEx(reinterpret_cast<HANDLE>(process), reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)),
                  0, MEM_RELEASE);
}

void Win32WindowSystem::CloseProcess(ProcessHandle process) { CloseHandle(reinterpret_cast<HANDLE>(process)); }

std::intptr_t Win32WindowSystem::SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    return SendMessageA(Hwnd(window), message, wParam, lParam);
}

}  // namespace moritelda
