// The shell's pure decisions: where the program lives, which Windows family
// it runs on, which desktop a request goes to, and the modifier bits of a
// hotkey. No platform types, so that they are tested natively.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/os_kind.h"

namespace moritelda {

constexpr std::uint32_t PLATFORM_WIN32_NT = 2;

// The Windows family from the version that the system reports.
OsKind OsKindFromVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

// The program's directory from the full path of its own module, without a
// trailing backslash ("C:\x.exe" gives "C:"). The data files are opened
// relative to it, so it must be right whatever the path holds: blanks, quotes
// on the command line, or more than 255 bytes.
std::string ProgramDirFromModulePath(const std::string& modulePath);

enum class Direction { Next, Previous, Current };

// The desktop a request goes to from the current one: next wraps 4 to 1,
// previous wraps 1 to 4.
std::int32_t TargetDesktop(std::int32_t currentDesktop, Direction direction);

// The direction carried by the change message's lParam: -1 next, -2 previous,
// anything else the current desktop.
Direction ChangeMessageDirection(std::intptr_t lParam);

// The direction of a hotkey identifier: 4641 and 4642 next, 4643 previous.
constexpr int HOTKEY_ID_CHANGE = 4641;
constexpr int HOTKEY_ID_NEXT = 4642;
constexpr int HOTKEY_ID_PREV = 4643;
Direction HotkeyDirection(int hotkeyId);

// Hotkey-control flags in the high byte of a hotkey code.
constexpr std::uint16_t HOTKEYF_SHIFT = 0x01;
constexpr std::uint16_t HOTKEYF_CONTROL = 0x02;
constexpr std::uint16_t HOTKEYF_ALT = 0x04;
constexpr std::uint16_t HOTKEYF_EXT = 0x08;
// Modifier bits of the system's hotkey registration.
constexpr std::uint16_t MOD_ALT_BIT = 1;
constexpr std::uint16_t MOD_CONTROL_BIT = 2;
constexpr std::uint16_t MOD_SHIFT_BIT = 4;
constexpr std::uint16_t MOD_WIN_BIT = 8;

// The modifier bits for the system from a hotkey control's value and the
// Windows-key check box. The extended-key flag is no modifier.
std::uint16_t HotkeyModifiers(std::uint16_t hotkeyCode, std::uint16_t winKey);

}  // namespace moritelda
