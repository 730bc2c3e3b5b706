#include "ButtonHandler.h"


CButtonHandler::CButtonHandler() : CControlHandler("Button") {}

const CWindowHandler::Row CButtonHandler::kRows[] = {
    {"Click", "", 0, Own(&CButtonHandler::Click), loom::RunsIn::Script, loom::Effect::Acts},
    {"IsSelected", "", 'b', Own(&CButtonHandler::IsSelected)},
    {"IsChecked", "", 'b', Own(&CButtonHandler::IsChecked)},
};

CWindowHandler::RowList CButtonHandler::OwnRows() const
{
    return RowList(kRows);
}

LONG CButtonHandler::ButtonType() const
{
    return GetWindowLongA(GetWindowHandle(), GWL_STYLE) & 0xF;
}

void CButtonHandler::Click(SSI_FunctionAPI& call)
{
    Activate();
    // Posted: a click may open a modal dialog, which must not block the
    // caller.
    if (!PostMessageA(GetWindowHandle(), BM_CLICK, 0, 0)) SetError(call, "Click failed. (K01510)");
}

void CButtonHandler::IsSelected(SSI_FunctionAPI& call)
{
    const LONG type = ButtonType();
    bool selected = false;
    if (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON) {
        SetError(call, "Button must be a radio button for 'IsSelected'. (K01511)");
    } else {
        selected = (Send(BM_GETSTATE, 0, 0) & 0x1) != 0;
    }
    loom::ReturnBool(call, selected);
}

void CButtonHandler::IsChecked(SSI_FunctionAPI& call)
{
    const LONG type = ButtonType();
    bool checked = false;
    if (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX && type != BS_3STATE && type != BS_AUTO3STATE) {
        SetError(call, "Button must be a check box for 'IsChecked'. (K01512)");
    } else {
        checked = Send(BM_GETCHECK, 0, 0) != 0;
    }
    loom::ReturnBool(call, checked);
}
