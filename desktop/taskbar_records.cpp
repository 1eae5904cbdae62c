#include "desktop/taskbar_records.h"

namespace moritelda {

namespace {

void EncodeValue(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t DecodeValue(const std::uint8_t* bytes) { return static_cast<std::uint32_t>(DecodeAddress(bytes, 4)); }

}  // namespace

std::uint64_t DecodeAddress(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return value;
}

std::size_t HandleSize(bool shell64) { return shell64 ? 8 : 4; }

// TBBUTTON: iBitmap 0, idCommand 4, fsState 8, fsStyle 9, reserved bytes up to
// the pointer alignment, then dwData and iString of pointer size.
std::size_t ButtonRecordSize(bool shell64) { return shell64 ? 32 : 20; }

TaskbarButton DecodeButton(const std::uint8_t* bytes, bool shell64) {
    TaskbarButton button;
    button.state = bytes[8];
    button.data = shell64 ? DecodeAddress(bytes + 16, 8) : DecodeAddress(bytes + 12, 4);
    return button;
}

// TCITEMA: mask 0, dwState 4, dwStateMask 8, pszText (pointer aligned),
// cchTextMax, iImage, then lParam of pointer size.
std::size_t TabRecordSize(bool shell64) { return shell64 ? 40 : 28; }

std::vector<std::uint8_t> EncodeTabRequest(bool shell64, std::uint32_t mask, std::uint32_t stateMask) {
    std::vector<std::uint8_t> bytes(TabRecordSize(shell64), 0);
    EncodeValue(bytes, 0, mask);
    EncodeValue(bytes, 8, stateMask);
    return bytes;
}

TaskbarTab DecodeTab(const std::uint8_t* bytes, bool shell64) {
    TaskbarTab tab;
    tab.state = DecodeValue(bytes + 4);
    tab.param = shell64 ? DecodeAddress(bytes + 32, 8) : DecodeAddress(bytes + 24, 4);
    return tab;
}

}  // namespace moritelda
