// Menu functions of menu objects: resolving a menu item by positions and
// running Select, IsChecked, IsEnabled, IsSeparator, GetMenuText and
// GetMenuCount on it. Menus can only be read inside the process that made
// them on some systems (Wine), so the same work can run inside the owner's
// process through the agent.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

#include <windows.h>

#include <vector>

// Where a menu object sits: the positions of the submenus from the menu bar
// down, then the object's own position in the last menu.
struct MenuPath {
    std::vector<int> submenus;
    int item = 0;
};

// The class name under which a menu request travels to the agent.
#define SQUIRE_MENU_CLASS "#Menu"

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
// Resolves and runs the call inside the process that owns owner. When the
// path cannot be resolved there, the call fails with notFoundMessage.
SQUIRE_API void RunMenuFunctionRemote(SSI_FunctionAPI& call, HWND owner, const MenuPath& path,
                                      const String& objectName, int tagNumber, const String& notFoundMessage);

namespace squire {

// Agent side: a menu request read from the block (extra parameters behind
// the call's own) is resolved and run on the target's thread.
void RunMenuRequest(SSI_FunctionAPI& call, HWND owner);

}  // namespace squire
