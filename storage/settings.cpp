#include "storage/settings.h"

#include <cstdio>

#include "platform/files.h"
#include "storage/line_records.h"

namespace moritelda {

namespace {

constexpr int FIRST_RUN_TEXT = 139;

void ReadHotkey(HotkeySetting& hotkey, const char* const* values) {
    hotkey.hotkeyCode = static_cast<std::uint16_t>(ToNumber(values[0]));
    hotkey.winKey = static_cast<std::uint16_t>(ToNumber(values[1]));
    hotkey.modifiers = static_cast<std::uint16_t>(ToNumber(values[2]));
    hotkey.spare = static_cast<std::uint16_t>(ToNumber(values[3]));
}

int SettingsLineHandler(const char* key, const char* const* values, void* context) {
    Settings& settings = *static_cast<Settings*>(context);
    if (MatchKeyword(key, "SetSkin")) {
        settings.displayType = ToNumber(values[0]);
        settings.skinParam = ToNumber(values[1]);
    } else if (MatchKeyword(key, "Start")) {
        settings.startMode = ToNumber(values[0]);
    } else if (MatchKeyword(key, "HKCHG")) {
        ReadHotkey(settings.hkChange, values);
    } else if (MatchKeyword(key, "HKNEXT")) {
        ReadHotkey(settings.hkNext, values);
    } else if (MatchKeyword(key, "HKPREV")) {
        ReadHotkey(settings.hkPrev, values);
    } else {
        return 0;
    }
    return 1;
}

void SetHotkey(HotkeySetting& hotkey, std::uint16_t code, std::uint16_t winKey, std::uint16_t modifiers) {
    hotkey.hotkeyCode = code;
    hotkey.winKey = winKey;
    hotkey.modifiers = modifiers;
}

void PutLittleEndian(std::string& bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

std::int32_t GetLittleEndian(const std::string& bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(bits);
}

}  // namespace

int LoadSettings(Settings& settings, const char* path) {
    // startMode keeps its value: a file without a "Start" line leaves it alone.
    settings.displayType = -1;
    settings.skinParam = 0;
    settings.hkChange = HotkeySetting{};
    settings.hkNext = HotkeySetting{};
    settings.hkPrev = HotkeySetting{};
    return ReadLineRecords(path, SettingsLineHandler, &settings);
}

void ApplyFirstRunDefaults(SettingsState& state, WindowSystem& windows) {
    Settings& settings = state.settings;
    if (settings.displayType > 0) return;
    state.firstRun = 1;
    // The spare fields keep what the file had.
    SetHotkey(settings.hkChange, 0, 0, 0);
    SetHotkey(settings.hkNext, 0x0827, 1, 8);  // Windows+Right
    SetHotkey(settings.hkPrev, 0x0825, 1, 8);  // Windows+Left
    const std::string text = windows.LoadText(FIRST_RUN_TEXT);
    windows.MessageBox(NO_WINDOW, text.c_str(), "Message", BOX_OK | BOX_ICONINFORMATION);
}

std::string FormatSettings(const Settings& s) {
    char text[256];
    const int length = std::snprintf(
        text, sizeof text,
        "SetSkin %d,%d\r\nStart=%d\r\nHKCHG=%d,%d,%d,%d\r\nHKNEXT=%d,%d,%d,%d\r\nHKPREV=%d,%d,%d,%d\r\n",
        s.displayType, s.skinParam, s.startMode,
        s.hkChange.hotkeyCode, s.hkChange.winKey, s.hkChange.modifiers, s.hkChange.spare,
        s.hkNext.hotkeyCode, s.hkNext.winKey, s.hkNext.modifiers, s.hkNext.spare,
        s.hkPrev.hotkeyCode, s.hkPrev.winKey, s.hkPrev.modifiers, s.hkPrev.spare);
    return std::string(text, static_cast<std::size_t>(length));
}

bool SaveSettings(const Settings& settings, const char* path) {
    return ReplaceWholeFile(path, FormatSettings(settings));
}

PointRecord LoadSwitcherPosition(const char* path) {
    std::string bytes;
    // Without a stored left and top the system places the window.
    if (!ReadWholeFile(path, bytes) || bytes.size() < 8) return PointRecord{DEFAULT_POSITION, DEFAULT_POSITION};
    return PointRecord{GetLittleEndian(bytes, 0), GetLittleEndian(bytes, 4)};
}

bool SaveSwitcherPosition(const RectRecord& rect, const char* path) {
    std::string bytes;
    PutLittleEndian(bytes, rect.left);
    PutLittleEndian(bytes, rect.top);
    PutLittleEndian(bytes, rect.right);
    PutLittleEndian(bytes, rect.bottom);
    return ReplaceWholeFile(path, bytes);
}

}  // namespace moritelda
