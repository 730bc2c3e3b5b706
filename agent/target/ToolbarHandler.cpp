#include "ToolbarHandler.h"

#include <new>
#include <commctrl.h>

CToolbarHandler::CToolbarHandler() : CWindowHandler("ToolbarWindow32") {}

CWindowHandler* CToolbarHandler::Clone()
{
    return new (std::nothrow) CToolbarHandler();
}

int CToolbarHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "GetRows") GetRows(call);
    else if (name == "GetCount") GetCount(call);
    else if (name == "PressButton") PressButton(call);
    else return CWindowHandler::ProcessFunction(call);
    return 1;
}

void CToolbarHandler::GetRows(SSI_FunctionAPI& call)
{
    Activate();
    call.m_ReturnStatus = loom::ReturnInt(call, static_cast<int>(Send(TB_GETROWS, 0, 0)));
}

void CToolbarHandler::GetCount(SSI_FunctionAPI& call)
{
    Activate();
    call.m_ReturnStatus = loom::ReturnInt(call, static_cast<int>(Send(TB_BUTTONCOUNT, 0, 0)));
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
