// Waiting, after input was sent or a command posted, until the application
// has taken it, so that the next call of a script sees its effect. The wait
// is bounded by the response bound; an application that does not get there
// in time gives a warning (K01625) and the script goes on.
#pragma once

#include "Loom.h"

#include <windows.h>

namespace KeyInput {

// The thread that owns the keyboard focus now (the foreground window's
// thread), or 0 when there is no foreground window.
DWORD FocusThread();

// Keys were just injected while `focusThread` owned the focus.
CStatus SettleKeys(DWORD focusThread);
// Mouse input was just injected over `target` (the window at the point
// before the input), while `focusThread` owned the focus.
CStatus SettleMouse(HWND target, DWORD focusThread);
// Waits until the thread of `wnd` has run its queue empty.
CStatus SettleIdle(HWND wnd);
// A command was just posted to `wnd` (or a change made to it that its
// thread carries out).
CStatus SettlePosted(HWND wnd);
// Gives the keyboard focus to `wnd` from inside its own thread; the
// not-responding warning when the thread does not do it within the bound.
CStatus SettleFocus(HWND wnd);

}  // namespace KeyInput
