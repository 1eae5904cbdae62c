#include "keywatch/key_poll.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace keywatch {
namespace {

// Keys held down, and every reading in the order it was made.
struct Keyboard {
    std::set<int> down;
    std::vector<int> readings;
};

bool Read(int virtualKey, void* context) {
    Keyboard& keyboard = *static_cast<Keyboard*>(context);
    keyboard.readings.push_back(virtualKey);
    return keyboard.down.count(virtualKey) != 0;
}

TEST(PollRequest, TurnsTheCombinationsIntoRequests) {
    struct Case { std::set<int> down; std::intptr_t expected; std::vector<int> readings; };
    const int L = VK_LWIN_KEY, R = VK_RWIN_KEY, TAB = VK_TAB_KEY, RIGHT = VK_RIGHT_KEY, LEFT = VK_LEFT_KEY;
    const Case cases[] = {
        {{}, REQUEST_NONE, {L, R, L, R}},
        {{L, TAB}, REQUEST_NEXT, {L, TAB}},
        {{L, RIGHT}, REQUEST_NEXT, {L, TAB, RIGHT}},
        {{R, RIGHT}, REQUEST_NEXT, {L, R, TAB, RIGHT}},
        {{L, LEFT}, REQUEST_PREVIOUS, {L, TAB, RIGHT, L, LEFT}},
        {{R, LEFT}, REQUEST_PREVIOUS, {L, R, TAB, RIGHT, L, R, LEFT}},
        // Tab wins over Left.
        {{L, TAB, LEFT}, REQUEST_NEXT, {L, TAB}},
        {{L}, REQUEST_NONE, {L, TAB, RIGHT, L, LEFT}},
        // The arrows alone, or Tab alone, ask for nothing.
        {{TAB, RIGHT, LEFT}, REQUEST_NONE, {L, R, L, R}},
    };
    for (const Case& c : cases) {
        Keyboard keyboard{c.down, {}};
        EXPECT_EQ(c.expected, PollRequest(Read, &keyboard));
        EXPECT_EQ(c.readings, keyboard.readings);
    }
}

}  // namespace
}  // namespace keywatch
