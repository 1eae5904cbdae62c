// moritelda.exe under Wine: start-up, single instance, the settings it reads,
// and the end of a run through the quit message.
#include <gtest/gtest.h>

#include "harness.h"

using namespace harness;

namespace {

const char SETTINGS[] = "moritelda.ini";

// Starts moritelda.exe from the case directory and waits until its message
// loop runs (its change-request window exists).
struct Running {
    explicit Running(const CaseDir& dir, bool unquoted = false)
        : program(dir.File("moritelda.exe"), "", "", unquoted) {}
    bool ReachedLoop() { return WaitForWindow(program.ProcessId(), "moritelda_keycom", nullptr, WAIT_MS, false); }
    DWORD Quit() {
        EXPECT_TRUE(program.PostQuit());
        return program.WaitForExit();
    }
    Program program;
};

// True when the program holds the combination as a global hotkey: nobody
// else can register it then.
bool HotkeyTaken(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0x2BAD, modifiers, key)) return true;
    UnregisterHotKey(nullptr, 0x2BAD);
    return false;
}

TEST(Startup, FirstRunShowsTheSettingsNoticeAndRegistersTheDefaultHotkeys) {
    CaseDir dir("first run");
    dir.AddProgram("moritelda.exe");
    Running app(dir);

    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(app.program.ProcessId(), box));
    EXPECT_EQ("Message", box.caption);
    EXPECT_EQ(Cp932("[設定]をしてください"), box.text);
    AnswerMessageBox(box);

    ASSERT_TRUE(app.ReachedLoop());
    EXPECT_TRUE(HotkeyTaken(MOD_WIN, VK_RIGHT));
    EXPECT_TRUE(HotkeyTaken(MOD_WIN, VK_LEFT));
    EXPECT_TRUE(NoMessageBoxFor(app.program.ProcessId(), 300));

    EXPECT_EQ(0u, app.Quit());
    // Nothing is written until the user applies a setting.
    EXPECT_FALSE(dir.Exists(SETTINGS));
    std::string rules;
    ASSERT_TRUE(dir.Read("wndrule.ini", rules));
    EXPECT_EQ("", rules);
}

TEST(Startup, SecondCopyIsRefusedAndTheFirstGoesOn) {
    CaseDir dir("single");
    dir.AddProgram("moritelda.exe");
    dir.Write(SETTINGS, "SetSkin 6,0\r\n");
    Running first(dir);
    ASSERT_TRUE(first.ReachedLoop());

    Program second(dir.File("moritelda.exe"));
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(second.ProcessId(), box));
    EXPECT_EQ(Cp932("すでに実行されています。"), box.text);
    AnswerMessageBox(box);
    EXPECT_EQ(0u, second.WaitForExit());

    EXPECT_TRUE(first.program.Running());
    EXPECT_EQ(0u, first.Quit());
}

TEST(Startup, ReadsKeysInAnyLetterCaseWithOddSpacing) {
    CaseDir dir("spelling");
    dir.AddProgram("moritelda.exe");
    // Ctrl+Alt+F9 as the next-desktop hotkey (control flags 6, modifiers 3).
    dir.Write(SETTINGS,
              "  sETsKIN 3,0\r\n"
              "Start = 2\r\n"
              "\r\n"
              "\thknext\t1656,0,3,0\r\n"
              "HKPREV=1655,0,3,0");
    Running app(dir);
    ASSERT_TRUE(app.ReachedLoop());
    // A display type was chosen: no first-run notice and no default hotkeys.
    EXPECT_TRUE(NoMessageBoxFor(app.program.ProcessId(), 500));
    EXPECT_FALSE(HotkeyTaken(MOD_WIN, VK_RIGHT));
    EXPECT_TRUE(HotkeyTaken(MOD_ALT | MOD_CONTROL, VK_F9));
    EXPECT_TRUE(HotkeyTaken(MOD_ALT | MOD_CONTROL, VK_F8));
    EXPECT_EQ(0u, app.Quit());
    // Reading never rewrites the file.
    std::string settings;
    ASSERT_TRUE(dir.Read(SETTINGS, settings));
    EXPECT_EQ(0u, settings.find("  sETsKIN 3,0"));
}

TEST(Startup, FindsItsSettingsInADirectoryWithBlanksFromAnUnquotedCommandLine) {
    CaseDir dir("Program Files");
    ASSERT_NE(std::string::npos, dir.Path().find(' '));
    dir.AddProgram("moritelda.exe");
    dir.Write(SETTINGS, "SetSkin 6,0\r\n");
    Running app(dir, /*unquoted=*/true);
    ASSERT_TRUE(app.ReachedLoop());
    EXPECT_TRUE(NoMessageBoxFor(app.program.ProcessId(), 500));
    EXPECT_EQ(0u, app.Quit());
    // The rule file lands in the program's directory, not where it was started.
    EXPECT_TRUE(dir.Exists("wndrule.ini"));
}

TEST(Startup, FindsItsSettingsWhenItsCommandLineIsLongerThan255Bytes) {
    // A program path of 258 bytes, the longest a directory allows, quoted on
    // a command line of 260 bytes.
    CaseDir base("long");
    std::string path = base.Path() + "\\";
    path += std::string(244 - path.size(), 'd');
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    const std::string exe = path + "\\moritelda.exe";
    ASSERT_EQ(258u, exe.size());
    ASSERT_TRUE(CopyFileA((BuildDir() + "\\moritelda.exe").c_str(), exe.c_str(), FALSE));
    {
        const HANDLE file = CreateFileA((path + "\\moritelda.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, "SetSkin 6,0\r\n", 13, &written, nullptr);
        CloseHandle(file);
    }
    Program program(exe);
    ASSERT_TRUE(WaitForWindow(program.ProcessId(), "moritelda_keycom", nullptr, WAIT_MS, false));
    EXPECT_TRUE(NoMessageBoxFor(program.ProcessId(), 500));
    ASSERT_TRUE(program.PostQuit());
    EXPECT_EQ(0u, program.WaitForExit());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + "\\wndrule.ini").c_str()));
}

TEST(Startup, AnUnservedDisplayTypeIsNoFirstRun) {
    CaseDir dir("type six");
    dir.AddProgram("moritelda.exe");
    dir.Write(SETTINGS, "SetSkin 6,0\r\nHKNEXT=0,0,0,0\r\n");
    Running app(dir);
    ASSERT_TRUE(app.ReachedLoop());
    EXPECT_TRUE(NoMessageBoxFor(app.program.ProcessId(), 500));
    EXPECT_FALSE(HotkeyTaken(MOD_WIN, VK_RIGHT));
    EXPECT_EQ(0u, app.Quit());
}

}  // namespace
