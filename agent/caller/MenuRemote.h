// The caller's side of a menu function whose menu can only be read inside
// the process that made it (Wine): the request goes to the agent there.
#pragma once

#include "MenuRequest.h"
#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

// Resolves and runs the call inside the process that owns owner. When the
// path cannot be resolved there, the call fails with notFoundMessage.
SQUIRE_API void RunMenuFunctionRemote(SSI_FunctionAPI& call, HWND owner, const MenuPath& path,
                                      const String& objectName, int tagNumber, const String& notFoundMessage);
