#include "ToolbarHandler.h"

#include <commctrl.h>

namespace {

void GetRows(CWindowHandler& self, SSI_FunctionAPI& call)
{
    self.Activate();
    loom::ReturnInt(call, static_cast<int>(self.Send(TB_GETROWS, 0, 0)));
}

void GetCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    self.Activate();
    loom::ReturnInt(call, static_cast<int>(self.Send(TB_BUTTONCOUNT, 0, 0)));
}

void PressButton(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    self.Activate();
    TBBUTTON button{};
    if (self.Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) == 0) {
        CWindowHandler::SetError(call, "ToolBar button (%d) invalid. (K01560)", index);
        return;
    }
    // The tool bar hands WM_COMMAND on to its notification window, as a
    // click on the button would.
    PostMessageA(self.GetWindowHandle(), WM_COMMAND, static_cast<WPARAM>(button.idCommand), 0);
    CWindowHandler::SetOk(call);
}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row kRows[] = {
    {"GetCount", "", 'i', GetCount, loom::RunsIn::Application},
    {"GetRows", "", 'i', GetRows, loom::RunsIn::Application},
    {"PressButton", "i", 0, PressButton, loom::RunsIn::Application, loom::Effect::Acts},
};

}  // namespace

CToolbarHandler::CToolbarHandler() : CControlHandler("ToolbarWindow32") {}

CWindowHandler::RowList CToolbarHandler::OwnRows() const
{
    return RowList(kRows);
}
