#include "ToolbarHandler.h"

#include <commctrl.h>

CToolbarHandler::CToolbarHandler() : CControlHandler("ToolbarWindow32") {}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row CToolbarHandler::kRows[] = {
    {"GetCount", "", 'i', Own(&CToolbarHandler::GetCount), loom::RunsIn::Application},
    {"GetRows", "", 'i', Own(&CToolbarHandler::GetRows), loom::RunsIn::Application},
    {"PressButton", "i", 0, Own(&CToolbarHandler::PressButton), loom::RunsIn::Application, loom::Effect::Acts},
};

CWindowHandler::RowList CToolbarHandler::OwnRows() const
{
    return RowList(kRows);
}

void CToolbarHandler::GetRows(SSI_FunctionAPI& call)
{
    Activate();
    loom::ReturnInt(call, static_cast<int>(Send(TB_GETROWS, 0, 0)));
}

void CToolbarHandler::GetCount(SSI_FunctionAPI& call)
{
    Activate();
    loom::ReturnInt(call, static_cast<int>(Send(TB_BUTTONCOUNT, 0, 0)));
}

void CToolbarHandler::PressButton(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!loom::ReadInt(call, 0, index)) return;
    Activate();
    TBBUTTON button{};
    if (Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) == 0) {
        SetError(call, "ToolBar button (%d) invalid. (K01560)", index);
        return;
    }
    // The tool bar hands WM_COMMAND on to its notification window, as a
    // click on the button would.
    PostMessageA(GetWindowHandle(), WM_COMMAND, static_cast<WPARAM>(button.idCommand), 0);
    SetOk(call);
}
