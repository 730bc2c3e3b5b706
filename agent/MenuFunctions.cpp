#include "MenuFunctions.h"

#include "RemoteCall.h"

#include <vector>

namespace {

constexpr UINT kNoItem = 0xFFFFFFFF;

// The extra parameters of a menu request, behind the call's own.
constexpr int kMenuRequestParams = 5;

String ParamText(SSI_FunctionAPI& call, int index)
{
    CVariable* v = call[index];
    CData* d = v ? v->GetWorkingData() : nullptr;
    return d && d->GetType() == CDataString::GetRegisteredType() ? static_cast<CDataString*>(d)->Data : String();
}

int ParamInt(SSI_FunctionAPI& call, int index)
{
    CVariable* v = call[index];
    CData* d = v ? v->GetWorkingData() : nullptr;
    return d && d->GetType() == CDataInt::GetRegisteredType() ? static_cast<CDataInt*>(d)->Data : 0;
}

void AddParam(SSI_FunctionAPI& call, int index, CData& value)
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

// Item state by command, or by position where the item opens a submenu.
UINT ItemState(HMENU menu, UINT itemId, int position)
{
    if (itemId != kNoItem) return GetMenuState(menu, itemId, MF_BYCOMMAND);
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
        if (itemId == kNoItem || !PostMessageA(owner, WM_COMMAND, itemId, 0)) {
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
        if (itemId != kNoItem) GetMenuStringA(menu, itemId, buffer, sizeof buffer, MF_BYCOMMAND);
        else GetMenuStringA(menu, static_cast<UINT>(itemPosition), buffer, sizeof buffer, MF_BYPOSITION);
        CDataString text(buffer);
        call.m_ReturnStatus = call.SetReturnData(&text);
        return;
    }
    call.m_ReturnStatus.Format(0, "Function '%s' not supported by menus. (K00201)", name.c_str());
}

void RunMenuFunctionRemote(SSI_FunctionAPI& call, HWND owner, const MenuPath& path, const String& objectName,
                           int tagNumber, const String& notFoundMessage)
{
    // The request carries the call's own parameters, then where the item is
    // and what to say when it is not there.
    SSI_FunctionAPI request;
    request.m_FunctionName = call.m_FunctionName;
    const int own = call.GetNumParams();
    request.InitParams(own + kMenuRequestParams);
    for (int i = 0; i < own; ++i) {
        int index = i;
        if (call[i]) request.AddParameter(*call[i], index);
    }
    CDataString positions(EncodePositions(path.submenus));
    CDataInt item(path.item);
    CDataString objectText(objectName);
    CDataInt tag(tagNumber);
    CDataString notFound(notFoundMessage);
    AddParam(request, own, positions);
    AddParam(request, own + 1, item);
    AddParam(request, own + 2, objectText);
    AddParam(request, own + 3, tag);
    AddParam(request, own + 4, notFound);
    CVariable* result = call.GetReturnData();
    if (result && result->GetType()) request.GetReturnData()->SetType(result->GetType());
    String cls(SQUIRE_MENU_CLASS);
    SquireRemoteCall(request, owner, cls);
    call.m_ReturnStatus = request.m_ReturnStatus;
    CVariable* answer = request.GetReturnData();
    if (answer && answer->GetWorkingData() && answer->GetType() != CDataVoid::GetRegisteredType())
        call.SetReturnData(answer);
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
    MenuPath path;
    path.submenus = DecodePositions(ParamText(call, base));
    path.item = ParamInt(call, base + 1);
    const String objectName = ParamText(call, base + 2);
    const int tagNumber = ParamInt(call, base + 3);
    const String notFound = ParamText(call, base + 4);
    HMENU menu = nullptr;
    UINT itemId = 0;
    if (!IsWindow(owner) || !ResolveMenu(owner, path, menu, itemId)) {
        call.m_ReturnStatus = CStatus::MakeError(notFound);
        return;
    }
    RunMenuFunction(call, owner, menu, itemId, path.item, objectName, tagNumber);
}

}  // namespace squire
