// The in-application side of a barrier (see BarrierProtocol.h): the hook
// procedure that recognises the marks, swallows them and signals the
// caller's event.
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

LRESULT CALLBACK BarrierHookProc(int code, WPARAM removing, LPARAM lParam);

}  // namespace squire
