#include "TreeViewHandler.h"

#include <vector>

namespace {

constexpr int kTextBuffer = 1024;

HTREEITEM NextItem(const CWindowHandler& self, HTREEITEM item, WPARAM relation)
{
    return reinterpret_cast<HTREEITEM>(self.Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

CStatus GetTreeItemText(const CWindowHandler& self, HTREEITEM item, String& text)
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
    if (self.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)) == 0)
        return CStatus::MakeError("Could not retrieve item text. (K01572)");
    buffer[kTextBuffer - 1] = '\0';
    text = String(buffer.data());
    return CStatus::MakeOK();
}

CStatus ResolveTreePath(const CWindowHandler& self, const String& path, HTREEITEM& item)
{
    String rest = path;
    HTREEITEM current = NextItem(self, nullptr, TVGN_ROOT);
    String segment;
    while (rest.Parse(".", segment) >= 0) {
        for (;;) {
            String text;
            CStatus read = GetTreeItemText(self, current, text);
            if (!read) return read;
            if (text == segment) {
                current = NextItem(self, current, TVGN_CHILD);
                break;
            }
            current = NextItem(self, current, TVGN_NEXT);
            if (!current) return CStatus().Format(CStatus::Error, "Item '%s' not found. (K01573)", segment.c_str());
        }
    }
    for (;;) {
        String text;
        CStatus read = GetTreeItemText(self, current, text);
        if (!read) return read;
        if (text == rest) {
            item = current;
            return CStatus::MakeOK();
        }
        current = NextItem(self, current, TVGN_NEXT);
        if (!current) return CStatus().Format(CStatus::Error, "Item '%s' not found. (K01574)", rest.c_str());
    }
}

bool PrepareItem(CWindowHandler& self, SSI_FunctionAPI& call, String& path, HTREEITEM& item)
{
    if (!loom::ReadString(call, 0, path)) return false;
    self.Activate();
    CStatus resolved = ResolveTreePath(self, path, item);
    if (!resolved) {
        call.m_ReturnStatus = resolved;
        return false;
    }
    return true;
}

void GetCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(self.Send(TVM_GETCOUNT, 0, 0)));
}

void GetSelected(CWindowHandler& self, SSI_FunctionAPI& call)
{
    String text;
    CStatus read = GetTreeItemText(self, NextItem(self, nullptr, TVGN_CARET), text);
    if (!read) {
        call.m_ReturnStatus = read;
        return;
    }
    loom::ReturnString(call, text);
}

void Select(CWindowHandler& self, SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(self, call, path, item)) return;
    if (self.Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) == 0) {
        CWindowHandler::SetError(call, "Could not locate item '%s'. (K01570)", path.c_str());
        return;
    }
    CWindowHandler::SetOk(call);
}

void Expand(CWindowHandler& self, SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(self, call, path, item)) return;
    self.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    CWindowHandler::SetOk(call);
}

void Collapse(CWindowHandler& self, SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(self, call, path, item)) return;
    self.Send(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
    CWindowHandler::SetOk(call);
}

void IsExpanded(CWindowHandler& self, SSI_FunctionAPI& call)
{
    String path;
    HTREEITEM item = nullptr;
    if (!PrepareItem(self, call, path, item)) return;
    TVITEMA record{};
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.stateMask = TVIS_EXPANDED;
    if (self.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)) == 0) {
        CWindowHandler::SetError(call, "Could not locate item '%s'. (K01571)", path.c_str());
        return;
    }
    loom::ReturnBool(call, (record.state & TVIS_EXPANDED) != 0);
}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row kRows[] = {
    {"GetCount", "", 'i', GetCount, loom::RunsIn::Application},
    {"GetSelected", "", 's', GetSelected, loom::RunsIn::Application},
    {"Select", "s", 0, Select, loom::RunsIn::Application, loom::Effect::Acts},
    {"Expand", "s", 0, Expand, loom::RunsIn::Application},
    {"Collapse", "s", 0, Collapse, loom::RunsIn::Application},
    {"IsExpanded", "s", 'b', IsExpanded, loom::RunsIn::Application},
};

}  // namespace

CTreeViewHandler::CTreeViewHandler() : CControlHandler("SysTreeView32") {}

CWindowHandler::RowList CTreeViewHandler::OwnRows() const
{
    return RowList(kRows);
}
