#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "storage_test_support.h"

namespace moritelda {
namespace {

using storagetest::StorageWindows;
using storagetest::TempDir;

const std::string EXAMPLE_FILE =
    "SetSkin 2,0\r\nStart=3\r\nHKCHG=0,0,0,0\r\nHKNEXT=2087,1,8,0\r\nHKPREV=2085,1,8,0\r\n";

// The whole record in the file's words, so that a failed comparison names the
// field; the file's bytes themselves are checked on their own below.
std::string Fields(const Settings& settings) { return FormatSettings(settings); }

// A record whose every field differs from what a load or the defaults set.
Settings Stale() {
    Settings settings;
    settings.displayType = 77;
    settings.skinParam = 77;
    settings.startMode = 77;
    settings.hkChange = settings.hkNext = settings.hkPrev = HotkeySetting{77, 77, 77, 77};
    return settings;
}

class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.Ok()); }
    std::string Ini() const { return dir.File("moritelda.ini"); }
    TempDir dir;
};

TEST_F(SettingsFiles, LoadReadsEachKeyOverFreshValues) {
    struct Case {
        const char* name;
        std::string content;
        Settings expected;
    };
    const std::vector<Case> cases = {
        {"written file", EXAMPLE_FILE, {2, 0, 3, {0, 0, 0, 0}, {2087, 1, 8, 0}, {2085, 1, 8, 0}}},
        {"keys in any case and order", "hkprev=5,0,1,2\r\nsETsKIN 3,0\r\nSTART=1\r\n",
         {3, 0, 1, {}, {}, {5, 0, 1, 2}}},
        {"odd spacing: values end only at commas", "  SetSkin\t4 , 7\r\nStart = 2\r\n", {4, 7, 0, {}, {}, {}}},
        {"hotkey fields are cut to 16 bits", "HKNEXT=" + std::to_string(2087 + 65536) + ",65537,8,65535\r\n",
         {-1, 0, 77, {}, {2087, 1, 8, 65535}, {}}},
        {"missing hotkey values read as 0", "HKCHG=5,1\r\nHKNEXT=\r\n", {-1, 0, 77, {5, 1, 0, 0}, {}, {}}},
        {"the last of two lines wins", "SetSkin 1,0\r\nSetSkin 5,2\r\n", {5, 2, 77, {}, {}, {}}},
        {"unknown keys change nothing", "Skin 4,4\r\nStartup=1\r\n", {-1, 0, 77, {}, {}, {}}},
    };
    for (const Case& c : cases) {
        dir.Write("moritelda.ini", c.content);
        Settings settings = Stale();
        EXPECT_EQ(LoadSettings(settings, Ini().c_str()), 1) << c.name;
        EXPECT_EQ(Fields(settings), Fields(c.expected)) << c.name;
    }
}

TEST_F(SettingsFiles, MissingFileLeavesTheResetValuesAndStartMode) {
    Settings settings = Stale();
    EXPECT_EQ(LoadSettings(settings, Ini().c_str()), 0);
    EXPECT_EQ(Fields(settings), Fields(Settings{-1, 0, 77, {}, {}, {}}));
}

TEST_F(SettingsFiles, FirstRunDefaultsOnlyWithoutADisplayType) {
    struct Case {
        const char* name;
        const char* content;  // null: no settings file
        bool firstRun;
        Settings expected;
    };
    const HotkeySetting next{2087, 1, 8, 0};
    const HotkeySetting prev{2085, 1, 8, 0};
    const std::vector<Case> cases = {
        {"no file", nullptr, true, {-1, 0, 0, {}, next, prev}},
        {"no SetSkin line", "Start=2\r\n", true, {-1, 0, 2, {}, next, prev}},
        {"display type 0 keeps start mode, skin value and spare fields",
         "SetSkin 0,5\r\nStart=2\r\nHKCHG=65,1,2,3\r\nHKNEXT=1,0,0,9\r\n", true,
         {0, 5, 2, {0, 0, 0, 3}, {2087, 1, 8, 9}, prev}},
        {"negative display type", "SetSkin -3,0\r\n", true, {-3, 0, 0, {}, next, prev}},
        {"display type 6 is no first run", "SetSkin 6,0\r\nHKNEXT=65,0,2,0\r\n", false,
         {6, 0, 0, {}, {65, 0, 2, 0}, {}}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Ini());
        if (c.content != nullptr) dir.Write("moritelda.ini", c.content);
        SettingsState state;
        StorageWindows windows;
        windows.texts[139] = "[\x90\xdd\x92\xe8]\x82\xf0\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2";
        LoadSettings(state.settings, Ini().c_str());
        ApplyFirstRunDefaults(state, windows);

        EXPECT_EQ(state.firstRun, c.firstRun ? 1 : 0) << c.name;
        EXPECT_EQ(Fields(state.settings), Fields(c.expected)) << c.name;
        if (c.firstRun) {
            ASSERT_EQ(windows.boxes.size(), 1u) << c.name;
            EXPECT_EQ(windows.boxes[0].owner, NO_WINDOW);
            EXPECT_EQ(windows.boxes[0].text, windows.texts[139]);
            EXPECT_EQ(windows.boxes[0].caption, "Message");
            EXPECT_EQ(windows.boxes[0].style, BOX_OK | BOX_ICONINFORMATION);
        } else {
            EXPECT_TRUE(windows.boxes.empty()) << c.name;
        }
    }
}

TEST_F(SettingsFiles, FirstRunThenChosenDisplayTypeWritesTheFiveExampleLines) {
    SettingsState state;
    StorageWindows windows;
    LoadSettings(state.settings, Ini().c_str());
    ApplyFirstRunDefaults(state, windows);
    state.settings.displayType = 2;
    state.settings.skinParam = 0;
    state.settings.startMode = 3;
    // A longer old file must not leave its tail behind.
    dir.Write("moritelda.ini", std::string(400, 'x'));

    ASSERT_TRUE(SaveSettings(state.settings, Ini().c_str()));
    EXPECT_EQ(dir.Read("moritelda.ini"), EXAMPLE_FILE);

    Settings reread;
    ASSERT_EQ(LoadSettings(reread, Ini().c_str()), 1);
    EXPECT_EQ(FormatSettings(reread), EXAMPLE_FILE);
}

TEST(SettingsFormat, SignedWideFieldsAndUnsignedNarrowOnes) {
    const Settings settings{INT32_MIN, -1, 2147483647, {65535, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 32768}};
    EXPECT_EQ(FormatSettings(settings),
              "SetSkin -2147483648,-1\r\nStart=2147483647\r\nHKCHG=65535,1,2,3\r\n"
              "HKNEXT=4,5,6,7\r\nHKPREV=8,9,10,32768\r\n");
}

TEST_F(SettingsFiles, FailedSaveSaysSoAndLeavesWhatWasThere) {
    Settings settings;
    settings.displayType = 2;

    EXPECT_FALSE(SaveSettings(settings, dir.File("no-such-directory/moritelda.ini").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("no-such-directory")));

    // A directory in the file's place cannot be replaced by a file.
    std::filesystem::create_directory(Ini());
    dir.Write("moritelda.ini/kept", "old");
    EXPECT_FALSE(SaveSettings(settings, Ini().c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(Ini()));
    EXPECT_EQ(dir.Read("moritelda.ini/kept"), "old");
}

TEST_F(SettingsFiles, PositionFileGivesLeftAndTopOrTheDefault) {
    const std::string offScreen("\x7c\xfc\xff\xff\x2c\x01\x00\x00\xb8\xfc\xff\xff\x4a\x01\x00\x00", 16);
    struct Case {
        const char* name;
        const char* content;  // null: no file
        std::size_t length;
        PointRecord expected;
    };
    const Case cases[] = {
        {"no file", nullptr, 0, {DEFAULT_POSITION, DEFAULT_POSITION}},
        {"negative left on a removed monitor", offScreen.data(), 16, {-900, 300}},
        {"left and top alone", offScreen.data(), 8, {-900, 300}},
        {"too short for a top", offScreen.data(), 7, {DEFAULT_POSITION, DEFAULT_POSITION}},
        {"empty", "", 0, {DEFAULT_POSITION, DEFAULT_POSITION}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir.File("defskin2.set"));
        if (c.content != nullptr) dir.Write("defskin2.set", std::string(c.content, c.length));
        const PointRecord position = LoadSwitcherPosition(dir.File("defskin2.set").c_str());
        EXPECT_EQ(position.x, c.expected.x) << c.name;
        EXPECT_EQ(position.y, c.expected.y) << c.name;
    }

    std::filesystem::remove(dir.File("defskin2.set"));
    ASSERT_TRUE(SaveSwitcherPosition(RectRecord{-900, 300, -840, 330}, dir.File("defskin2.set").c_str()));
    EXPECT_EQ(dir.Read("defskin2.set"), offScreen);

    EXPECT_FALSE(SaveSwitcherPosition(RectRecord{1, 2, 3, 4}, dir.File("no-such-directory/defskin2.set").c_str()));
}

}  // namespace
}  // namespace moritelda
