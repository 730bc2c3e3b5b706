#include "ScrollBarHandler.h"


CScrollBarHandler::CScrollBarHandler() : CControlHandler("ScrollBar") {}

const CWindowHandler::Row CScrollBarHandler::kRows[] = {
    {"SetPos", "i", 0, Own(&CScrollBarHandler::SetPos)},
    {"GetPos", "", 'i', Own(&CScrollBarHandler::GetPos)},
    {"GetMaximum", "", 'i', Own(&CScrollBarHandler::GetMaximum)},
    {"GetMinimum", "", 'i', Own(&CScrollBarHandler::GetMinimum)},
};

CWindowHandler::RowList CScrollBarHandler::OwnRows() const
{
    return RowList(kRows);
}

void CScrollBarHandler::GetPos(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, GetScrollPos(GetWindowHandle(), SB_CTL));
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
    loom::ReturnInt(call, minimum);
}

void CScrollBarHandler::GetMaximum(SSI_FunctionAPI& call)
{
    int minimum = 0, maximum = 0;
    GetScrollRange(GetWindowHandle(), SB_CTL, &minimum, &maximum);
    loom::ReturnInt(call, maximum);
}
