#include "ComboBoxHandler.h"

#include "ItemText.h"

#include <vector>

namespace {

// Item texts longer than this are cut to it.
constexpr int kElementBuffer = 1024;

}  // namespace

CComboBoxHandler::CComboBoxHandler() : CControlHandler("ComboBox") {}

const CWindowHandler::Row CComboBoxHandler::kRows[] = {
    {"GetCount", "", 'i', Own(&CComboBoxHandler::GetCount)},
    {"Select", "i", 0, Own(&CComboBoxHandler::Select), loom::RunsIn::Script, loom::Effect::Acts},
    {"GetElement", "i", 's', Own(&CComboBoxHandler::GetElement)},
};

CWindowHandler::RowList CComboBoxHandler::OwnRows() const
{
    return RowList(kRows);
}

void CComboBoxHandler::GetCount(SSI_FunctionAPI& call)
{
    Activate();
    loom::ReturnInt(call, static_cast<int>(Send(CB_GETCOUNT, 0, 0)));
}

void CComboBoxHandler::Select(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    if (Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR) {
        SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01520)",
                 index, static_cast<int>(Send(CB_GETCOUNT, 0, 0)));
        return;
    }
    SetOk(call);
}

void CComboBoxHandler::GetElement(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    Send(CB_SHOWDROPDOWN, TRUE, 0);
    // The text is cut to its first 1,023 characters.
    String text;
    if (!ReadItemText(GetWindowHandle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ERR, index, text)) {
        text = String();
        SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01521)",
                 index, static_cast<int>(Send(CB_GETCOUNT, 0, 0)));
    }
    Send(CB_SHOWDROPDOWN, FALSE, 0);
    if (text.GetLength() > kElementBuffer - 1) text = text.SubString(0, kElementBuffer - 1);
    loom::ReturnString(call, text);
}
