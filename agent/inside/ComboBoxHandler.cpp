#include "ComboBoxHandler.h"

#include "ItemText.h"

#include <vector>

namespace {

// Item texts longer than this are cut to it.
constexpr int kElementBuffer = 1024;

void GetCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    self.Activate();
    loom::ReturnInt(call, static_cast<int>(self.Send(CB_GETCOUNT, 0, 0)));
}

void Select(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    if (self.Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR) {
        CWindowHandler::SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01520)",
                 index, static_cast<int>(self.Send(CB_GETCOUNT, 0, 0)));
        return;
    }
    // The application learns of the change as it would of a user's pick.
    self.NotifyParent(CBN_SELCHANGE);
    self.NotifyParent(CBN_SELENDOK);
    CWindowHandler::SetOk(call);
}

void GetElement(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    self.Send(CB_SHOWDROPDOWN, TRUE, 0);
    // The text is cut to its first 1,023 characters.
    String text;
    if (!ReadItemText(self.GetWindowHandle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ERR, index, text)) {
        text = String();
        CWindowHandler::SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01521)",
                 index, static_cast<int>(self.Send(CB_GETCOUNT, 0, 0)));
    }
    self.Send(CB_SHOWDROPDOWN, FALSE, 0);
    if (text.GetLength() > kElementBuffer - 1) text = text.SubString(0, kElementBuffer - 1);
    loom::ReturnString(call, text);
}

const CWindowHandler::Row kRows[] = {
    {"GetCount", "", 'i', GetCount},
    {"Select", "i", 0, Select, loom::RunsIn::Script, loom::Effect::Acts},
    {"GetElement", "i", 's', GetElement},
};

}  // namespace

CComboBoxHandler::CComboBoxHandler() : CControlHandler("ComboBox") {}

CWindowHandler::RowList CComboBoxHandler::OwnRows() const
{
    return RowList(kRows);
}
