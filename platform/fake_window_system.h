// A simulated window system for tests: top-level windows with their states,
// a stacking order with a topmost band, placements, a foreground window, and
// a log of every call that acts on a window, so that a test can check both
// the outcome and the order of the calls.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace moritelda {

// Thrown by FakeWindowSystem::ExitProcess, so that a test can follow a path
// that ends the process.
struct FakeProcessExit {
    unsigned code;
};

// How a new window starts out.
struct FakeWindowOptions {
    std::string title;
    std::string className = "FakeWindow";
    std::uint32_t exStyle = 0;  // EXSTYLE_TOPMOST puts it into the topmost band
    WindowHandle owner = NO_WINDOW;
    bool visible = true;
    bool minimized = false;
    bool maximized = false;
    RectRecord normalPosition{0, 0, 640, 480};
    bool cloaked = false;
};

// One simulated window. Tests may change any field except the topmost bit of
// exStyle, which must go through SetWindowPos to keep the stacking consistent.
struct FakeWindow {
    WindowHandle handle = NO_WINDOW;
    bool alive = true;
    // A child window (of the old shells' taskbar chain) is in no stacking order.
    WindowHandle parent = NO_WINDOW;
    std::string title;
    std::string className;
    std::uint32_t exStyle = 0;
    WindowHandle owner = NO_WINDOW;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    // A minimized window that comes back maximized.
    bool restoreMaximized = false;
    RectRecord normalPosition{};
    PointRecord minPosition{-1, -1};
    PointRecord maxPosition{-1, -1};
    bool cloaked = false;
    bool placementFails = false;
};

struct FakeMessageBox {
    WindowHandle owner;
    std::string text;     // "" for none
    std::string caption;  // "" for none
    std::uint32_t style;
};

// The log entries of the acting calls, as the fake writes them.
std::string ShowWindowCall(WindowHandle window, int showCommand);
std::string SetWindowPosCall(WindowHandle window, WindowHandle insertAfter, std::uint32_t flags);
std::string SetPlacementCall(WindowHandle window, std::uint32_t showCmd);
std::string SwitchCall(WindowHandle window);
std::string MessageBoxCall(const char* caption, const char* text);
std::string ExitProcessCall(unsigned exitCode);

class FakeWindowSystem : public WindowSystem {
public:
    // A new window at the top of its band; handles run 0x1000, 0x1010, ...
    WindowHandle AddWindow(const FakeWindowOptions& options);
    WindowHandle AddWindow(const std::string& title);
    void DestroyWindow(WindowHandle window);
    // The window's state, also after it was destroyed.
    FakeWindow& Window(WindowHandle window);
    void SetForeground(WindowHandle window) { foreground_ = window; }

    // Every acting call in order: ShowWindow, SetWindowPos, SetPlacement,
    // SwitchToThisWindow, MessageBox, ExitProcess.
    std::vector<std::string> calls;
    std::vector<FakeMessageBox> messageBoxes;
    int messageBoxAnswer = 1;
    std::optional<unsigned> exitCode;

    bool IsWindow(WindowHandle window) override;
    bool IsIconic(WindowHandle window) override;
    bool IsZoomed(WindowHandle window) override;
    bool IsWindowVisible(WindowHandle window) override;
    std::string WindowTitle(WindowHandle window, int bufferSize) override;
    std::string ClassName(WindowHandle window, int bufferSize) override;
    std::uint32_t ExtendedStyle(WindowHandle window) override;
    WindowHandle Owner(WindowHandle window) override;
    bool IsCloaked(WindowHandle window) override;
    WindowHandle FindWindowEx(WindowHandle parent, WindowHandle childAfter, const char* className) override;
    bool ShowWindow(WindowHandle window, int showCommand) override;
    std::vector<WindowHandle> TopLevelWindows() override;
    WindowHandle TopWindow() override;
    WindowHandle ForegroundWindow() override;
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::uint32_t flags) override;
    bool GetPlacement(WindowHandle window, PlacementRecord& placement) override;
    bool SetPlacement(WindowHandle window, const PlacementRecord& placement) override;
    void SwitchToThisWindow(WindowHandle window, bool altTab) override;
    int MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t style) override;
    std::string LoadText(int id) override;
    [[noreturn]] void ExitProcess(unsigned exitCode) override;

    // The taskbar of an old shell, in a process of its own with pointers of
    // shellBits: "Shell_TrayWnd" > "ReBarWindow32" > "MSTaskSwWClass" > a
    // "ToolbarWindow32", or a "SysTabControl32" with tabs. It answers the
    // button and tab-item requests from shellItems, writing its records in the
    // shell's own layout into the shell's memory. Returns the control.
    struct ShellItem {
        WindowHandle window;
        bool active;  // checked button, highlighted tab
    };
    WindowHandle AddOldShellTaskbar(bool tabs, int shellBits);
    std::vector<ShellItem> shellItems;
    bool shellOpenFails = false;
    bool shellAllocFails = false;
    // Open process handles and remote allocations, to check that a walk
    // releases what it took.
    int openProcesses = 0;
    std::size_t RemoteAllocations() const { return remote_.size() - shellDataBlocks_; }

    std::uint32_t WindowProcessId(WindowHandle window) override;
    ProcessHandle OpenProcess(std::uint32_t processId) override;
    int ProcessBits(ProcessHandle process) override;
    std::uint64_t AllocateRemote(ProcessHandle process, std::size_t size) override;
    bool ReadRemote(ProcessHandle process, std::uint64_t address, void* buffer, std::size_t size) override;
    bool WriteRemote(ProcessHandle process, std::uint64_t address, const void* buffer, std::size_t size) override;
    void FreeRemote(ProcessHandle process, std::uint64_t address) override;
    void CloseProcess(ProcessHandle process) override;
    std::intptr_t SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;

private:
    WindowHandle AddChildWindow(WindowHandle parent, const char* className);
    // The shell's bytes at [address, address + size), or null.
    std::uint8_t* RemoteBytes(std::uint64_t address, std::size_t size);
    std::uint64_t ShellDataBlock(std::size_t item);
    std::intptr_t AnswerShellRequest(std::uint32_t message, std::uintptr_t item, std::intptr_t address);

    WindowHandle shellControl_ = NO_WINDOW;
    bool shellTabs_ = false;
    int shellBits_ = 32;
    std::map<std::uint64_t, std::vector<std::uint8_t>> remote_;
    std::uint64_t nextRemote_ = 0x10000;
    std::size_t shellDataBlocks_ = 0;

    // The live window of a handle, or null.
    FakeWindow* Find(WindowHandle window);
    bool Topmost(const FakeWindow& window) const { return (window.exStyle & EXSTYLE_TOPMOST) != 0; }
    void Unstack(WindowHandle window);
    // Puts the window at the top of the band its topmost bit names.
    void StackAtBandTop(FakeWindow& window);
    void Activate(FakeWindow& window);
    // Out of the minimized state into the state it had before; shown.
    void Restore(FakeWindow& window);
    void Minimize(FakeWindow& window);
    // ShowWindow's effect, without logging.
    bool ApplyShow(FakeWindow& window, int showCommand);

    std::deque<FakeWindow> windows_;  // references stay valid as windows are added
    std::vector<WindowHandle> stack_;  // top first
    WindowHandle foreground_ = NO_WINDOW;
};

}  // namespace moritelda
