// The functions of menu objects: one row each, run on a menu item that the
// lookup resolved by positions. Menus can only be read inside the process
// that made them on some systems (Wine), so the same rows run either in the
// script's process or inside the owner's process through the agent
// (agent/caller/WindowFunctions.h decides which).
#pragma once

#include "MenuRequest.h"
#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

// A menu object: the menu that holds it, its command identifier
// (0xFFFFFFFF for a submenu or nothing, 0 for a separator) and its
// position, and how the script names it.
struct MenuItemRef {
    HWND owner = nullptr;
    HMENU menu = nullptr;
    UINT itemId = 0;
    int position = 0;
    // The position of menu in the menu above it; -1 for the menu bar.
    int popupPosition = -1;
    String objectName;
    int tagNumber = 0;
};

using MenuRow = loom::FunctionRow<void (*)(const MenuItemRef& item, SSI_FunctionAPI& call)>;

// The menu objects' functions, declared for the classes "Menu" and
// "MenuItem".
SQUIRE_API const MenuRow* MenuRows(size_t& count);

// Runs the menu function named by the call on item.
SQUIRE_API void RunMenuFunction(SSI_FunctionAPI& call, const MenuItemRef& item);

namespace squire {

// Agent side: a menu request read from the block (extra parameters behind
// the call's own) is resolved and run on the target's thread.
void RunMenuRequest(SSI_FunctionAPI& call, HWND owner);

}  // namespace squire
