// Keeps the test session's Wine prefix warm: a long-lived program that only
// asks for the desktop window and sleeps, so that every later program starts
// in a fraction of a second.
#include <windows.h>

int main() {
    GetDesktopWindow();
    for (;;) Sleep(60000);
}
