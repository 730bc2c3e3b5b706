// Checks made before input is sent to a window, so that the input lands
// where the script meant it: a click only on a window that is visible,
// enabled, standing still and not covered at the click point; keys only
// once the window holds the keyboard focus. A click waits within the lookup
// bound, the focus within the response bound; each reports, with the window's text and class, why it gave up.
#pragma once

#include "Loom.h"

#include <windows.h>

namespace KeyInput {

// "'TEXT' (class 'CLASS')" of a window, read without sending it a message.
String DescribeWindow(HWND wnd);

// The window that covers screen point `point` of `wnd`, or null when a
// click there reaches `wnd` or one of its descendants. Group boxes and
// windows that let the mouse through do not cover.
HWND CoveringWindow(HWND wnd, POINT point);

// Waits until a click at screen point `point` would reach `wnd`: visible,
// enabled, the same rectangle on two reads, not covered. An error (K01620
// to K01623) when that does not come about within the lookup bound.
CStatus WaitUntilClickable(HWND wnd, POINT point);

// Makes the top-level window of `wnd` the foreground window and gives the
// keyboard focus to `wnd` from inside its own thread, unless the focus is
// already on `wnd` or a window inside it. K01624 when the focus cannot be
// given; the not-responding warning K01625 when the window's thread does
// not run its queue empty within the bound (the keys may still be sent:
// they wait in the queue).
CStatus PrepareTyping(HWND wnd);

}  // namespace KeyInput
