// Reads the text of one item of a list box or combo box. The wide messages
// are used and the text converted: an ANSI text query sent to a control of
// another process comes back in wide characters under Wine, which would
// cut the text after its first character.
#pragma once

#include "Loom.h"

#include <windows.h>

// lengthMessage/textMessage: LB_GETTEXTLEN/LB_GETTEXT or
// CB_GETLBTEXTLEN/CB_GETLBTEXT; error: LB_ERR or CB_ERR. False when either
// query fails.
bool ReadItemText(HWND control, UINT lengthMessage, UINT textMessage, LRESULT error, int index, String& text);
