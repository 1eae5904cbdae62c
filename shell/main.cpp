#include <windows.h>

#include "shell/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return moritelda::RunMoritelda(instance);
}
