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

private:
    void* instance_;
    // DwmGetWindowAttribute, where the system has it.
    void* getWindowAttribute_ = nullptr;
};

}  // namespace moritelda
