// The caller's side of a call executed inside the process that owns a
// window: install the agent's hook on the window's thread, write the request
// into the shared block, post the type tags and the call, wait for the
// answer, read it back and remove the hook again.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

// Waits of 10 ms for the agent's answer before the call is given up; the
// default, -1, waits for the response bound (ResponseBound.h).
constexpr int kSquireAnswerTries = -1;

// Installs (install non-zero) the agent's hook on the thread, or removes
// the one installed; non-zero on success. One hook at a time.
SQUIRE_ENTRY int SetSquireHook(DWORD threadId, int install);

// Runs call on window (handled as a window of className) through the agent.
// The call's status and return value are the agent's answer; K00300 when
// the hook cannot be installed, K00301 when no answer comes in time.
SQUIRE_API void SquireRemoteCall(SSI_FunctionAPI& call, HWND window, String& className,
                                 int tries = kSquireAnswerTries);
