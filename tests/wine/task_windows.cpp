// Stand-in tasks for the engine's Windows-side tests: top-level windows of
// another process, which the engine must hide, show, minimize, maximize and
// restack as it would the user's applications.
//
//   task_windows.exe TITLE...
//
// Each argument makes one window with that title, of class
// "MoriteldaTaskWindow". A title prefixed with "tool:" makes a tool window,
// with "owned:" a window owned by the first window, with "noactivate:" a window
// that refuses activation; the prefix is not part of the title. With
// "version:" the title is the rest followed by the Windows version that this
// process is told, e.g. "seen as 5.0": a copy of this program under another
// name shows what Wine reports to that name. Tests find the windows by
// process and title. The program runs until it is ended.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char CLASS_NAME[] = "MoriteldaTaskWindow";

bool TakePrefix(const char*& title, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    if (std::strncmp(title, prefix, length) != 0) return false;
    title += length;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassA(&windowClass);

    HWND first = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* title = argv[i];
        DWORD exStyle = 0;
        HWND owner = nullptr;
        char versionTitle[300];
        if (TakePrefix(title, "tool:")) exStyle = WS_EX_TOOLWINDOW;
        if (TakePrefix(title, "noactivate:")) exStyle = WS_EX_NOACTIVATE;
        if (TakePrefix(title, "owned:")) owner = first;
        if (TakePrefix(title, "version:")) {
            const DWORD version = GetVersion();
            std::snprintf(versionTitle, sizeof versionTitle, "%.250s%lu.%lu", title,
                          static_cast<unsigned long>(LOBYTE(LOWORD(version))),
                          static_cast<unsigned long>(HIBYTE(LOWORD(version))));
            title = versionTitle;
        }
        // Cascaded, and kept on the screen however many windows there are.
        const int offset = 40 * (i % 12);
        const HWND window = CreateWindowExA(exStyle, CLASS_NAME, title, WS_OVERLAPPEDWINDOW, 100 + offset, 80 + offset,
                                            400, 300, owner, nullptr, instance, nullptr);
        if (!first) first = window;
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
