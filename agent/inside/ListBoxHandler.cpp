#include "ListBoxHandler.h"

#include "ItemText.h"

#include <vector>

namespace {

constexpr LONG kMultiColumn = 0x200;
constexpr LONG kMultipleSelection = 0x8;

}  // namespace

CListBoxHandler::CListBoxHandler() : CControlHandler("ListBox") {}

const CWindowHandler::Row CListBoxHandler::kRows[] = {
    {"GetCount", "", 'i', Own(&CListBoxHandler::GetCount)},
    {"GetElement", "i", 's', Own(&CListBoxHandler::GetElement)},
    {"Select", "i", 0, Own(&CListBoxHandler::Select), loom::RunsIn::Script, loom::Effect::Acts},
    {"SelectString", "s", 'b', Own(&CListBoxHandler::SelectString)},
    {"GetSel", "", 'i', Own(&CListBoxHandler::GetSel)},
};

CWindowHandler::RowList CListBoxHandler::OwnRows() const
{
    return RowList(kRows);
}

int CListBoxHandler::Count() const
{
    return static_cast<int>(Send(LB_GETCOUNT, 0, 0));
}

bool CListBoxHandler::ItemText(int index, String& text) const
{
    return ReadItemText(GetWindowHandle(), LB_GETTEXTLEN, LB_GETTEXT, LB_ERR, index, text);
}

void CListBoxHandler::GetCount(SSI_FunctionAPI& call)
{
    Activate();
    loom::ReturnInt(call, Count());
}

void CListBoxHandler::SelectString(SSI_FunctionAPI& call)
{
    String text;
    if (!loom::ReadString(call, 0, text)) return;
    const LRESULT found = Send(LB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    loom::ReturnBool(call, found != LB_ERR);
}

void CListBoxHandler::Select(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    const LONG style = GetWindowLongA(GetWindowHandle(), GWL_STYLE);
    if (style & kMultiColumn) {
        // LB_SELECTSTRING searches from the item after its start index and
        // matches prefixes: starting just before the item makes the item
        // itself the first candidate, so Select(i) cannot pick a later item
        // whose text merely begins with item i's text.
        String text;
        if (!ItemText(index, text) ||
            Send(LB_SELECTSTRING, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(text.c_str())) ==
                LB_ERR) {
            SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01530)",
                     index, Count());
            return;
        }
    } else if (style & kMultipleSelection) {
        // LB_SETSEL takes -1 as "every item"; a negative index is refused
        // rather than selecting the whole list.
        if (index < 0 || Send(LB_SETSEL, TRUE, static_cast<LPARAM>(index)) == LB_ERR) {
            SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01531)",
                     index, Count());
            return;
        }
    } else if (Send(LB_SETCURSEL, static_cast<WPARAM>(index), 0) == LB_ERR) {
        SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01532)", index,
                 Count());
        return;
    }
    SetOk(call);
}

void CListBoxHandler::GetElement(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    String text;
    if (!ItemText(index, text)) {
        SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01533)", index,
                 Count());
        return;
    }
    loom::ReturnString(call, text);
}

void CListBoxHandler::GetSel(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(Send(LB_GETCURSEL, 0, 0)));
}
