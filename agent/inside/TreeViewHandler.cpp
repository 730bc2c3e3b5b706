#include "TreeViewHandler.h"

#include <vector>

namespace {

constexpr int kTextBuffer = 1024;

}  // namespace

CTreeViewHandler::CTreeViewHandler() : CControlHandler("SysTreeView32") {}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row CTreeViewHandler::kRows[] = {
    {"GetCount", "", 'i', Own(&CTreeViewHandler::GetCount), loom::RunsIn::Application},
    {"GetSelected", "", 's', Own(&CTreeViewHandler::GetSelected), loom::RunsIn::Application},
    {"Select", "s", 0, Own(&CTreeViewHandler::Select), loom::RunsIn::Application, loom::Effect::Acts},
    {"Expand", "s", 0, Own(&CTreeViewHandler::Expand), loom::RunsIn::Application},
    {"Collapse", "s", 0, Own(&CTreeViewHandler::Collapse), loom::RunsIn::Application},
    {"IsExpanded", "s", 'b', Own(&CTreeViewHandler::IsExpanded), loom::RunsIn::Application},
};

CWindowHandler::RowList CTreeViewHandler::OwnRows() const
{
    return RowList(kRows);
}

HTREEITEM CTreeViewHandler::NextItem(HTREEITEM item, WPARAM relation) const
{
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

CStatus CTreeViewHandler::GetTreeItemText(HTREEITEM item, String& text) const
{
    // A missing item (no root, no child) is a failed read; it is not handed
    // to the control.
    if (!item) return CStatus::MakeError("Could not retrieve item text. (K01572)");
    std::vector<char> buffer(kTextBuffer, '\0');
    TVITEMA record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = buffer.data();
    record.cchTextMax = kTextBuffer;
    if (Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)) == 0)
        return CStatus::MakeError("Could not retrieve item text. (K01572)");
    buffer[kTextBuffer - 1] = '\0';
    text = String(buffer.data());
    return CStatus::MakeOK();
}

CStatus CTreeViewHandler::ResolveTreePath(const String& path, HTREEITEM& item) const
{
    String rest = path;
    HTREEITEM current = NextItem(nullptr, TVGN_ROOT);
    String segment;
    while (rest.Parse(".", segment) >= 0) {
        for (;;) {
            String text;
            CStatus read = GetTreeItemText(current, text);
            if (!read) return read;
            if (text == segment) {
                current = NextItem(current, TVGN_CHILD);
                break;
            }
            current = NextItem(current, TVGN_NEXT);
            if (!current) return CStatus().Format(CStatus::Error, "Item '%s' not found. (K01573)", segment.c_str());
        }
    }
    for (;;) {
        String text;
        CStatus read = GetTreeItemText(current, text);
        if (!read) return read;
        if (text == rest) {
            item = current;
            return CStatus::MakeOK();
        }
        current = NextItem(current, TVGN_NEXT);
        if (!current) return CStatus().Format(CStatus::Error, "Item '%s' not found. (K01574)", rest.c_str());
    }
}

bool CTreeViewHandler::PrepareItem(SSI_FunctionAPI& call, String& path, HTREEITEM& item)
{
    if (!loom::ReadString(call, 0, path)) return false;
    Activate();
    CStatus resolved = ResolveTreePath(path, item);
    if (!resolved) {
        call.m_ReturnStatus = resolved;
        return false;
    }
    return true;
}

void CTreeViewHandler::GetCount(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(Send(TVM_GETCOUNT, 0, 0)));
}

void CTreeViewHandler::GetSelected(SSI_FunctionAPI& call)
{
    String text;
    CStatus read = GetTreeItemText(NextItem(nullptr, TVGN_CARET), text);
    if (!read) {
        call.m_ReturnStatus = read;
        return;
    }
    loom::ReturnString(call, text);
}

void CTreeViewHandler::Select(SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(call, path, item)) return;
    if (Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) == 0) {
        SetError(call, "Could not locate item '%s'. (K01570)", path.c_str());
        return;
    }
    SetOk(call);
}

void CTreeViewHandler::Expand(SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(call, path, item)) return;
    Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    SetOk(call);
}

void CTreeViewHandler::Collapse(SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(call, path, item)) return;
    Send(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
    SetOk(call);
}

void CTreeViewHandler::IsExpanded(SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(call, path, item)) return;
    TVITEMA record{};
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.stateMask = TVIS_EXPANDED;
    if (Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)) == 0) {
        SetError(call, "Could not locate item '%s'. (K01571)", path.c_str());
        return;
    }
    loom::ReturnBool(call, (record.state & TVIS_EXPANDED) != 0);
}
