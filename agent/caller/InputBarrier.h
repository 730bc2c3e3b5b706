// The caller's side of a barrier: returns once the thread of an application
// has taken what was sent to it (see BarrierProtocol.h for how), within a
// bound. The caller's own thread is served by running its own queue.
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

enum class BarrierResult {
    Taken,          // everything sent before has been handled
    NotResponding,  // the thread did not get to the mark within the bound
    Unavailable,    // no hook or event could be made: nothing was waited for
};

// Input was just injected while `thread` owned the keyboard focus: sends
// the key mark behind it and waits until the thread has handled both.
SQUIRE_API BarrierResult WaitInputTaken(DWORD thread, DWORD timeoutMs);
// Messages were just posted to `thread`: waits until it has handled them
// and what they posted in turn.
SQUIRE_API BarrierResult WaitPostedTaken(DWORD thread, DWORD timeoutMs);
// Input was just injected into `thread`, which may not own the focus: waits
// until its queue holds no input or posted message.
SQUIRE_API BarrierResult WaitInputDrained(DWORD thread, DWORD timeoutMs);
// Gives the keyboard focus to `window` from inside its own thread.
SQUIRE_API BarrierResult GiveFocus(HWND window, DWORD timeoutMs);

}  // namespace squire
