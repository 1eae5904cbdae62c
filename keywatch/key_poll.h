// keywatch's one decision: which switch request, if any, the keys held now
// ask for. Kept free of the system so that it is tested natively.
#pragma once

#include <cstdint>

namespace keywatch {

constexpr int VK_TAB_KEY = 0x09;
constexpr int VK_LEFT_KEY = 0x25;
constexpr int VK_RIGHT_KEY = 0x27;
constexpr int VK_LWIN_KEY = 0x5B;
constexpr int VK_RWIN_KEY = 0x5C;

constexpr std::intptr_t REQUEST_NONE = 0;
constexpr std::intptr_t REQUEST_NEXT = -1;
constexpr std::intptr_t REQUEST_PREVIOUS = -2;

// Asks whether a key is down now (the high bit of GetKeyState).
using KeyIsDown = bool (*)(int virtualKey, void* context);

// One poll: Windows+Tab, then Windows+Right, both next; then Windows+Left,
// previous. Each key is read at most once per question, in that order, and the
// Windows key is read afresh before the left arrow.
std::intptr_t PollRequest(KeyIsDown isDown, void* context);

}  // namespace keywatch
