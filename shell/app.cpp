#include "shell/app.h"

#include <vector>

#include "resources/resource_ids.h"
#include "shell/shell_decisions.h"

namespace moritelda {

namespace {

std::string ModulePath(HINSTANCE instance) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(instance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// The data files are opened by relative paths, so the working directory must
// be the program's own directory. A drive root needs its backslash ("C:"
// alone means the drive's current directory), and a directory too long for
// the ANSI call is reached through its short name.
void EnterProgramDir(const std::string& programDir) {
    const std::string withSeparator = programDir + "\\";
    if (SetCurrentDirectoryA(withSeparator.c_str())) return;
    std::vector<char> shortPath(withSeparator.size() + 1);
    const DWORD length = GetShortPathNameA(withSeparator.c_str(), shortPath.data(),
                                           static_cast<DWORD>(shortPath.size()));
    if (length > 0 && length < shortPath.size()) SetCurrentDirectoryA(shortPath.data());
}

}  // namespace

App::App(HINSTANCE moduleInstance)
    : instance(moduleInstance),
      windows(moduleInstance),
      engine(windows, desktop, rules, links) {}

const char* App::LoadText(UINT id) {
    LoadStringA(instance, id, textBuffer, sizeof textBuffer);
    return textBuffer;
}

const char* App::LoadTextSlot(UINT id, int slot) {
    char* start = textBuffer + 32 * slot;
    LoadStringA(instance, id, start, 32);
    return start;
}

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
void DetectOsKind(App& app) {
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    app.links.osKind = OsKindFromVersion(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

int RunMoritelda(HINSTANCE instance) {
    App* const app = new App(instance);

    app->programDir = ProgramDirFromModulePath(ModulePath(instance));
    EnterProgramDir(app->programDir);

    LoadStringA(instance, TEXT_WINDOW_NAME, app->windowName, sizeof app->windowName);

    // Owned for the life of the process; a second copy finds it taken.
    CreateMutexA(nullptr, TRUE, app->windowName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxA(nullptr, app->LoadText(TEXT_ALREADY_RUNNING), nullptr, MB_OK);
        return 0;
    }

    DetectOsKind(*app);

    LoadSettings(app->settings.settings);
    ApplyFirstRunDefaults(app->settings, app->windows);
    LoadRules(app->rules);

    for (WindowHandle& active : app->desktop.activeWindow) active = NO_WINDOW;

    const HWND switcher =
        CreateSwitcherWindow(*app, app->settings.settings.displayType, app->settings.settings.skinParam);
    app->links.switcherWindow = reinterpret_cast<WindowHandle>(switcher);

    CreateChangeRequestWindow(*app);

    if (switcher != nullptr) {
        ShowWindow(switcher, SW_SHOW);
        UpdateWindow(switcher);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    // Shutdown: the rules are kept, and no window is left hidden on a desktop
    // that no longer exists once the program is gone.
    app->desktop.currentDesktop = 0;
    SaveRules(app->rules);
    app->engine.ShowAllTasks();
    DestroyWindow(reinterpret_cast<HWND>(app->links.switcherWindow));

    // Every quit request of the program posts 0.
    return static_cast<int>(message.wParam);
}

}  // namespace moritelda
