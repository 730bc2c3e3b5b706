#include "MenuFunctions.h"

#include "NotReady.h"
#include "ResponseBound.h"

namespace {

constexpr UINT kNoItem = 0xFFFFFFFF;

// Item state by command, or by position where the item opens a submenu.
// A separator has no command of its own (0): it is read by position too.
UINT ItemState(HMENU menu, UINT itemId, int position)
{
    if (itemId != kNoItem && itemId != 0) return GetMenuState(menu, itemId, MF_BYCOMMAND);
    return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

bool HasCommand(const MenuItemRef& item)
{
    return item.itemId != kNoItem && item.itemId != 0;
}

// What the application does when the menu opens: many set check marks and
// enabled states only then. The owner is told, as Windows tells it, that
// the menu holding the item is about to open, without opening it.
void PrepareMenu(const MenuItemRef& item)
{
    if (item.popupPosition < 0 || !IsWindow(item.owner)) return;
    LRESULT ignored = 0;
    squire::SendWithinBound(item.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.menu),
                            MAKELPARAM(item.popupPosition, FALSE), ignored);
}

UINT State(const MenuItemRef& item)
{
    PrepareMenu(item);
    return ItemState(item.menu, item.itemId, item.position);
}

void Select(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    // A user cannot pick a grayed item: nothing is posted, and the caller
    // tries again within the lookup bound.
    const UINT state = State(item);
    if (state != kNoItem && (state & (MF_GRAYED | MF_DISABLED))) {
        char text[256] = {};
        GetMenuStringA(item.menu, static_cast<UINT>(item.position), text, sizeof text, MF_BYPOSITION);
        call.m_ReturnStatus.Format(CStatus::Error, "Menu item '%s' (%s) is disabled; nothing was selected. (%s)",
                                   item.objectName.c_str(), text, squire::kDisabledCode);
        return;
    }
    if (!HasCommand(item) || !PostMessageA(item.owner, WM_COMMAND, item.itemId, 0)) {
        call.m_ReturnStatus = CStatus::MakeError("Could not post message. (K00400)");
        return;
    }
    call.m_ReturnStatus = CStatus::MakeOK();
}

void GetMenuCount(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, GetMenuItemCount(item.menu));
}

void IsChecked(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    const UINT state = State(item);
    loom::ReturnBool(call, state != kNoItem && (state & MF_CHECKED));
}

void IsEnabled(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    const UINT state = State(item);
    loom::ReturnBool(call, state != kNoItem && !(state & (MF_GRAYED | MF_DISABLED)));
}

void IsSeparator(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    const UINT state = State(item);
    loom::ReturnBool(call, state != kNoItem && (state & MF_SEPARATOR));
}

void GetMenuText(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    PrepareMenu(item);
    char buffer[1024] = {};
    if (HasCommand(item)) GetMenuStringA(item.menu, item.itemId, buffer, sizeof buffer, MF_BYCOMMAND);
    else GetMenuStringA(item.menu, static_cast<UINT>(item.position), buffer, sizeof buffer, MF_BYPOSITION);
    loom::ReturnString(call, String(buffer));
}

// Not a script function: the spy reads command identifiers with it where
// menus can only be read inside the owner's process.
void GetMenuItemID(const MenuItemRef& item, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(item.itemId));
}

const MenuRow kMenuRows[] = {
    {"IsChecked", "", 'b', IsChecked},
    {"Select", "", 0, Select, loom::RunsIn::Script, loom::Effect::Clicks},
    {"IsEnabled", "", 'b', IsEnabled},
    {"IsSeparator", "", 'b', IsSeparator},
    {"GetMenuText", "", 's', GetMenuText},
    {"GetMenuCount", "", 'i', GetMenuCount},
};

}  // namespace

const MenuRow* MenuRows(size_t& count)
{
    count = sizeof kMenuRows / sizeof kMenuRows[0];
    return kMenuRows;
}

void RunMenuFunction(SSI_FunctionAPI& call, const MenuItemRef& item)
{
    if (!IsMenu(item.menu)) {
        call.m_ReturnStatus.Format(CStatus::Error, "Invalid Menu '%s' (Tag = %d). (K00200)", item.objectName.c_str(),
                                   item.tagNumber);
        return;
    }
    if (call.m_FunctionName == "GetMenuItemID") {
        GetMenuItemID(item, call);
        return;
    }
    if (const MenuRow* row = loom::FindRow(kMenuRows, call)) {
        row->body(item, call);
        return;
    }
    call.m_ReturnStatus.Format(CStatus::Error, "Function '%s' not supported by menus. (K00201)",
                               call.m_FunctionName.c_str());
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
    MenuItemRef ref;
    ref.owner = owner;
    ref.menu = menu;
    ref.itemId = itemId;
    ref.position = path.item;
    ref.popupPosition = path.submenus.empty() ? -1 : path.submenus.back();
    ref.objectName = objectName;
    ref.tagNumber = tagNumber;
    RunMenuFunction(call, ref);
}

}  // namespace squire
