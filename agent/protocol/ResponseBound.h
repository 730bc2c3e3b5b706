// How long the toolkit waits for an application to answer: a message sent
// to one of its windows, a barrier, an agent call. A window that does not
// answer within the bound is reported as not responding; no call waits
// forever on a hung or stopped application.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

namespace squire {

// The bound in milliseconds: about 10 s (1000 tries of 10 ms) until set.
SQUIRE_API DWORD ResponseTimeoutMs();
SQUIRE_API void SetResponseTimeoutMs(DWORD ms);

// SendMessage within the bound. False when the window did not answer in
// time (or is gone); `result` is then 0.
SQUIRE_API bool SendWithinBound(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                bool wide = false);

// The text the system keeps for a window, read without sending it a
// message (so a hung window cannot hold the caller).
SQUIRE_API String StoredWindowText(HWND window);
// "Window 'TEXT' (class 'CLASS') is not responding. (K00303)".
SQUIRE_API String NotRespondingMessage(HWND window);

}  // namespace squire
