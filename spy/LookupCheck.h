// Checks a description the spy is about to write by resolving it with
// KestrelBase's own lookup, the one a script's `use` will go through.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace spy {

// One level of a declaration: class and tag text, or a numeric tag.
struct Description {
    std::string windowClass;
    std::string tag;
    int tagNumber = 0;
};

// True when `own`, under the ancestors `path` (top-level first), resolves to
// exactly `expected`.
bool ResolvesTo(const std::vector<Description>& path, const Description& own, HWND expected);

// True when the menu item at `item` of the submenu at `submenus` of the
// window that `path` finds resolves.
bool MenuItemResolves(const std::vector<Description>& path, const std::vector<int>& submenus, int item);

}  // namespace spy
