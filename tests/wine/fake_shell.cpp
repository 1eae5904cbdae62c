// A stand-in for the taskbar of the shells of Windows 2000, XP and Vista,
// which cannot run here. It builds the window chain those shells have:
//   "Shell_TrayWnd" (title "") > "ReBarWindow32" > "MSTaskSwWClass" >
//   a common-controls "ToolbarWindow32" (XP, Vista) or "SysTabControl32"
//   (Windows 2000, with the argument "tabs"), and a Start "Button".
// It keeps one button per visible, unowned, non-tool top-level window, as the
// real taskbar does. A toolbar button's data points into this process's
// memory, whose first value is the window handle; a tab's item data is the
// handle itself. The active window's button is checked, its tab highlighted.
// The list is brought up to date each time someone asks for its count, so a
// reader always sees the windows as they are at that moment.
//
// Wine's own taskbar is pushed to the bottom and this one is topmost, so that
// a search for "Shell_TrayWnd" finds this one first.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

bool tabMode = false;
HWND tray = nullptr;
HWND control = nullptr;
WNDPROC originalControlProc = nullptr;
// Per button, the memory that its data points to: the window handle first.
std::vector<std::unique_ptr<HWND>> buttonData;

bool ShowsOnTaskbar(HWND window) {
    if (!IsWindowVisible(window)) return false;
    if (GetWindow(window, GW_OWNER) != nullptr) return false;
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_TOOLWINDOW) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return false;
    char title[8];
    return GetWindowTextA(window, title, sizeof title) > 0;
}

BOOL CALLBACK CollectTask(HWND window, LPARAM context) {
    if (ShowsOnTaskbar(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

// Buttons in a stable order: the order of the window handles.
std::vector<HWND> CurrentTasks() {
    std::vector<HWND> tasks;
    EnumWindows(CollectTask, reinterpret_cast<LPARAM>(&tasks));
    for (std::size_t i = 1; i < tasks.size(); ++i)
        for (std::size_t j = i; j > 0 && tasks[j] < tasks[j - 1]; --j) std::swap(tasks[j], tasks[j - 1]);
    return tasks;
}

void RebuildToolbar(const std::vector<HWND>& tasks, HWND active) {
    while (CallWindowProcA(originalControlProc, control, TB_BUTTONCOUNT, 0, 0) > 0)
        CallWindowProcA(originalControlProc, control, TB_DELETEBUTTON, 0, 0);
    buttonData.clear();
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        buttonData.push_back(std::unique_ptr<HWND>(new HWND(tasks[i])));
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = static_cast<int>(100 + i);
        button.fsState = TBSTATE_ENABLED | (tasks[i] == active ? TBSTATE_CHECKED : 0);
        button.fsStyle = BTNS_CHECKGROUP;
        button.dwData = reinterpret_cast<DWORD_PTR>(buttonData.back().get());
        button.iString = -1;
        CallWindowProcA(originalControlProc, control, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
}

void RebuildTabs(const std::vector<HWND>& tasks, HWND active) {
    CallWindowProcA(originalControlProc, control, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM | TCIF_TEXT;
        char text[] = "task";
        item.pszText = text;
        item.lParam = reinterpret_cast<LPARAM>(tasks[i]);
        CallWindowProcA(originalControlProc, control, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        if (tasks[i] == active)
            CallWindowProcA(originalControlProc, control, TCM_HIGHLIGHTITEM, i, MAKELPARAM(TRUE, 0));
    }
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TB_BUTTONCOUNT || message == TCM_GETITEMCOUNT) {
        const std::vector<HWND> tasks = CurrentTasks();
        const HWND active = GetForegroundWindow();
        if (tabMode) RebuildTabs(tasks, active);
        else RebuildToolbar(tasks, active);
    }
    return CallWindowProcA(originalControlProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && window == tray) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeContainer(const char* className, HWND parent, DWORD exStyle, DWORD style, int x, int y, int w, int h) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ContainerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, "", style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    tabMode = std::strstr(commandLine, "tabs") != nullptr;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);

    const HWND wineTray = FindWindowA("Shell_TrayWnd", nullptr);
    if (wineTray != nullptr)
        SetWindowPos(wineTray, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    tray = MakeContainer("Shell_TrayWnd", nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 0,
                         height - 60, width, 60);
    CreateWindowExA(0, "Button", "start", WS_CHILD | WS_VISIBLE, 2, 4, 58, 20, tray, nullptr,
                    GetModuleHandleA(nullptr), nullptr);
    const HWND rebar = CreateWindowExA(0, REBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE, 64, 0,
                                       width - 64, 60, tray, nullptr, GetModuleHandleA(nullptr), nullptr);
    const HWND tasks = MakeContainer("MSTaskSwWClass", rebar, 0, WS_CHILD | WS_VISIBLE, 0, 0, width - 64, 60);
    control = CreateWindowExA(0, tabMode ? WC_TABCONTROLA : TOOLBARCLASSNAMEA, "",
                              WS_CHILD | WS_VISIBLE | (tabMode ? TCS_BUTTONS : (TBSTYLE_LIST | CCS_NORESIZE)), 0, 0,
                              width - 64, 60, tasks, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tabMode) SendMessageA(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    originalControlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
