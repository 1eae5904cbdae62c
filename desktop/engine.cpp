#include "desktop/engine.h"

#include <cstdlib>

namespace moritelda {

namespace {
// "The number of windows has reached the limit; moritelda ends."
constexpr int TEXT_WINDOW_LIMIT = 104;
}  // namespace

DesktopEngine::DesktopEngine(WindowSystem& windows, DesktopState& state, RuleTable& rules, ShellLinks& shell)
    : windows_(windows), state_(state), rules_(rules), shell_(shell) {}

void DesktopEngine::EndAtWindowLimit() {
    windows_.MessageBox(NO_WINDOW, windows_.LoadText(TEXT_WINDOW_LIMIT).c_str(), "ERROR", BOX_ICONERROR);
    ShowAllTasks();
    windows_.ExitProcess(0);
    // Not reached; the compiler cannot see through the interface that
    // ExitProcess never returns.
    std::abort();
}

}  // namespace moritelda
