#include "ScrollBarHandler.h"

#include <new>

CScrollBarHandler::CScrollBarHandler() : CWindowHandler("ScrollBar") {}

CWindowHandler* CScrollBarHandler::Clone()
{
    return new (std::nothrow) CScrollBarHandler();
}

int CScrollBarHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "GetPos") GetPos(call);
    else if (name == "SetPos") SetPos(call);
    else if (name == "GetMinimum") GetMinimum(call);
    else if (name == "GetMaximum") GetMaximum(call);
    else return CWindowHandler::ProcessFunction(call);
    return 1;
}

void CScrollBarHandler::GetPos(SSI_FunctionAPI& call)
{
    call.m_ReturnStatus = loom::ReturnInt(call, GetScrollPos(GetWindowHandle(), SB_CTL));
}

void CScrollBarHandler::SetPos(SSI_FunctionAPI& call)
{
    int position = 0;
    if (!loom::ReadInt(call, 0, position)) return;
    int minimum = 0, maximum = 0;
    GetScrollRange(GetWindowHandle(), SB_CTL, &minimum, &maximum);
    if (position < minimum || position > maximum) {
        SetError(call, "Selection (%d) invalid.  ScrollBar range is from %d to %d. (K01531)", position, minimum,
                 maximum);
        return;
    }
    SetScrollPos(GetWindowHandle(), SB_CTL, position, TRUE);
    SetOk(call);
}

void CScrollBarHandler::GetMinimum(SSI_FunctionAPI& call)
{
    int minimum = 0, maximum = 0;
    GetScrollRange(GetWindowHandle(), SB_CTL, &minimum, &maximum);
    call.m_ReturnStatus = loom::ReturnInt(call, minimum);
}

void CScrollBarHandler::GetMaximum(SSI_FunctionAPI& call)
{
    int minimum = 0, maximum = 0;
    GetScrollRange(GetWindowHandle(), SB_CTL, &minimum, &maximum);
    call.m_ReturnStatus = loom::ReturnInt(call, maximum);
}
