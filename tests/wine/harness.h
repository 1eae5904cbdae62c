// The end-to-end driver's view of the real programs under Wine: a fresh
// directory per case, a started program, its windows and message boxes, and
// the files it wrote.
#pragma once

#include <windows.h>

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

}  // namespace harness
