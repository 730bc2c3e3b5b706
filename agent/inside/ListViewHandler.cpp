#include "ListViewHandler.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kTextBuffer = 4096;

HWND Header(const CWindowHandler& self)
{
    return reinterpret_cast<HWND>(self.Send(LVM_GETHEADER, 0, 0));
}

void GetCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(self.Send(LVM_GETITEMCOUNT, 0, 0)));
}

void GetItemText(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int item = 0, subitem = 0;
    if (!loom::ReadInt(call, 0, item) || !loom::ReadInt(call, 1, subitem)) return;
    // LVM_GETITEMTEXT answers an item out of range with an empty text (a
    // zero length), not with a negative result: the index is checked here
    // so a bad index is reported instead of read as "".
    const int count = static_cast<int>(self.Send(LVM_GETITEMCOUNT, 0, 0));
    std::vector<char> buffer(kTextBuffer, '\0');
    LVITEMA record{};
    record.iSubItem = subitem;
    record.pszText = buffer.data();
    record.cchTextMax = kTextBuffer - 1;
    if (item < 0 || item >= count || subitem < 0 ||
        self.Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)) < 0) {
        CWindowHandler::SetError(call, "Bad ListView item index: %d, %d(K01575)", item, subitem);
        return;
    }
    buffer[kTextBuffer - 1] = '\0';
    // The control may answer with a pointer to its own text instead of
    // filling the buffer.
    const char* text = record.pszText ? record.pszText : buffer.data();
    loom::ReturnString(call, String(text));
}

void GetColumnCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    HWND header = Header(self);
    loom::ReturnInt(call, header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0);
}

void GetColumnText(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int column = 0;
    if (!loom::ReadInt(call, 0, column)) return;
    HWND header = Header(self);
    if (!header) {
        CWindowHandler::SetError(call, "ListView does not have a column header.(K01578)");
        return;
    }
    if (column < 0 || column >= static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0))) {
        CWindowHandler::SetError(call, "Bad ListView column index: %d (K01576)", column);
        return;
    }
    std::vector<char> buffer(kTextBuffer, '\0');
    HDITEMA record{};
    record.mask = HDI_TEXT;
    record.pszText = buffer.data();
    record.cchTextMax = kTextBuffer - 1;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record));
    buffer[kTextBuffer - 1] = '\0';
    loom::ReturnString(call, String(buffer.data()));
}

void Select(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int item = 0;
    if (!loom::ReadInt(call, 0, item)) return;
    LVITEMA record{};
    record.state = LVIS_SELECTED | LVIS_FOCUSED;
    record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    // LVM_SETITEMSTATE takes -1 as "every item": a negative index is refused
    // rather than selecting (and focusing) the whole list.
    if (item < 0 || self.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)) == 0)
        CWindowHandler::SetError(call, "Bad ListView item index: %d(K01579)", item);
}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row kRows[] = {
    {"GetCount", "", 'i', GetCount, loom::RunsIn::Application},
    {"GetColumnCount", "", 'i', GetColumnCount, loom::RunsIn::Application},
    {"GetItemText", "ii", 's', GetItemText, loom::RunsIn::Application},
    {"GetColumnText", "i", 's', GetColumnText, loom::RunsIn::Application},
    {"Select", "i", 0, Select, loom::RunsIn::Application, loom::Effect::Acts},
};

}  // namespace

CListViewHandler::CListViewHandler() : CControlHandler("SysListView32") {}

CWindowHandler::RowList CListViewHandler::OwnRows() const
{
    return RowList(kRows);
}
