#include "MenuRequest.h"

namespace squire {

void AddMenuParam(SSI_FunctionAPI& call, int index, CData& value)
{
    CVariable v;
    v.SetData(&value);
    call.AddParameter(v, index);
}

String EncodePositions(const std::vector<int>& positions)
{
    String text;
    for (size_t i = 0; i < positions.size(); ++i) {
        if (i) text += ",";
        text += String::Printf("%d", positions[i]);
    }
    return text;
}

std::vector<int> DecodePositions(const String& text)
{
    std::vector<int> positions;
    if (text.IsEmpty()) return positions;
    TNodeTree<String> tree;
    String copy(text);
    copy.Parse(",", tree, 1);
    for (TNode<String>* n = tree.First(); n && positions.size() < 64; n = n->Next()) {
        CDataInt value;
        positions.push_back(value.DataFromString(n->Data()) ? value.Data : -1);
    }
    return positions;
}

}  // namespace squire

bool CanReadMenu(HWND owner)
{
    HMENU bar = GetMenu(owner);
    return bar && GetMenuItemCount(bar) >= 0;
}

bool ResolveMenu(HWND owner, const MenuPath& path, HMENU& menu, UINT& itemId)
{
    itemId = 0;
    menu = nullptr;
    if (!owner) return false;
    HMENU current = GetMenu(owner);
    if (!current) return false;
    for (int position : path.submenus) {
        current = position < 0 ? nullptr : GetSubMenu(current, position);
        if (!current) return false;
    }
    menu = current;
    itemId = GetMenuItemID(current, path.item);
    return true;
}
