// Bringing an application to the front, as a user's click on it would: the
// one activation of the toolkit, used by the script's side before input and
// by the control handlers, in whichever process they run.
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

// Makes the top-level owner of wnd (its root window, then the owner chain)
// the foreground and active window, unless the foreground window already
// belongs to that window's thread. Asynchronous where it can be, so a hung
// application cannot hold the caller.
SQUIRE_API void Activate(HWND wnd);

}  // namespace squire
