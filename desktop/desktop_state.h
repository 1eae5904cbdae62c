// The process-wide model of the desktop engine: which desktop is shown, the
// tracked windows with their show command per desktop, and each desktop's
// remembered stacking order, placements, topmost states and active window.
//
// Desktops are numbered 1 to 4; 0 means no desktop. Every per-desktop array
// has five entries, indexed directly by the desktop number.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/window_system.h"

namespace moritelda {

constexpr int DESKTOP_SLOTS = 5;
constexpr int MAX_TASKS = 128;
constexpr int MAX_SNAPSHOT = 128;
// The most windows one taskbar walk may collect.
constexpr int MAX_FOUND = 128;
// Written into show[0] of a record whose window is gone, just before the
// record is deleted.
constexpr std::int32_t DEAD_MARK = -999;

// One tracked top-level window.
struct TaskRecord {
    WindowHandle hwnd = NO_WINDOW;
    // Entries 1 to 4: the show command on that desktop, 0 when the window is
    // not on it. Entry 0: the state the window had when it was first seen.
    std::int32_t show[DESKTOP_SLOTS] = {};
};

// A desktop's arrangement as last captured; entry i of each array belongs to
// the same window. Entries from count up are stale and never used.
struct DesktopSnapshot {
    WindowHandle windows[MAX_SNAPSHOT] = {};  // topmost first
    std::int32_t count = 0;
    PlacementRecord placements[MAX_SNAPSHOT] = {};
    std::int32_t topmost[MAX_SNAPSHOT] = {};
};

struct DesktopState {
    std::int32_t currentDesktop = 1;
    // The desktop whose show commands were applied last; 0 before any.
    std::int32_t previousDesktop = 0;

    // Entries 0 to taskCount - 1 hold records, every later entry is empty.
    // The table owns its records.
    std::int32_t taskCount = 0;
    std::unique_ptr<TaskRecord> tasks[MAX_TASKS];

    // The window the last taskbar walk found active, until PruneTasks files it
    // under the current desktop.
    WindowHandle discoveredActive = NO_WINDOW;
    // The window that most recently lost activation to the switcher window.
    WindowHandle lastDeactivated = NO_WINDOW;
    WindowHandle settingsWindow = NO_WINDOW;
    std::int32_t settingsShown = 0;

    WindowHandle activeWindow[DESKTOP_SLOTS] = {};
    DesktopSnapshot snapshots[DESKTOP_SLOTS];

    // The windows collected by the current taskbar walk, in taskbar order.
    WindowHandle foundWindows[MAX_FOUND] = {};
    std::int32_t foundCount = 0;

    // The order in which the taskbar of today's shells lists its tasks: the
    // order of first sight, kept from one walk to the next so that it does not
    // follow the stacking order (which changes with every activation).
    std::vector<WindowHandle> taskbarOrder;
};

}  // namespace moritelda
