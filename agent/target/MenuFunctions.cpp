#include "MenuFunctions.h"

#include "MenuRequest.h"

#include <vector>

namespace {

constexpr UINT kNoItem = 0xFFFFFFFF;

// Item state by command, or by position where the item opens a submenu.
// A separator has no command of its own (0): it is read by position too.
UINT ItemState(HMENU menu, UINT itemId, int position)
{
    if (itemId != kNoItem && itemId != 0) return GetMenuState(menu, itemId, MF_BYCOMMAND);
    return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

}  // namespace

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

void RunMenuFunction(SSI_FunctionAPI& call, HWND owner, HMENU menu, UINT itemId, int itemPosition,
                     const String& objectName, int tagNumber)
{
    const String& name = call.m_FunctionName;
    if (!IsMenu(menu)) {
        call.m_ReturnStatus.Format(0, "Invalid Menu '%s' (Tag = %d). (K00200)", objectName.c_str(), tagNumber);
        return;
    }
    if (name == "Select") {
        if (itemId == kNoItem || itemId == 0 || !PostMessageA(owner, WM_COMMAND, itemId, 0)) {
            call.m_ReturnStatus = CStatus::MakeError("Could not post message. (K00400)");
            return;
        }
        call.m_ReturnStatus = CStatus();
        return;
    }
    if (name == "GetMenuItemID") {
        // Not a script function: the spy reads command identifiers with it
        // where menus can only be read inside the owner's process.
        CDataInt id(static_cast<int>(itemId));
        call.m_ReturnStatus = call.SetReturnData(&id);
        return;
    }
    if (name == "GetMenuCount") {
        CDataInt count(GetMenuItemCount(menu));
        call.m_ReturnStatus = call.SetReturnData(&count);
        return;
    }
    const UINT state = ItemState(menu, itemId, itemPosition);
    const bool exists = state != kNoItem;
    if (name == "IsChecked" || name == "IsEnabled" || name == "IsSeparator") {
        bool value = false;
        if (name == "IsChecked") value = exists && (state & MF_CHECKED);
        else if (name == "IsEnabled") value = exists && !(state & (MF_GRAYED | MF_DISABLED));
        else value = exists && (state & MF_SEPARATOR);
        CDataBool result(value);
        call.m_ReturnStatus = call.SetReturnData(&result);
        return;
    }
    if (name == "GetMenuText") {
        char buffer[1024] = {};
        if (itemId != kNoItem && itemId != 0) GetMenuStringA(menu, itemId, buffer, sizeof buffer, MF_BYCOMMAND);
        else GetMenuStringA(menu, static_cast<UINT>(itemPosition), buffer, sizeof buffer, MF_BYPOSITION);
        CDataString text(buffer);
        call.m_ReturnStatus = call.SetReturnData(&text);
        return;
    }
    call.m_ReturnStatus.Format(0, "Function '%s' not supported by menus. (K00201)", name.c_str());
}

namespace squire {

void RunMenuRequest(SSI_FunctionAPI& call, HWND owner)
{
    const int count = call.GetNumParams();
    if (count < kMenuRequestParams) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(__LINE__, "MenuFunctions");
        return;
    }
    const int base = count - kMenuRequestParams;
    String submenus, objectName, notFound;
    int item = 0, tagNumber = 0;
    if (!loom::ReadString(call, base, submenus) || !loom::ReadInt(call, base + 1, item) ||
        !loom::ReadString(call, base + 2, objectName) || !loom::ReadInt(call, base + 3, tagNumber) ||
        !loom::ReadString(call, base + 4, notFound))
        return;
    MenuPath path;
    path.submenus = DecodePositions(submenus);
    path.item = item;
    HMENU menu = nullptr;
    UINT itemId = 0;
    if (!IsWindow(owner) || !ResolveMenu(owner, path, menu, itemId)) {
        call.m_ReturnStatus = CStatus::MakeError(notFound);
        return;
    }
    RunMenuFunction(call, owner, menu, itemId, path.item, objectName, tagNumber);
}

}  // namespace squire
