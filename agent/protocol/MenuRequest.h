// How a menu request travels to the agent: the call's own parameters, then
// five more that say where the item is (the submenu positions as text, the
// item's position), how the script names it and what to answer when it is
// not there. Both sides read and write it with these helpers.
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

// The menu bar of owner and its submenus can be read from this process
// (menus are process-local on some systems, Wine among them).
SQUIRE_API bool CanReadMenu(HWND owner);
// Descends from the menu bar of owner along path. False when owner has no
// menu bar or a submenu position does not exist. itemId is 0xFFFFFFFF when
// the item position holds a submenu or nothing.
SQUIRE_API bool ResolveMenu(HWND owner, const MenuPath& path, HMENU& menu, UINT& itemId);

// The class name under which a menu request travels to the agent.
#define SQUIRE_MENU_CLASS "#Menu"

namespace squire {

// The extra parameters of a menu request, behind the call's own.
constexpr int kMenuRequestParams = 5;

// The agent reads them with the engine's readers (CallParameters.h).
void AddMenuParam(SSI_FunctionAPI& call, int index, CData& value);
// Submenu positions as "0,2,1" and back (at most 64 levels).
String EncodePositions(const std::vector<int>& positions);
std::vector<int> DecodePositions(const String& text);

}  // namespace squire
