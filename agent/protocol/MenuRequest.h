// How a menu request travels to the agent: the call's own parameters, then
// five more that say where the item is (the submenu positions as text, the
// item's position), how the script names it and what to answer when it is
// not there. Both sides read and write it with these helpers.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

#include <vector>

// Where a menu object sits: the positions of the submenus from the menu bar
// down, then the object's own position in the last menu.
struct MenuPath {
    std::vector<int> submenus;
    int item = 0;
};

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
