#include "shell/shell_decisions.h"

#include <gtest/gtest.h>

namespace moritelda {
namespace {

TEST(OsKindFromVersion, TellsTheFamiliesApart) {
    struct Case { std::uint32_t platform, major, minor; OsKind expected; };
    const Case cases[] = {
        {2, 5, 0, OsKindOther},  {2, 5, 1, OsKindXp},    {2, 5, 2, OsKindXp},
        {2, 6, 0, OsKindVista},  {2, 6, 1, OsKindVista}, {2, 6, 3, OsKindVista},
        {2, 4, 0, OsKindOther},  {2, 7, 0, OsKindOther}, {2, 10, 0, OsKindOther},
        {1, 5, 1, OsKindOther},  {0, 0, 0, OsKindOther},  // a failed query leaves zeros
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, OsKindFromVersion(c.platform, c.major, c.minor))
            << c.platform << " " << c.major << "." << c.minor;
    }
}

TEST(ProgramDirFromModulePath, TakesTheDirectoryOfTheModule) {
    const std::string longDir = "C:\\" + std::string(300, 'x');
    struct Case { std::string path, expected; };
    const Case cases[] = {
        {"D:\\Tools\\VD\\moritelda.exe", "D:\\Tools\\VD"},
        {"D:\\Program Files\\VD\\moritelda.exe", "D:\\Program Files\\VD"},
        {"C:\\moritelda.exe", "C:"},
        {"\\\\server\\share\\vd\\moritelda.exe", "\\\\server\\share\\vd"},
        {longDir + "\\moritelda.exe", longDir},
        {"moritelda.exe", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, ProgramDirFromModulePath(c.path)) << c.path;
}

TEST(TargetDesktop, WrapsAroundTheFourDesktops) {
    struct Case { std::int32_t current; Direction direction; std::int32_t expected; };
    const Case cases[] = {
        {1, Direction::Next, 2},     {3, Direction::Next, 4},     {4, Direction::Next, 1},
        {1, Direction::Previous, 4}, {2, Direction::Previous, 1}, {4, Direction::Previous, 3},
        {3, Direction::Current, 3},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, TargetDesktop(c.current, c.direction));
}

TEST(ChangeRequests, DirectionOfMessageAndHotkeys) {
    EXPECT_EQ(Direction::Next, ChangeMessageDirection(-1));
    EXPECT_EQ(Direction::Previous, ChangeMessageDirection(-2));
    for (std::intptr_t other : {0, 1, 3, 99, -3}) EXPECT_EQ(Direction::Current, ChangeMessageDirection(other));
    EXPECT_EQ(Direction::Next, HotkeyDirection(HOTKEY_ID_CHANGE));
    EXPECT_EQ(Direction::Next, HotkeyDirection(HOTKEY_ID_NEXT));
    EXPECT_EQ(Direction::Previous, HotkeyDirection(HOTKEY_ID_PREV));
}

TEST(HotkeyModifiers, MapsControlFlagsAndWindowsKey) {
    struct Case { std::uint16_t code, winKey, expected; };
    const Case cases[] = {
        {0x0641, 0, 3},   // Ctrl+Alt
        {0x0141, 1, 12},  // Shift with the Windows key
        {0x0827, 1, 8},   // the extended-key flag is no modifier
        {0x0741, 0x100, 15},
        {0x0000, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, HotkeyModifiers(c.code, c.winKey)) << std::hex << c.code;
}

}  // namespace
}  // namespace moritelda
