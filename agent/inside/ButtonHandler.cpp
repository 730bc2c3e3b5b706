#include "ButtonHandler.h"

namespace {

LONG ButtonType(const CWindowHandler& self)
{
    return GetWindowLongA(self.GetWindowHandle(), GWL_STYLE) & 0xF;
}

void Click(CWindowHandler& self, SSI_FunctionAPI& call)
{
    self.Activate();
    // Posted: a click may open a modal dialog, which must not block the
    // caller.
    if (!PostMessageA(self.GetWindowHandle(), BM_CLICK, 0, 0)) CWindowHandler::SetError(call, "Click failed. (K01510)");
}

void IsSelected(CWindowHandler& self, SSI_FunctionAPI& call)
{
    const LONG type = ButtonType(self);
    bool selected = false;
    if (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON) {
        CWindowHandler::SetError(call, "Button must be a radio button for 'IsSelected'. (K01511)");
    } else {
        selected = (self.Send(BM_GETSTATE, 0, 0) & 0x1) != 0;
    }
    loom::ReturnBool(call, selected);
}

void IsChecked(CWindowHandler& self, SSI_FunctionAPI& call)
{
    const LONG type = ButtonType(self);
    bool checked = false;
    if (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX && type != BS_3STATE && type != BS_AUTO3STATE) {
        CWindowHandler::SetError(call, "Button must be a check box for 'IsChecked'. (K01512)");
    } else {
        checked = self.Send(BM_GETCHECK, 0, 0) != 0;
    }
    loom::ReturnBool(call, checked);
}

const CWindowHandler::Row kRows[] = {
    {"Click", "", 0, Click, loom::RunsIn::Script, loom::Effect::Clicks},
    {"IsSelected", "", 'b', IsSelected},
    {"IsChecked", "", 'b', IsChecked},
};

}  // namespace

CButtonHandler::CButtonHandler() : CControlHandler("Button") {}

CWindowHandler::RowList CButtonHandler::OwnRows() const
{
    return RowList(kRows);
}
