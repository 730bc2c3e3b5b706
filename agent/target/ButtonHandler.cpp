#include "ButtonHandler.h"

#include <new>

CButtonHandler::CButtonHandler() : CWindowHandler("Button") {}

CWindowHandler* CButtonHandler::Clone()
{
    return new (std::nothrow) CButtonHandler();
}

int CButtonHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "Click") Click(call);
    else if (name == "IsSelected") IsSelected(call);
    else if (name == "IsChecked") IsChecked(call);
    else return CWindowHandler::ProcessFunction(call);
    return 1;
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
    bool failed = false;
    if (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON) {
        SetError(call, "Button must be a radio button for 'IsSelected'. (K01511)");
        failed = true;
    } else {
        selected = (Send(BM_GETSTATE, 0, 0) & 0x1) != 0;
    }
    const CStatus stored = loom::ReturnBool(call, selected);
    if (!failed) call.m_ReturnStatus = stored;
}

void CButtonHandler::IsChecked(SSI_FunctionAPI& call)
{
    const LONG type = ButtonType();
    bool checked = false;
    bool failed = false;
    if (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX && type != BS_3STATE && type != BS_AUTO3STATE) {
        SetError(call, "Button must be a check box for 'IsChecked'. (K01512)");
        failed = true;
    } else {
        checked = Send(BM_GETCHECK, 0, 0) != 0;
    }
    const CStatus stored = loom::ReturnBool(call, checked);
    if (!failed) call.m_ReturnStatus = stored;
}
