// keywatch: turns Windows+Tab, Windows+Right and Windows+Left into switch
// requests for a running moritelda. It has no window, no message loop, no
// settings and no files; it ends when moritelda cannot be found at the moment
// a combination is pressed.
#include <windows.h>

#include "keywatch/key_poll.h"

namespace {

constexpr DWORD POLL_MS = 16;
constexpr DWORD PAUSE_AFTER_REQUEST_MS = 300;

bool KeyDown(int virtualKey, void*) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CreateMutexA(nullptr, TRUE, "moriteldakeycom");
    if (GetLastError() == ERROR_ALREADY_EXISTS) ExitProcess(0);

    const UINT changeMessage = RegisterWindowMessageA("WM_MORITELDA_CHANGE");
    for (;;) {
        const LPARAM request = keywatch::PollRequest(KeyDown, nullptr);
        if (request != keywatch::REQUEST_NONE) {
            const HWND changeWindow = FindWindowA("moritelda_keycom", nullptr);
            if (changeWindow == nullptr) {
                // "The main program's window cannot be found, so this program ends."
                MessageBoxA(nullptr,
                            "\x96\x7b\x91\xcc\x82\xcc\x83\x45\x83\x43\x83\x93\x83\x68\x83\x45\x82\xaa\x8c\xa9"
                            "\x82\xc2\x82\xa9\x82\xe7\x82\xc8\x82\xa2\x82\xcc\x82\xc5\x8f\x49\x97\xb9\x82\xb5"
                            "\x82\xdc\x82\xb7\x81\x42",
                            nullptr, MB_OK);
                ExitProcess(0);
            }
            SendMessageA(changeWindow, changeMessage, 0, request);
            Sleep(PAUSE_AFTER_REQUEST_MS);
        }
        Sleep(POLL_MS);
    }
}
