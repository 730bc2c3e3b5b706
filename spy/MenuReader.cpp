#include "MenuReader.h"

#include "MenuRequest.h"
#include "MenuRemote.h"
#include "Values.h"

namespace spy {

namespace {

constexpr int kMaxMenuDepth = 16;
constexpr int kMaxMenuItems = 512;

// One menu function run inside the owner's process on the item at `item`
// of the menu at `submenus`; the answer's status and value.
bool RemoteMenuCall(HWND owner, const std::vector<int>& submenus, int item, const char* function, int type,
                    CDataInt* number, CDataBool* flag, std::string* text, std::string& error)
{
    SSI_FunctionAPI call;
    call.m_FunctionName = function;
    call.InitParams(0);
    call.GetReturnData()->SetType(type);
    MenuPath path;
    path.submenus = submenus;
    path.item = item;
    RunMenuFunctionRemote(call, owner, path, String("Menu"), item, String("no such menu"));
    if (!call.m_ReturnStatus.IsSuccess()) {
        error = call.m_ReturnStatus.GetStatusMessage().str();
        return false;
    }
    CVariable* answer = call.GetReturnData();
    CData* data = answer ? answer->GetWorkingData() : nullptr;
    if (!data || data->GetType() != type) {
        error = std::string(function) + " gave no answer";
        return false;
    }
    if (number) number->Data = static_cast<CDataInt*>(data)->Data;
    if (flag) flag->Data = static_cast<CDataBool*>(data)->Data;
    if (text) *text = static_cast<CDataString*>(data)->Data.str();
    return true;
}

}  // namespace

void MenuReader::ReadLocal(HMENU menu, std::vector<MenuNode>& items, int depth)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && i < kMaxMenuItems; ++i) {
        MenuNode node;
        char buffer[1024] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
        node.text = buffer;
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        node.checked = (state & MF_CHECKED) != 0;
        node.disabled = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        node.separator = (state & MF_SEPARATOR) != 0;
        node.id = GetMenuItemID(menu, i);
        HMENU sub = GetSubMenu(menu, i);
        if (sub) {
            node.submenu = true;
            node.separator = false;
            if (depth < kMaxMenuDepth) ReadLocal(sub, node.items, depth + 1);
        }
        items.push_back(std::move(node));
    }
}

bool MenuReader::ReadRemote(HWND owner, std::vector<int>& submenus, std::vector<MenuNode>& items, int depth,
                            std::string& error)
{
    CDataInt count(0);
    // The count of the menu at `submenus`: asked of its item 0.
    if (!RemoteMenuCall(owner, submenus, 0, "GetMenuCount", CDataInt::GetRegisteredType(), &count, nullptr,
                        nullptr, error))
        return false;
    for (int i = 0; i < count.Data && i < kMaxMenuItems; ++i) {
        MenuNode node;
        CDataInt id(0);
        CDataBool flag(false);
        if (!RemoteMenuCall(owner, submenus, i, "GetMenuText", CDataString::GetRegisteredType(), nullptr, nullptr,
                            &node.text, error) ||
            !RemoteMenuCall(owner, submenus, i, "GetMenuItemID", CDataInt::GetRegisteredType(), &id, nullptr,
                            nullptr, error))
            return false;
        node.id = static_cast<unsigned>(id.Data);
        if (RemoteMenuCall(owner, submenus, i, "IsChecked", CDataBool::GetRegisteredType(), nullptr, &flag,
                           nullptr, error))
            node.checked = flag.Data;
        if (RemoteMenuCall(owner, submenus, i, "IsEnabled", CDataBool::GetRegisteredType(), nullptr, &flag,
                           nullptr, error))
            node.disabled = !flag.Data;
        if (node.id == 0xFFFFFFFFu) {
            // A submenu, or a position the system could not name: the
            // submenu's own count tells them apart.
            std::vector<int> inner = submenus;
            inner.push_back(i);
            std::string ignored;
            CDataInt innerCount(0);
            if (RemoteMenuCall(owner, inner, 0, "GetMenuCount", CDataInt::GetRegisteredType(), &innerCount,
                               nullptr, nullptr, ignored)) {
                node.submenu = true;
                if (depth < kMaxMenuDepth && !ReadRemote(owner, inner, node.items, depth + 1, error)) return false;
            }
        } else if (RemoteMenuCall(owner, submenus, i, "IsSeparator", CDataBool::GetRegisteredType(), nullptr,
                                  &flag, nullptr, error)) {
            node.separator = flag.Data;
        }
        items.push_back(std::move(node));
    }
    return true;
}

bool MenuReader::Read(HWND owner, std::vector<MenuNode>& bar, std::string& error)
{
    bar.clear();
    HMENU menu = GetMenu(owner);
    if (!menu) return true;
    if (CanReadMenu(owner)) {
        ReadLocal(menu, bar, 0);
        // A menu of another process can look readable here and yet show no
        // items (seen under Wine after the owner's windows changed): then
        // the owner's process is asked.
        if (!bar.empty()) return true;
    }
    std::vector<int> top;
    if (!ReadRemote(owner, top, bar, 0, error)) {
        error = "could not read the menu bar: " + error;
        return false;
    }
    return true;
}

}  // namespace spy
