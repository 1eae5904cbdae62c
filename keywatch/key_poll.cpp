#include "keywatch/key_poll.h"

namespace keywatch {

namespace {

bool WindowsKeyDown(KeyIsDown isDown, void* context) {
    return isDown(VK_LWIN_KEY, context) || isDown(VK_RWIN_KEY, context);
}

}  // namespace

std::intptr_t PollRequest(KeyIsDown isDown, void* context) {
    if (WindowsKeyDown(isDown, context) && (isDown(VK_TAB_KEY, context) || isDown(VK_RIGHT_KEY, context))) {
        return REQUEST_NEXT;
    }
    if (!WindowsKeyDown(isDown, context)) return REQUEST_NONE;
    return isDown(VK_LEFT_KEY, context) ? REQUEST_PREVIOUS : REQUEST_NONE;
}

}  // namespace keywatch
