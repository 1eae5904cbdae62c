#include "shell/app.h"

#include "shell/shell_decisions.h"

namespace moritelda {

namespace {

const char CHANGE_REQUEST_CLASS[] = "moritelda_keycom";

void HandleChangeRequest(App& app, Direction direction) {
    app.engine.SwitchDesktop(TargetDesktop(app.desktop.currentDesktop, direction));
    // The switcher shows the outcome, also when the switch was refused.
    const HWND switcher = reinterpret_cast<HWND>(app.links.switcherWindow);
    if (switcher == nullptr) return;
    InvalidateRect(switcher, nullptr, TRUE);
    SendMessageA(switcher, WM_DESKTOP_CHANGED, 0, app.desktop.currentDesktop);
}

LRESULT CALLBACK ChangeRequestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    App* const app = reinterpret_cast<App*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (app != nullptr) {
        if (message == app->changeMessage && message != 0) {
            HandleChangeRequest(*app, ChangeMessageDirection(lParam));
            return 0;
        }
        if (message == WM_HOTKEY) {
            HandleChangeRequest(*app, HotkeyDirection(static_cast<int>(wParam)));
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOneHotkey(HWND window, int id, const HotkeySetting& setting) {
    RegisterHotKey(window, id, setting.modifiers, setting.hotkeyCode & 0xFF);
}

}  // namespace

void CreateChangeRequestWindow(App& app) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = ChangeRequestProc;
    windowClass.hInstance = app.instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = CHANGE_REQUEST_CLASS;
    RegisterClassA(&windowClass);

    // An ordinary top-level window, never shown: keywatch finds it by class.
    app.changeRequestWindow = CreateWindowExA(0, CHANGE_REQUEST_CLASS, CHANGE_REQUEST_CLASS, 0, 5, 5, 0, 0,
                                              nullptr, nullptr, app.instance, nullptr);
    SetWindowLongPtrA(app.changeRequestWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&app));
    app.changeMessage = RegisterWindowMessageA("WM_MORITELDA_CHANGE");
    RegisterHotkeys(app);
}

void RegisterHotkeys(App& app) {
    const HWND window = app.changeRequestWindow;
    UnregisterHotKey(window, HOTKEY_ID_CHANGE);
    UnregisterHotKey(window, HOTKEY_ID_NEXT);
    UnregisterHotKey(window, HOTKEY_ID_PREV);
    const Settings& settings = app.settings.settings;
    RegisterOneHotkey(window, HOTKEY_ID_CHANGE, settings.hkChange);
    RegisterOneHotkey(window, HOTKEY_ID_NEXT, settings.hkNext);
    RegisterOneHotkey(window, HOTKEY_ID_PREV, settings.hkPrev);
}

}  // namespace moritelda
