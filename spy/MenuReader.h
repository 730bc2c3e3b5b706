// Reads the menu bar of a top-level window with every item's text, command
// identifier and state. Where the menus of another process cannot be read
// from here (Wine), the agent reads them inside the owner's process.
#pragma once

#include "SpyModel.h"

#include <string>
#include <vector>

namespace spy {

class MenuReader {
public:
    bool Read(HWND owner, std::vector<MenuNode>& bar, std::string& error);

private:
    void ReadLocal(HMENU menu, std::vector<MenuNode>& items, int depth);
    bool ReadRemote(HWND owner, std::vector<int>& submenus, std::vector<MenuNode>& items, int depth,
                    std::string& error);
};

}  // namespace spy
