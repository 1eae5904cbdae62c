// The one door between moritelda's engine and the window system.
//
// The desktop engine and the storage code speak only to this interface, in
// their own small types. Its Win32 implementation is the only engine code that
// includes <windows.h>; a fake implementation simulates windows, stacking
// order, placements and a taskbar so that the engine's logic runs natively.
// The interface holds no decisions: it reports and it acts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace moritelda {

// A top-level window; 0 is "none".
using WindowHandle = std::uintptr_t;
// An open handle of another process; 0 is "none".
using ProcessHandle = std::uintptr_t;
constexpr WindowHandle NO_WINDOW = 0;
// Insert-after values of SetWindowPos.
constexpr WindowHandle INSERT_TOP = 0;
constexpr WindowHandle INSERT_BOTTOM = 1;
constexpr WindowHandle INSERT_TOPMOST = static_cast<WindowHandle>(-1);
constexpr WindowHandle INSERT_NOTOPMOST = static_cast<WindowHandle>(-2);

// Show commands passed to ShowWindow.
enum ShowCommand : std::int32_t {
    SHOW_HIDE = 0,
    SHOW_NORMAL = 1,
    SHOW_MAXIMIZED = 3,
    SHOW_NOACTIVATE = 4,
    SHOW_SHOW = 5,
    SHOW_MINIMIZE = 6,
    SHOW_MINNOACTIVE = 7,
    SHOW_RESTORE = 9,
    SHOW_FORCEMINIMIZE = 11,
};

// SetWindowPos flags used by the engine.
constexpr std::uint32_t POS_NOSIZE = 0x0001;
constexpr std::uint32_t POS_NOMOVE = 0x0002;
constexpr std::uint32_t POS_NOACTIVATE = 0x0010;
constexpr std::uint32_t POS_SHOWWINDOW = 0x0040;

// Extended window styles the engine looks at.
constexpr std::uint32_t EXSTYLE_TOPMOST = 0x00000008;
constexpr std::uint32_t EXSTYLE_TOOLWINDOW = 0x00000080;
constexpr std::uint32_t EXSTYLE_APPWINDOW = 0x00040000;
constexpr std::uint32_t EXSTYLE_NOACTIVATE = 0x08000000;

// Message box styles and answers.
constexpr std::uint32_t BOX_OK = 0x0;
constexpr std::uint32_t BOX_ICONERROR = 0x10;
constexpr std::uint32_t BOX_ICONINFORMATION = 0x40;
constexpr std::uint32_t BOX_SYSTEMMODAL = 0x1000;
constexpr std::uint32_t BOX_TASKMODAL = 0x2000;
constexpr std::uint32_t BOX_TOPMOST = 0x40000;

struct PointRecord {
    std::int32_t x;
    std::int32_t y;
};

struct RectRecord {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// The fields of a Win32 WINDOWPLACEMENT, in its order and sizes (44 bytes).
struct PlacementRecord {
    std::uint32_t length;
    std::uint32_t flags;
    std::uint32_t showCmd;
    PointRecord minPosition;
    PointRecord maxPosition;
    RectRecord normalPosition;
};
static_assert(sizeof(PlacementRecord) == 44, "placement record must match WINDOWPLACEMENT");
constexpr std::uint32_t PLACEMENT_LENGTH = 44;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // State queries. A window that no longer exists answers false, "" or 0.
    virtual bool IsWindow(WindowHandle window) = 0;
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual bool IsZoomed(WindowHandle window) = 0;
    virtual bool IsWindowVisible(WindowHandle window) = 0;
    // The title as GetWindowTextA gives it into a buffer of bufferSize bytes:
    // at most bufferSize - 1 bytes.
    virtual std::string WindowTitle(WindowHandle window, int bufferSize) = 0;
    // The class name as GetClassNameA gives it into a buffer of bufferSize bytes.
    virtual std::string ClassName(WindowHandle window, int bufferSize) = 0;
    virtual std::uint32_t ExtendedStyle(WindowHandle window) = 0;
    virtual WindowHandle Owner(WindowHandle window) = 0;
    // True when the system keeps the window off screen although it counts as
    // visible (DWMWA_CLOAKED); false where the system has no such notion.
    virtual bool IsCloaked(WindowHandle window) = 0;
    // FindWindowExA(parent, childAfter, className, any title); parent none
    // searches the top-level windows.
    virtual WindowHandle FindWindowEx(WindowHandle parent, WindowHandle childAfter, const char* className) = 0;

    virtual bool ShowWindow(WindowHandle window, int showCommand) = 0;

    // Every top-level window, from the top of the stacking order down.
    virtual std::vector<WindowHandle> TopLevelWindows() = 0;
    // The window at the top of the stacking order.
    virtual WindowHandle TopWindow() = 0;
    virtual WindowHandle ForegroundWindow() = 0;
    virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::uint32_t flags) = 0;
    virtual bool GetPlacement(WindowHandle window, PlacementRecord& placement) = 0;
    virtual bool SetPlacement(WindowHandle window, const PlacementRecord& placement) = 0;
    virtual void SwitchToThisWindow(WindowHandle window, bool altTab) = 0;

    // Reading the taskbar's control inside the shell's process. A process
    // handle of 0 is "none"; remote addresses are those of the shell's process.
    virtual std::uint32_t WindowProcessId(WindowHandle window) = 0;
    virtual ProcessHandle OpenProcess(std::uint32_t processId) = 0;
    // The shell's pointer size in bits (32 or 64), or 0 when this process
    // cannot read that process's records at all.
    virtual int ProcessBits(ProcessHandle process) = 0;
    // Committed read-write memory in the process; 0 when none can be had.
    virtual std::uint64_t AllocateRemote(ProcessHandle process, std::size_t size) = 0;
    virtual bool ReadRemote(ProcessHandle process, std::uint64_t address, void* buffer, std::size_t size) = 0;
    virtual bool WriteRemote(ProcessHandle process, std::uint64_t address, const void* buffer, std::size_t size) = 0;
    virtual void FreeRemote(ProcessHandle process, std::uint64_t address) = 0;
    virtual void CloseProcess(ProcessHandle process) = 0;
    // SendMessageA: synchronous, also to another process's window.
    virtual std::intptr_t SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;

    // A message box; text or caption may be null (the system's default caption).
    virtual int MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t style) = 0;
    // A text of the string table, in the system's ANSI code page.
    virtual std::string LoadText(int id) = 0;
    // Ends the process at once. Never returns.
    [[noreturn]] virtual void ExitProcess(unsigned exitCode) = 0;
};

}  // namespace moritelda
