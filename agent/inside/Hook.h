// The agent's hook inside the application: installed on the thread that
// owns a target window (RemoteCall.h), it receives the caller's type tags
// and call message, runs the call on that thread and signals completion
// through the shared words (SquireProtocol.h).
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

LRESULT CALLBACK SquireHookProc(int code, WPARAM removing, LPARAM lParam);

// The module handle of this library, for hooks.
HINSTANCE ModuleInstance();

}  // namespace squire
