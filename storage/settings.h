// The settings record, its file moritelda.ini, the defaults of a first run,
// and the position file defskin2.set of the floating switcher.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window_system.h"

namespace moritelda {

// The switcher's display type, 1 to 5; 0 or less means none chosen yet.
using DisplayType = std::int32_t;

struct HotkeySetting {
    std::uint16_t hotkeyCode = 0;  // hotkey control value: key low byte, HOTKEYF_* high byte
    std::uint16_t winKey = 0;      // non-zero when the Windows key belongs to it
    std::uint16_t modifiers = 0;   // MOD_* bits for RegisterHotKey
    std::uint16_t spare = 0;       // kept in the file, used by nothing
};

struct Settings {
    DisplayType displayType = 0;
    std::int32_t skinParam = 0;
    std::int32_t startMode = 0;  // 1 all users, 2 current user, 3 no autostart
    HotkeySetting hkChange;
    HotkeySetting hkNext;
    HotkeySetting hkPrev;
};

// The process-wide settings and the first-run flag, as at process start.
struct SettingsState {
    Settings settings;
    std::int32_t firstRun = 0;
};

// Resets the record (startMode excepted) and reads the settings file over it.
// 1 when the file was read, 0 when it cannot be opened.
int LoadSettings(Settings& settings, const char* path = "./moritelda.ini");

// When no display type was chosen: sets firstRun, the default hotkeys
// (Windows+Right next, Windows+Left previous, none for a change) and shows
// text 139.
void ApplyFirstRunDefaults(SettingsState& state, WindowSystem& windows);

// The exact bytes of the settings file for the record.
std::string FormatSettings(const Settings& settings);
// False when the file could not be written; the old file then stays.
bool SaveSettings(const Settings& settings, const char* path = "./moritelda.ini");

// The value of CW_USEDEFAULT: the system chooses the position.
constexpr std::int32_t DEFAULT_POSITION = INT32_MIN;

// Left and top of the stored switcher rectangle; both DEFAULT_POSITION when the
// file is missing or too short to hold them.
PointRecord LoadSwitcherPosition(const char* path = "./defskin2.set");
// Stores the window rectangle as 16 bytes. False when it could not be written.
bool SaveSwitcherPosition(const RectRecord& rect, const char* path = "./defskin2.set");

}  // namespace moritelda
