#include "shell/shell_decisions.h"

namespace moritelda {

OsKind OsKindFromVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    if (platformId != PLATFORM_WIN32_NT) return OsKindOther;
    if (major == 5) return minor >= 1 ? OsKindXp : OsKindOther;
    if (major == 6) return OsKindVista;
    return OsKindOther;
}

std::string ProgramDirFromModulePath(const std::string& modulePath) {
    const std::string::size_type lastSeparator = modulePath.find_last_of("\\/");
    if (lastSeparator == std::string::npos) return std::string();
    return modulePath.substr(0, lastSeparator);
}

std::int32_t TargetDesktop(std::int32_t currentDesktop, Direction direction) {
    switch (direction) {
    case Direction::Next:
        return currentDesktop >= 4 ? 1 : currentDesktop + 1;
    case Direction::Previous:
        return currentDesktop <= 1 ? 4 : currentDesktop - 1;
    case Direction::Current:
        break;
    }
    return currentDesktop;
}

Direction ChangeMessageDirection(std::intptr_t lParam) {
    if (lParam == -1) return Direction::Next;
    if (lParam == -2) return Direction::Previous;
    return Direction::Current;
}

Direction HotkeyDirection(int hotkeyId) {
    return hotkeyId == HOTKEY_ID_PREV ? Direction::Previous : Direction::Next;
}

std::uint16_t HotkeyModifiers(std::uint16_t hotkeyCode, std::uint16_t winKey) {
    const std::uint16_t flags = static_cast<std::uint16_t>(hotkeyCode >> 8);
    std::uint16_t modifiers = 0;
    if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT_BIT;
    if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL_BIT;
    if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT_BIT;
    if (winKey != 0) modifiers |= MOD_WIN_BIT;
    return modifiers;
}

}  // namespace moritelda
