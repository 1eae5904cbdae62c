// The end-to-end driver's view of the real programs under Wine: a fresh
// directory per case, a started program, its windows and message boxes, and
// the files it wrote.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace harness {

// How long a case waits for something the program should do at once.
constexpr DWORD WAIT_MS = 15000;

// The bytes of a UTF-8 text in code page 932, as the program's ANSI texts
// read under the Japanese locale.
std::string Cp932(const char* utf8);

// The directory of the running test executable (where the built programs are).
std::string BuildDir();

// A fresh temporary directory holding a copy of moritelda.exe and the files a
// case needs; removed with everything in it at the end of the case.
class CaseDir {
public:
    explicit CaseDir(const std::string& nameHint = "case");
    ~CaseDir();
    CaseDir(const CaseDir&) = delete;
    CaseDir& operator=(const CaseDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; false when it does not exist.
    bool Read(const std::string& name, std::string& bytes) const;
    bool Exists(const std::string& name) const;
    // Copies a built program (e.g. "moritelda.exe") into the directory.
    void AddProgram(const std::string& exeName) const;

private:
    std::string path_;
};

// A program started in its own process; ended by its process id at the end of
// the case if it is still running.
class Program {
public:
    // Starts exePath from startDir (a directory other than the program's own,
    // so that the program must find its own directory). The command line is
    // the quoted path and the arguments, or, with unquoted, the bare path as a
    // shortcut without quotes would give it.
    Program(const std::string& exePath, const std::string& arguments = "", const std::string& startDir = "",
            bool unquoted = false);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }
    DWORD ThreadId() const { return threadId_; }
    HANDLE Handle() const { return process_; }
    // The exit code, or STILL_ACTIVE when it did not end within the wait.
    DWORD WaitForExit(DWORD timeoutMs = WAIT_MS);
    bool Running() const;
    // Ends the message loop the way the program's own quit commands do.
    bool PostQuit();
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// The first visible top-level window of the process with that class (and
// title, unless null), waiting for it up to timeoutMs. Null when none came.
HWND WaitForWindow(DWORD processId, const char* className, const char* title = nullptr,
                   DWORD timeoutMs = WAIT_MS, bool mustBeVisible = true);
std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className = nullptr);

struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;  // ANSI bytes
    std::string text;     // ANSI bytes
};

// Waits for a message box (class "#32770") of the process and reads it.
bool WaitForMessageBox(DWORD processId, MessageBoxView& box, DWORD timeoutMs = WAIT_MS);
// Presses the box's button with that command identifier (IDOK by default).
void AnswerMessageBox(const MessageBoxView& box, int command = IDOK);
// True when the process shows no message box for the whole wait.
bool NoMessageBoxFor(DWORD processId, DWORD waitMs);

std::string WindowTextA(HWND window);
std::string ClassNameA(HWND window);

// Polls the condition every 20 ms; true as soon as it holds, false when it
// still does not after timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = WAIT_MS);

// The windows of one task_windows.exe, started with these arguments (titles,
// optionally with its prefixes such as "tool:"), in argument order.
class TaskWindows {
public:
    explicit TaskWindows(const std::vector<std::string>& arguments);
    // True when every window came up within the wait.
    bool AllFound() const;
    HWND operator[](std::size_t i) const { return windows_[i]; }
    const std::vector<HWND>& All() const { return windows_; }

private:
    // The title that an argument gives its window.
    static std::string TitleOf(const std::string& argument);

    std::unique_ptr<Program> program_;
    std::vector<HWND> windows_;
};

// What the user sees of a window.
struct WindowState {
    bool exists = false;
    bool visible = false;
    bool iconic = false;
    bool zoomed = false;
    bool topmost = false;
};
WindowState StateOf(HWND window);
// The given windows in their stacking order, top first, as EnumWindows
// delivers them; windows that no longer exist are left out.
std::vector<HWND> StackingOrder(const std::vector<HWND>& windows);
// A readable list of window titles, for failure messages.
std::string Titles(const std::vector<HWND>& windows);

// The registered change message ("WM_MORITELDA_CHANGE") to the change-request
// window of the process. Send returns once the request has been handled, or
// false when it was not handled within the wait; Post returns at once.
bool SendChange(DWORD processId, LPARAM lParam, DWORD timeoutMs = WAIT_MS);
bool PostChange(DWORD processId, LPARAM lParam);

// Runs a command line of the Linux host through /bin/sh (Wine starts Unix
// programs, but gives no handle to wait on), and waits until it has ended.
// The command must not contain double quotes. False when it did not end
// within the wait.
bool RunHostCommand(const std::string& shellCommand, DWORD timeoutMs = WAIT_MS);

}  // namespace harness
