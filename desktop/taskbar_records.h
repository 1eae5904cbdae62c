// The taskbar's records as they lie in the shell's own process. The shell may
// be a 32-bit or a 64-bit process, and its TBBUTTON and TCITEMA records have
// that process's layout and pointer size, whatever moritelda's own is. These
// plain functions encode and decode those bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace moritelda {

// Large enough for one record of either layout.
constexpr std::size_t REMOTE_BUFFER_SIZE = 64;

constexpr std::uint8_t TBSTATE_CHECKED_BIT = 0x01;
constexpr std::uint32_t TCIF_PARAM_BIT = 0x0008;
constexpr std::uint32_t TCIF_STATE_BIT = 0x0010;
constexpr std::uint32_t TCIS_HIGHLIGHTED_BIT = 0x0002;

// Toolbar messages and tab-control messages of the walks.
constexpr std::uint32_t TB_GETBUTTON_MESSAGE = 0x0417;
constexpr std::uint32_t TB_BUTTONCOUNT_MESSAGE = 0x0418;
constexpr std::uint32_t TCM_GETITEMCOUNT_MESSAGE = 0x1304;
constexpr std::uint32_t TCM_GETITEMA_MESSAGE = 0x1305;

struct TaskbarButton {
    std::uint8_t state;  // fsState
    std::uint64_t data;  // dwData: the address of the taskbar's memory for the button
};

struct TaskbarTab {
    std::uint32_t state;  // dwState
    std::uint64_t param;  // lParam: the window handle
};

// 20 bytes in a 32-bit shell, 32 bytes in a 64-bit one.
std::size_t ButtonRecordSize(bool shell64);
TaskbarButton DecodeButton(const std::uint8_t* bytes, bool shell64);

// 28 bytes in a 32-bit shell, 40 bytes in a 64-bit one.
std::size_t TabRecordSize(bool shell64);
// The request for one tab item: its mask and state mask, everything else zero.
std::vector<std::uint8_t> EncodeTabRequest(bool shell64, std::uint32_t mask, std::uint32_t stateMask);
TaskbarTab DecodeTab(const std::uint8_t* bytes, bool shell64);

// The size of a window handle stored in the shell's memory.
std::size_t HandleSize(bool shell64);
// A little-endian value of 4 or 8 bytes.
std::uint64_t DecodeAddress(const std::uint8_t* bytes, std::size_t size);

}  // namespace moritelda
