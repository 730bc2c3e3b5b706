// The automation package's one doorway to the agent's window functions:
// what every window class can do (the rows of the control handlers and of
// menus), and running a call where its row says, in the script's process
// or inside the application that owns the window.
#pragma once

#include "MenuRequest.h"
#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

#include <vector>

namespace squire {

// One window function as the window type declares it. windowClass is
// "MainWin" for the functions every window has.
struct WindowFunction {
    String windowClass;
    const char* name;
    const char* params;
    char result;
    loom::RunsIn where;
    loom::Effect effect;
};

// The generic functions (under "MainWin"), each control class's own, and
// those of menu objects (under "Menu" and "MenuItem"), in that order.
SQUIRE_API std::vector<WindowFunction> WindowFunctions();

// Runs call on window, handled as a window of className: in this process,
// or through the agent when the function's row runs inside the
// application. A name no row of the class has is answered by the handler
// ("not supported"). The result is what the function's row does.
SQUIRE_API loom::Effect CallWindowFunction(SSI_FunctionAPI& call, HWND window, const String& className);

// What the function of the call does, on a window of className or on a
// menu object.
SQUIRE_API loom::Effect EffectOf(SSI_FunctionAPI& call, const String& className);
SQUIRE_API loom::Effect MenuEffectOf(SSI_FunctionAPI& call);

// A menu object the lookup found. When its menu can be read here (menu and
// itemId are set) the function runs in this process, else inside the
// owner's process along path, where notFound is the answer to a path that
// does not resolve.
struct MenuObject {
    HWND owner = nullptr;
    HMENU menu = nullptr;
    UINT itemId = 0;
    MenuPath path;
    String objectName;
    int tagNumber = 0;
    bool remote = false;
    String notFound;
};

SQUIRE_API loom::Effect CallMenuFunction(SSI_FunctionAPI& call, const MenuObject& object);

}  // namespace squire
