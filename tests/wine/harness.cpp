#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace harness {

std::string Cp932(const char* utf8) {
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], wideLength);
    const int length = WideCharToMultiByte(932, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(932, 0, wide.c_str(), -1, &bytes[0], length, nullptr, nullptr);
    bytes.resize(length > 0 ? length - 1 : 0);
    return bytes;
}

std::string BuildDir() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

namespace {

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

CaseDir::CaseDir(const std::string& nameHint) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (;;) {
        char unique[64];
        std::snprintf(unique, sizeof unique, "%lu-%u", GetCurrentProcessId(), ++counter);
        path_ = std::string(temp) + "moritelda " + nameHint + " " + unique;
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

CaseDir::~CaseDir() { RemoveTree(path_); }

void CaseDir::Write(const std::string& name, const std::string& bytes) const {
    const HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool CaseDir::Read(const std::string& name, std::string& bytes) const {
    const HANDLE file = CreateFileA(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return true;
}

bool CaseDir::Exists(const std::string& name) const {
    return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CaseDir::AddProgram(const std::string& exeName) const {
    CopyFileA((BuildDir() + "\\" + exeName).c_str(), File(exeName).c_str(), FALSE);
}

Program::Program(const std::string& exePath, const std::string& arguments, const std::string& startDir,
                 bool unquoted) {
    std::string commandLine = unquoted ? exePath : "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    const std::string dir = startDir.empty() ? BuildDir() : startDir;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                       &startup, &info)) {
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        threadId_ = info.dwThreadId;
        CloseHandle(info.hThread);
        WaitForInputIdle(process_, 5000);
    }
}

Program::~Program() {
    if (process_ == nullptr) return;
    Kill();
    CloseHandle(process_);
}

DWORD Program::WaitForExit(DWORD timeoutMs) {
    if (process_ == nullptr) return STILL_ACTIVE;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool Program::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Program::PostQuit() { return PostThreadMessageA(threadId_, WM_QUIT, 0, 0) != FALSE; }

void Program::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    bool mustBeVisible;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    if (search.mustBeVisible && !IsWindowVisible(window)) return TRUE;
    if (search.className != nullptr && ClassNameA(window) != search.className) return TRUE;
    if (search.title != nullptr && WindowTextA(window) != search.title) return TRUE;
    search.found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className) {
    WindowSearch search{processId, className, nullptr, false, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs,
                   bool mustBeVisible) {
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{processId, className, title, mustBeVisible, {}};
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found.empty()) return search.found.front();
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string WindowTextA(HWND window) {
    char text[1024];
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string ClassNameA(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

namespace {

// The message text is the static control without an icon: the one that holds
// text. Buttons are left aside.
BOOL CALLBACK FindBoxText(HWND child, LPARAM context) {
    std::string& text = *reinterpret_cast<std::string*>(context);
    if (ClassNameA(child) != "Static") return TRUE;
    const std::string candidate = WindowTextA(child);
    if (!candidate.empty() && text.empty()) text = candidate;
    return TRUE;
}

}  // namespace

bool WaitForMessageBox(DWORD processId, MessageBoxView& box, DWORD timeoutMs) {
    box.window = WaitForWindow(processId, "#32770", nullptr, timeoutMs);
    if (box.window == nullptr) return false;
    box.caption = WindowTextA(box.window);
    box.text.clear();
    EnumChildWindows(box.window, FindBoxText, reinterpret_cast<LPARAM>(&box.text));
    return true;
}

void AnswerMessageBox(const MessageBoxView& box, int command) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    const DWORD start = GetTickCount();
    while (IsWindow(box.window) && GetTickCount() - start < WAIT_MS) Sleep(10);
}

bool NoMessageBoxFor(DWORD processId, DWORD waitMs) {
    return WaitForWindow(processId, "#32770", nullptr, waitMs) == nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

std::string TaskWindows::TitleOf(const std::string& argument) {
    const std::size_t colon = argument.find(':');
    return colon == std::string::npos ? argument : argument.substr(colon + 1);
}

TaskWindows::TaskWindows(const std::vector<std::string>& arguments) : windows_(arguments.size(), nullptr) {
    std::string commandLine;
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    program_ = std::make_unique<Program>(BuildDir() + "\\task_windows.exe", commandLine.substr(1));
    if (!program_->Started()) return;
    // One look at the process's windows per round, until every title is there.
    WaitUntil([&] {
        std::map<std::string, std::vector<HWND>> present;
        for (HWND window : WindowsOfProcess(program_->ProcessId(), "MoriteldaTaskWindow")) {
            if (IsWindowVisible(window) && std::find(windows_.begin(), windows_.end(), window) == windows_.end())
                present[WindowTextA(window)].push_back(window);
        }
        bool all = true;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (windows_[i] != nullptr) continue;
            std::vector<HWND>& candidates = present[TitleOf(arguments[i])];
            if (!candidates.empty()) {
                windows_[i] = candidates.front();
                candidates.erase(candidates.begin());
            }
            all = all && windows_[i] != nullptr;
        }
        return all;
    });
}

bool TaskWindows::AllFound() const {
    return program_->Started() && std::find(windows_.begin(), windows_.end(), nullptr) == windows_.end();
}

WindowState StateOf(HWND window) {
    WindowState state;
    state.exists = IsWindow(window) != FALSE;
    if (!state.exists) return state;
    state.visible = IsWindowVisible(window) != FALSE;
    state.iconic = IsIconic(window) != FALSE;
    state.zoomed = IsZoomed(window) != FALSE;
    state.topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return state;
}

namespace {

struct StackingSearch {
    const std::vector<HWND>* wanted;
    std::vector<HWND> order;
};

BOOL CALLBACK CollectInOrder(HWND window, LPARAM context) {
    StackingSearch& search = *reinterpret_cast<StackingSearch*>(context);
    if (std::find(search.wanted->begin(), search.wanted->end(), window) != search.wanted->end())
        search.order.push_back(window);
    return TRUE;
}

HWND ChangeRequestWindow(DWORD processId) {
    return WaitForWindow(processId, "moritelda_keycom", nullptr, WAIT_MS, false);
}

UINT ChangeMessage() { return RegisterWindowMessageA("WM_MORITELDA_CHANGE"); }

}  // namespace

std::vector<HWND> StackingOrder(const std::vector<HWND>& windows) {
    StackingSearch search{&windows, {}};
    EnumWindows(CollectInOrder, reinterpret_cast<LPARAM>(&search));
    return search.order;
}

std::string Titles(const std::vector<HWND>& windows) {
    std::string text;
    for (HWND window : windows) text += (text.empty() ? "" : ", ") + WindowTextA(window);
    return "[" + text + "]";
}

bool SendChange(DWORD processId, LPARAM lParam, DWORD timeoutMs) {
    const HWND window = ChangeRequestWindow(processId);
    if (window == nullptr) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, ChangeMessage(), 0, lParam, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool PostChange(DWORD processId, LPARAM lParam) {
    const HWND window = ChangeRequestWindow(processId);
    return window != nullptr && PostMessageA(window, ChangeMessage(), 0, lParam) != FALSE;
}

bool RunHostCommand(const std::string& shellCommand, DWORD timeoutMs) {
    static unsigned counter = 0;
    char marker[96];
    std::snprintf(marker, sizeof marker, "/tmp/moritelda-host-%lu-%u.done", GetCurrentProcessId(), ++counter);
    // Wine's drive Z: is the host's root directory.
    std::string markerDos = std::string("Z:") + marker;
    std::replace(markerDos.begin(), markerDos.end(), '/', '\\');
    std::string commandLine = "/bin/sh -c \"" + shellCommand + "; touch " + marker + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    if (info.hProcess != nullptr) CloseHandle(info.hProcess);
    if (info.hThread != nullptr) CloseHandle(info.hThread);
    const bool ended =
        WaitUntil([&] { return GetFileAttributesA(markerDos.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
    DeleteFileA(markerDos.c_str());
    return ended;
}

}  // namespace harness
