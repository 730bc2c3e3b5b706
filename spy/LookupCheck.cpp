#include "LookupCheck.h"

#include "ClassWindow.h"
#include "WinData.h"

namespace spy {

namespace {

// The path chain of the lookup: top-level first, linked through `child`.
// The window value owns it and frees it.
WinDataT* MakeChain(const std::vector<Description>& levels)
{
    WinDataT* first = nullptr;
    WinDataT* last = nullptr;
    for (const Description& level : levels) {
        WinDataT* node = NewWinData(nullptr);
        if (!node) break;
        *node->windowClass = String(level.windowClass.c_str());
        *node->tag = String(level.tag.c_str());
        node->tagNumber = level.tagNumber;
        if (last) {
            last->child = node;
            node->parent = last;
        } else {
            first = node;
        }
        last = node;
    }
    return first;
}

}  // namespace

bool ResolvesTo(const std::vector<Description>& path, const Description& own, HWND expected)
{
    CDataWindow window;
    window.windowClass = String(own.windowClass.c_str());
    window.tag = String(own.tag.c_str());
    window.tagNumber = own.tagNumber;
    window.name = "spy";
    window.path = MakeChain(path);
    unsigned itemId = 0;
    HMENU menu = nullptr;
    CStatus status = window.FindMe(itemId, menu);
    return status.IsSuccess() && window.foundWindow == expected;
}

bool MenuItemResolves(const std::vector<Description>& path, const std::vector<int>& submenus, int item)
{
    std::vector<Description> levels = path;
    for (int position : submenus) levels.push_back({"Menu", "", position});
    CDataWindow window;
    window.windowClass = "MenuItem";
    window.tagNumber = item;
    window.name = "spy";
    window.path = MakeChain(levels);
    unsigned itemId = 0;
    HMENU menu = nullptr;
    CStatus status = window.FindMe(itemId, menu);
    return status.IsSuccess() && menu != nullptr && itemId != 0;
}

}  // namespace spy
