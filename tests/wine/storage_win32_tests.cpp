// The program's own storage code on the Windows file system, under Wine: the
// files it writes, byte for byte, and a write that cannot be done.
#include <gtest/gtest.h>

#include "harness.h"
#include "platform/fake_window_system.h"
#include "storage/rules.h"
#include "storage/settings.h"

using namespace harness;
using namespace moritelda;

namespace {

// Runs the case inside its own fresh directory, as the program runs in its own.
struct InCaseDir : ::testing::Test {
    InCaseDir() {
        char previous[MAX_PATH];
        GetCurrentDirectoryA(sizeof previous, previous);
        before = previous;
        SetCurrentDirectoryA(dir.Path().c_str());
    }
    ~InCaseDir() override { SetCurrentDirectoryA(before.c_str()); }
    CaseDir dir{"storage"};
    std::string before;
};

TEST_F(InCaseDir, FirstRunThenChosenTypeWritesTheFiveLines) {
    SettingsState state;
    FakeWindowSystem windows;
    EXPECT_EQ(0, LoadSettings(state.settings));
    ApplyFirstRunDefaults(state, windows);
    ASSERT_EQ(1u, windows.messageBoxes.size());
    EXPECT_EQ("Message", windows.messageBoxes[0].caption);

    // What the display page stores when the user picks the floating switcher
    // and no automatic start.
    state.settings.displayType = 2;
    state.settings.skinParam = 0;
    state.settings.startMode = 3;
    ASSERT_TRUE(SaveSettings(state.settings));

    std::string bytes;
    ASSERT_TRUE(dir.Read("moritelda.ini", bytes));
    EXPECT_EQ("SetSkin 2,0\r\nStart=3\r\nHKCHG=0,0,0,0\r\nHKNEXT=2087,1,8,0\r\nHKPREV=2085,1,8,0\r\n", bytes);
    EXPECT_FALSE(dir.Exists("moritelda.ini.new"));

    Settings again;
    EXPECT_EQ(1, LoadSettings(again));
    EXPECT_EQ(2, again.displayType);
    EXPECT_EQ(2087, again.hkNext.hotkeyCode);
}

TEST_F(InCaseDir, AFailedSaveIsReportedAndKeepsTheOldFile) {
    dir.Write("moritelda.ini", "SetSkin 3,0\r\n");
    // Another program holds the file open without sharing it.
    const HANDLE lock = CreateFileA(dir.File("moritelda.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    Settings settings;
    settings.displayType = 2;
    EXPECT_FALSE(SaveSettings(settings));
    CloseHandle(lock);
    EXPECT_FALSE(dir.Exists("moritelda.ini.new"));
    std::string bytes;
    ASSERT_TRUE(dir.Read("moritelda.ini", bytes));
    EXPECT_EQ("SetSkin 3,0\r\n", bytes);
}

TEST_F(InCaseDir, RulesAndPositionRoundTrip) {
    RuleTable rules;
    AddRule(rules, "Report plan", 'T', 6, 2);
    AddRule(rules, "a, b", 'T', 2, 2);
    AddRule(rules, "ExampleFrame", 'C', RULE_IGNORE, 1);
    ASSERT_TRUE(SaveRules(rules));
    std::string bytes;
    ASSERT_TRUE(dir.Read("wndrule.ini", bytes));
    EXPECT_EQ("AddTitle Report plan,6,2\r\nAddTitle a, b,2,2\r\nAddClass ExampleFrame,-1,1\r\n", bytes);
    RuleTable again;
    LoadRules(again);
    ASSERT_EQ(3, again.ruleCount);
    EXPECT_EQ("a, b", again.slots[1].pattern);
    EXPECT_EQ(2, again.slots[1].mask);

    ASSERT_TRUE(SaveSwitcherPosition(RectRecord{-900, 300, -840, 330}));
    ASSERT_TRUE(dir.Read("defskin2.set", bytes));
    EXPECT_EQ(16u, bytes.size());
    const PointRecord position = LoadSwitcherPosition();
    EXPECT_EQ(-900, position.x);
    EXPECT_EQ(300, position.y);
}

}  // namespace
