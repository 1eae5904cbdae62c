// The real window system: each operation is the Win32 call of its name.
#pragma once

#include "platform/window_system.h"

namespace moritelda {

class Win32WindowSystem : public WindowSystem {
public:
    // instance: the module whose string table LoadText reads.
    explicit Win32WindowSystem(void* instance);

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
    void* instance_;
    // DwmGetWindowAttribute, where the system has it.
    void* getWindowAttribute_ = nullptr;
};

}  // namespace moritelda
