// The in-application side of a barrier (see BarrierProtocol.h): the hook
// procedure that recognises the marks, swallows them and signals the
// caller's event, and the words shared with the caller.
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

LRESULT CALLBACK BarrierHookProc(int code, WPARAM removing, LPARAM lParam);

// A new request number, unique among every process that loads the agent.
LONG NextBarrierNumber();
// The number that the next key mark stands for.
void SetKeyMarkNumber(LONG number);
// The window that a focus request gives the focus to.
void SetFocusRequestWindow(HWND window);
// The scan code that the key mark of request `number` carries (1..128).
BYTE KeyMarkScan(LONG number);

// The module handle of this library, for hooks.
HINSTANCE ModuleInstance();

}  // namespace squire
