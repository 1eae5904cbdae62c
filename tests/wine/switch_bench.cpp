// How long one desktop switch of the real moritelda.exe takes under Wine, and
// how that compares with the least work any switch must do.
//
//   switch_bench.exe [--rounds R] [N...]     (default: R = 15, N = 10 30 60 120)
//   switch_bench.exe --windows               (the window maker, started by the bench)
//
// For each N, a fresh moritelda.exe (tray display, so no first-run notice)
// runs from its own directory next to a window maker: a second copy of this
// program, so the tasks belong to neither moritelda nor the bench, as the
// user's applications would. N/2 windows are made on desktop 1, the program
// goes to desktop 2, N/2 more are made there; after one warm-up round the
// bench times R switches each way, each one change message sent to the
// change-request window, which answers when the switch is done.
//
// The floor is the bare work of a switch on the same windows, done by the bench
// itself after moritelda has quit: SW_HIDE for each window leaving, then
// SW_SHOWNOACTIVATE and one SetWindowPos (restacking only, no move, size or
// activation) for each window arriving, timed over the same rounds. It leaves
// out the minimize before the hide (and so the restore on return) that
// moritelda does on purpose, so the ratio shows that cost too.
//
// After every switch, timed or not, the bench checks that exactly the arriving
// windows are visible and reports any window that is not as it should be.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"

namespace {

// ---------------------------------------------------------------------------
// The window maker: plain top-level task windows, made on request.

const char TASK_CLASS[] = "MoriteldaBenchTask";
// wParam: how many windows; lParam: the number of the first one (titles).
constexpr UINT MAKE_WINDOWS = WM_APP + 1;

int RunWindowMaker() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = TASK_CLASS;
    RegisterClassA(&windowClass);

    // The thread's queue exists from here on, so the bench's requests stick.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == MAKE_WINDOWS) {
            const int count = static_cast<int>(message.wParam);
            const int first = static_cast<int>(message.lParam);
            for (int i = first; i < first + count; ++i) {
                char title[64];
                std::snprintf(title, sizeof title, "bench task %d", i);
                // Cascaded over the screen, so that the windows overlap as a
                // busy desktop's do.
                const int x = 20 + (i % 30) * 28;
                const int y = 20 + (i % 20) * 22;
                const HWND window = CreateWindowExA(0, TASK_CLASS, title, WS_OVERLAPPEDWINDOW, x, y, 320, 220,
                                                    nullptr, nullptr, instance, nullptr);
                ShowWindow(window, SW_SHOWNOACTIVATE);
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// ---------------------------------------------------------------------------
// The bench.

constexpr DWORD SWITCH_LIMIT_MS = 30000;  // a switch that takes longer is reported as hung
constexpr DWORD SETTLE_MS = 50;           // pause between switches, for the taskbar to catch up

double TicksToMs(LONGLONG ticks) {
    static LONGLONG frequency = 0;
    if (frequency == 0) {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        frequency = f.QuadPart;
    }
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The windows of the maker titled "bench task <first..first+count-1>", in
// that order; waits until all of them exist and are visible.
bool CollectWindows(DWORD makerProcess, int first, int count, std::vector<HWND>& out) {
    const DWORD start = GetTickCount();
    do {
        out.assign(count, nullptr);
        int found = 0;
        for (HWND window : harness::WindowsOfProcess(makerProcess, TASK_CLASS)) {
            int number = -1;
            if (std::sscanf(harness::WindowTextA(window).c_str(), "bench task %d", &number) != 1) continue;
            if (number < first || number >= first + count || !IsWindowVisible(window)) continue;
            if (out[number - first] == nullptr) ++found;
            out[number - first] = window;
        }
        if (found == count) return true;
        Sleep(20);
    } while (GetTickCount() - start < harness::WAIT_MS);
    return false;
}

bool MakeWindows(const harness::Program& maker, int first, int count, std::vector<HWND>& out) {
    // The maker's queue may not exist yet right after its start.
    const DWORD start = GetTickCount();
    while (!PostThreadMessageA(maker.ThreadId(), MAKE_WINDOWS, static_cast<WPARAM>(count), first)) {
        if (GetTickCount() - start > harness::WAIT_MS) return false;
        Sleep(10);
    }
    return CollectWindows(maker.ProcessId(), first, count, out);
}

// What went wrong in the checks of one N.
struct Faults {
    int badSwitches = 0;
    std::string firstReport;

    void Check(const char* what, int round, const std::vector<HWND>& arriving, const std::vector<HWND>& leaving) {
        int shownLeaving = 0, hiddenArriving = 0, goneWindows = 0;
        for (HWND w : leaving) {
            if (!IsWindow(w)) ++goneWindows;
            else if (IsWindowVisible(w)) ++shownLeaving;
        }
        for (HWND w : arriving) {
            if (!IsWindow(w)) ++goneWindows;
            else if (!IsWindowVisible(w)) ++hiddenArriving;
        }
        if (shownLeaving == 0 && hiddenArriving == 0 && goneWindows == 0) return;
        ++badSwitches;
        if (!firstReport.empty()) return;
        char text[256];
        std::snprintf(text, sizeof text,
                      "%s, round %d: %d of %zu leaving windows still visible, %d of %zu arriving windows hidden, "
                      "%d windows destroyed",
                      what, round, shownLeaving, leaving.size(), hiddenArriving, arriving.size(), goneWindows);
        firstReport = text;
    }
};

// One change message to the running program; the time it took, or a negative
// value when the program did not answer within the limit.
double SendChange(HWND changeWindow, UINT changeMessage, LPARAM direction) {
    DWORD_PTR result = 0;
    const LONGLONG start = Now();
    const LRESULT answered =
        SendMessageTimeoutA(changeWindow, changeMessage, 0, direction, SMTO_NORMAL, SWITCH_LIMIT_MS, &result);
    const LONGLONG end = Now();
    return answered ? TicksToMs(end - start) : -1.0;
}

// The bare work of a switch from `leaving` to `arriving`, restacking the
// arriving windows top down as they were listed.
double FloorSwitch(const std::vector<HWND>& arriving, const std::vector<HWND>& leaving) {
    const LONGLONG start = Now();
    for (HWND w : leaving) ShowWindow(w, SW_HIDE);
    for (HWND w : arriving) ShowWindow(w, SW_SHOWNOACTIVATE);
    HWND above = HWND_TOP;
    for (HWND w : arriving) {
        SetWindowPos(w, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = w;
    }
    return TicksToMs(Now() - start);
}

struct Result {
    int n = 0;
    bool done = false;
    std::string failure;  // why the measurement stopped, when it did
    std::vector<double> switches;
    std::vector<double> floors;
    Faults programFaults;
    Faults floorFaults;
};

// Describes a message box the program shows, if any: the usual reason for a
// change message that is never answered.
std::string DescribeMessageBox(DWORD processId) {
    harness::MessageBoxView box;
    if (!harness::WaitForMessageBox(processId, box, 200)) return "no message box";
    return "message box \"" + box.caption + "\": \"" + box.text + "\"";
}

void MeasureOne(int n, int rounds, Result& result) {
    result.n = n;
    const int half = n / 2;

    harness::CaseDir dir("bench");
    dir.AddProgram("moritelda.exe");
    dir.Write("moritelda.ini", "SetSkin 3,0\r\n");

    harness::Program maker(harness::BuildDir() + "\\switch_bench.exe", "--windows");
    if (!maker.Started()) {
        result.failure = "the window maker did not start";
        return;
    }
    std::vector<HWND> desktop1, desktop2;
    if (!MakeWindows(maker, 0, half, desktop1)) {
        result.failure = "the windows of desktop 1 did not appear";
        return;
    }

    {
        harness::Program app(dir.File("moritelda.exe"));
        const HWND changeWindow =
            harness::WaitForWindow(app.ProcessId(), "moritelda_keycom", nullptr, harness::WAIT_MS, false);
        if (changeWindow == nullptr) {
            result.failure = "moritelda's change-request window did not appear (" +
                             DescribeMessageBox(app.ProcessId()) + ")";
            return;
        }
        const UINT changeMessage = RegisterWindowMessageA("WM_MORITELDA_CHANGE");
        const LPARAM NEXT = -1, PREVIOUS = -2;

        auto hung = [&](const char* when) {
            result.failure = std::string("moritelda did not answer the change message ") + when + " within " +
                             std::to_string(SWITCH_LIMIT_MS / 1000) + " s (" + DescribeMessageBox(app.ProcessId()) +
                             (app.Running() ? ", still running)" : ", no longer running)");
        };

        // Desktop 1 to 2, then the second half of the windows on desktop 2.
        if (SendChange(changeWindow, changeMessage, NEXT) < 0) return hung("for the first switch");
        result.programFaults.Check("moritelda, first switch 1->2", 0, {}, desktop1);
        if (!MakeWindows(maker, half, n - half, desktop2)) {
            result.failure = "the windows of desktop 2 did not appear";
            return;
        }

        for (int round = 0; round <= rounds; ++round) {
            const bool timed = round > 0;
            Sleep(SETTLE_MS);
            const double back = SendChange(changeWindow, changeMessage, PREVIOUS);
            if (back < 0) return hung("going to desktop 1");
            result.programFaults.Check("moritelda 2->1", round, desktop1, desktop2);
            Sleep(SETTLE_MS);
            const double forth = SendChange(changeWindow, changeMessage, NEXT);
            if (forth < 0) return hung("going to desktop 2");
            result.programFaults.Check("moritelda 1->2", round, desktop2, desktop1);
            if (timed) {
                result.switches.push_back(back);
                result.switches.push_back(forth);
            }
        }

        app.PostQuit();
        const DWORD code = app.WaitForExit();
        if (code != 0) {
            result.failure = code == STILL_ACTIVE ? "moritelda did not end on the quit message"
                                                  : "moritelda ended with exit code " + std::to_string(code);
            return;
        }
    }

    // moritelda showed every window again on its way out; desktop 2 was the
    // one shown last.
    for (HWND w : desktop1) ShowWindow(w, SW_HIDE);
    for (int round = 0; round <= rounds; ++round) {
        const bool timed = round > 0;
        Sleep(SETTLE_MS);
        const double back = FloorSwitch(desktop1, desktop2);
        result.floorFaults.Check("floor 2->1", round, desktop1, desktop2);
        Sleep(SETTLE_MS);
        const double forth = FloorSwitch(desktop2, desktop1);
        result.floorFaults.Check("floor 1->2", round, desktop2, desktop1);
        if (timed) {
            result.floors.push_back(back);
            result.floors.push_back(forth);
        }
    }

    maker.PostQuit();
    if (maker.WaitForExit() == STILL_ACTIVE) maker.Kill();
    result.done = true;
}

int RunBench(int rounds, const std::vector<int>& counts) {
    const LONGLONG benchStart = Now();
    std::vector<Result> results;
    for (int n : counts) {
        std::fprintf(stderr, "switch_bench: N = %d ...\n", n);
        std::fflush(stderr);
        const LONGLONG start = Now();
        results.emplace_back();
        MeasureOne(n, rounds, results.back());
        std::fprintf(stderr, "switch_bench: N = %d took %.1f s\n", n, TicksToMs(Now() - start) / 1000.0);
        std::fflush(stderr);
    }

    std::printf("One desktop switch under Wine: moritelda.exe vs. the bare hide/show/restack work\n");
    std::printf("(median of %d timed switches per N, %d each way, after one warm-up round)\n\n", 2 * rounds,
                rounds);
    std::printf("%6s  %14s  %14s  %8s\n", "N", "switch ms", "floor ms", "ratio");
    bool allWell = true;
    for (const Result& r : results) {
        const double sw = Median(r.switches);
        const double floor = Median(r.floors);
        if (!r.done) {
            std::printf("%6d  %14s  %14s  %8s\n", r.n, "-", "-", "-");
            continue;
        }
        std::printf("%6d  %14.2f  %14.2f  %8.1f\n", r.n, sw, floor, floor > 0 ? sw / floor : 0.0);
    }
    std::printf("\n");
    for (const Result& r : results) {
        if (!r.done) {
            allWell = false;
            std::printf("N = %d: measurement stopped: %s\n", r.n, r.failure.c_str());
        }
        if (r.programFaults.badSwitches) {
            allWell = false;
            std::printf("N = %d: %d moritelda switches left windows in the wrong state; first: %s\n", r.n,
                        r.programFaults.badSwitches, r.programFaults.firstReport.c_str());
        }
        if (r.floorFaults.badSwitches) {
            allWell = false;
            std::printf("N = %d: %d floor switches left windows in the wrong state; first: %s\n", r.n,
                        r.floorFaults.badSwitches, r.floorFaults.firstReport.c_str());
        }
    }
    for (const Result& r : results) {
        if (!r.done) continue;
        const double sw = Median(r.switches);
        const double floor = Median(r.floors);
        const auto [swMin, swMax] = std::minmax_element(r.switches.begin(), r.switches.end());
        const auto [flMin, flMax] = std::minmax_element(r.floors.begin(), r.floors.end());
        std::printf("BENCH n=%d switches=%zu switch_median_ms=%.3f floor_median_ms=%.3f ratio=%.2f "
                    "switch_min_ms=%.3f switch_max_ms=%.3f floor_min_ms=%.3f floor_max_ms=%.3f faults=%d\n",
                    r.n, r.switches.size(), sw, floor, floor > 0 ? sw / floor : 0.0, *swMin, *swMax, *flMin, *flMax,
                    r.programFaults.badSwitches + r.floorFaults.badSwitches);
    }
    std::printf("\nbench time: %.1f s\n", TicksToMs(Now() - benchStart) / 1000.0);
    std::fflush(stdout);
    return allWell ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--windows") == 0) return RunWindowMaker();

    int rounds = 15;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (std::atoi(argv[i]) >= 2) {
            counts.push_back(std::atoi(argv[i]));
        } else {
            std::fprintf(stderr, "usage: switch_bench.exe [--rounds R] [N...]\n");
            return 2;
        }
    }
    if (counts.empty()) counts = {10, 30, 60, 120};
    return RunBench(rounds, counts);
}
