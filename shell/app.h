// The process-wide records of the running moritelda, in one home: the
// shell's own values, the settings, the rules, the desktop state and the
// engine that works on them. One App exists per process; a test builds its
// parts fresh instead.
#pragma once

#include <windows.h>

#include <string>

#include "desktop/desktop_state.h"
#include "desktop/engine.h"
#include "platform/win32_window_system.h"
#include "storage/rules.h"
#include "storage/settings.h"

namespace moritelda {

// Private window messages shared with the front-ends.
constexpr UINT WM_DESKTOP_SWITCH = 2011;
constexpr UINT WM_DESKTOP_CHANGED = 2012;

struct App {
    explicit App(HINSTANCE moduleInstance);

    HINSTANCE instance;
    std::string programDir;
    char windowName[128] = {};
    // Shared by LoadText and LoadTextSlot: the whole buffer, or eight slots of
    // 32 bytes each.
    char textBuffer[256] = {};

    Win32WindowSystem windows;
    SettingsState settings;
    RuleTable rules;
    DesktopState desktop;
    ShellLinks links;  // switcherWindow and osKind, shared with the engine
    DesktopEngine engine;

    HWND changeRequestWindow = nullptr;
    UINT changeMessage = 0;

    // A text of the string table in textBuffer, valid until the next load.
    const char* LoadText(UINT id);
    // A short text (at most 31 bytes) in slot 0 to 7 of textBuffer.
    const char* LoadTextSlot(UINT id, int slot);
};

// The whole life of the program; returns its exit code.
int RunMoritelda(HINSTANCE instance);

void DetectOsKind(App& app);

// The display factory: the switcher window of the display type, or none.
HWND CreateSwitcherWindow(App& app, DisplayType displayType, std::int32_t creationValue);

// The hidden window that receives the change message and owns the hotkeys.
void CreateChangeRequestWindow(App& app);
void RegisterHotkeys(App& app);

}  // namespace moritelda
