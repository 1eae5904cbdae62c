// keywatch.exe under Wine: the keys pressed on the virtual screen become
// switch requests for a running moritelda; without moritelda it says so and
// ends; a second copy ends at once.
#include <gtest/gtest.h>

#include "harness.h"

using namespace harness;

namespace {

// moritelda with no hotkeys of its own, so that every switch seen comes
// from keywatch.
const char NO_HOTKEYS[] = "SetSkin 3,0\r\nHKCHG=0,0,0,0\r\nHKNEXT=0,0,0,0\r\nHKPREV=0,0,0,0\r\n";

// keywatch samples the keys every 16 ms, so the arrow is held long enough to
// be seen, as a person's press is.
bool Press(const std::string& arrow) {
    return RunHostCommand("xdotool keydown super sleep 0.1 keydown " + arrow + " sleep 0.3 keyup " + arrow +
                          " keyup super");
}

void Activate(HWND window) {
    // Keys reach Wine only while the X focus is on one of its windows.
    SwitchToThisWindow(window, TRUE);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
}

TEST(Keywatch, TurnsWindowsRightAndLeftIntoSwitchRequests) {
    CaseDir dir("keywatch");
    dir.AddProgram("moritelda.exe");
    dir.AddProgram("keywatch.exe");
    dir.Write("moritelda.ini", NO_HOTKEYS);
    Program app(dir.File("moritelda.exe"));
    ASSERT_TRUE(WaitForWindow(app.ProcessId(), "moritelda_keycom", nullptr, WAIT_MS, false));
    Program watcher(dir.File("keywatch.exe"));
    ASSERT_TRUE(watcher.Started());
    TaskWindows task({"Watched task"});
    ASSERT_TRUE(task.AllFound());
    Activate(task[0]);

    ASSERT_TRUE(Press("Right"));
    EXPECT_TRUE(WaitUntil([&] { return !StateOf(task[0]).visible; }, 3000)) << "Windows+Right";
    ASSERT_TRUE(Press("Left"));
    EXPECT_TRUE(WaitUntil([&] { return StateOf(task[0]).visible; }, 3000)) << "Windows+Left";

    // A second copy ends at once and says nothing; the first goes on.
    Program second(dir.File("keywatch.exe"));
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_TRUE(watcher.Running());

    // Once moritelda is gone, the next combination ends keywatch with its
    // message.
    ASSERT_TRUE(app.PostQuit());
    ASSERT_EQ(0u, app.WaitForExit());
    EXPECT_TRUE(watcher.Running());
    Activate(task[0]);
    ASSERT_TRUE(Press("Right"));
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(watcher.ProcessId(), box));
    EXPECT_EQ(Cp932("本体のウインドウが見つからないので終了します。"), box.text);
    AnswerMessageBox(box);
    EXPECT_EQ(0u, watcher.WaitForExit());
}

}  // namespace
