// The --tree listing: one line per window, indented by depth, with the
// items of list-like controls and the menu bar below their windows.
#pragma once

#include "SpyModel.h"

#include <string>

namespace spy {

class TreePrinter {
public:
    // Texts longer than this are shortened with "...".
    static constexpr size_t kTextLimit = 60;

    // The window and all its descendants; `limit` bounds the items shown.
    static std::string Print(const WindowNode& top, int limit);
    // One window's line, without indentation or newline.
    static std::string WindowLine(const WindowNode& node);
    static std::string Quote(const std::string& text);

private:
    static void PrintNode(const WindowNode& node, int depth, int limit, std::string& out);
    static void PrintMenu(const std::vector<MenuNode>& items, int depth, std::string& out);
};

}  // namespace spy
