// Menu functions of menu objects: resolving a menu item by positions and
// running Select, IsChecked, IsEnabled, IsSeparator, GetMenuText and
// GetMenuCount on it. Menus can only be read inside the process that made
// them on some systems (Wine), so the same work runs either in the script's
// process or inside the owner's process through the agent (MenuRemote.h).
#pragma once

#include "MenuRequest.h"
#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

#include <vector>

// The menu bar of owner and its submenus can be read from this process.
SQUIRE_API bool CanReadMenu(HWND owner);
// Descends from the menu bar of owner along path. False when owner has no
// menu bar or a submenu position does not exist. itemId is 0xFFFFFFFF when
// the item position holds a submenu or nothing.
SQUIRE_API bool ResolveMenu(HWND owner, const MenuPath& path, HMENU& menu, UINT& itemId);
// Runs the menu function named by the call on the item at path.item of menu.
// objectName and tagNumber name the object in the invalid-menu message.
SQUIRE_API void RunMenuFunction(SSI_FunctionAPI& call, HWND owner, HMENU menu, UINT itemId, int itemPosition,
                                const String& objectName, int tagNumber);

namespace squire {

// Agent side: a menu request read from the block (extra parameters behind
// the call's own) is resolved and run on the target's thread.
void RunMenuRequest(SSI_FunctionAPI& call, HWND owner);

}  // namespace squire
