#include "ListBoxHandler.h"

#include "ItemText.h"

#include <vector>

namespace {

constexpr LONG kMultiColumn = 0x200;
constexpr LONG kMultipleSelection = 0x8;

int Count(const CWindowHandler& self)
{
    return static_cast<int>(self.Send(LB_GETCOUNT, 0, 0));
}

bool ItemText(const CWindowHandler& self, int index, String& text)
{
    return ReadItemText(self.GetWindowHandle(), LB_GETTEXTLEN, LB_GETTEXT, LB_ERR, index, text);
}

void GetCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    self.Activate();
    loom::ReturnInt(call, Count(self));
}

void SelectString(CWindowHandler& self, SSI_FunctionAPI& call)
{
    String text;
    if (!loom::ReadString(call, 0, text)) return;
    const LRESULT found = self.Send(LB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    loom::ReturnBool(call, found != LB_ERR);
}

void Select(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    const LONG style = GetWindowLongA(self.GetWindowHandle(), GWL_STYLE);
    if (style & kMultiColumn) {
        // LB_SELECTSTRING searches from the item after its start index and
        // matches prefixes: starting just before the item makes the item
        // itself the first candidate, so Select(i) cannot pick a later item
        // whose text merely begins with item i's text.
        String text;
        if (!ItemText(self, index, text) ||
            self.Send(LB_SELECTSTRING, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(text.c_str())) ==
                LB_ERR) {
            CWindowHandler::SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01530)",
                     index, Count(self));
            return;
        }
    } else if (style & kMultipleSelection) {
        // LB_SETSEL takes -1 as "every item"; a negative index is refused
        // rather than selecting the whole list.
        if (index < 0 || self.Send(LB_SETSEL, TRUE, static_cast<LPARAM>(index)) == LB_ERR) {
            CWindowHandler::SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01531)",
                     index, Count(self));
            return;
        }
    } else if (self.Send(LB_SETCURSEL, static_cast<WPARAM>(index), 0) == LB_ERR) {
        CWindowHandler::SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01532)", index,
                 Count(self));
        return;
    }
    // A list box that notifies its parent does so as for a user's pick.
    if (style & LBS_NOTIFY) self.NotifyParent(LBN_SELCHANGE);
    CWindowHandler::SetOk(call);
}

void GetElement(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    String text;
    if (!ItemText(self, index, text)) {
        CWindowHandler::SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01533)", index,
                 Count(self));
        return;
    }
    loom::ReturnString(call, text);
}

void GetSel(CWindowHandler& self, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(self.Send(LB_GETCURSEL, 0, 0)));
}

const CWindowHandler::Row kRows[] = {
    {"GetCount", "", 'i', GetCount},
    {"GetElement", "i", 's', GetElement},
    {"Select", "i", 0, Select, loom::RunsIn::Script, loom::Effect::Acts},
    {"SelectString", "s", 'b', SelectString},
    {"GetSel", "", 'i', GetSel},
};

}  // namespace

CListBoxHandler::CListBoxHandler() : CControlHandler("ListBox") {}

CWindowHandler::RowList CListBoxHandler::OwnRows() const
{
    return RowList(kRows);
}
