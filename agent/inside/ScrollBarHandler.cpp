#include "ScrollBarHandler.h"

namespace {

void GetPos(CWindowHandler& self, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, GetScrollPos(self.GetWindowHandle(), SB_CTL));
}

void SetPos(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int position = 0;
    if (!loom::ReadInt(call, 0, position)) return;
    int minimum = 0, maximum = 0;
    GetScrollRange(self.GetWindowHandle(), SB_CTL, &minimum, &maximum);
    if (position < minimum || position > maximum) {
        CWindowHandler::SetError(call, "Selection (%d) invalid.  ScrollBar range is from %d to %d. (K01531)", position, minimum,
                 maximum);
        return;
    }
    SetScrollPos(self.GetWindowHandle(), SB_CTL, position, TRUE);
    CWindowHandler::SetOk(call);
}

void GetMinimum(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int minimum = 0, maximum = 0;
    GetScrollRange(self.GetWindowHandle(), SB_CTL, &minimum, &maximum);
    loom::ReturnInt(call, minimum);
}

void GetMaximum(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int minimum = 0, maximum = 0;
    GetScrollRange(self.GetWindowHandle(), SB_CTL, &minimum, &maximum);
    loom::ReturnInt(call, maximum);
}

const CWindowHandler::Row kRows[] = {
    {"SetPos", "i", 0, SetPos},
    {"GetPos", "", 'i', GetPos},
    {"GetMaximum", "", 'i', GetMaximum},
    {"GetMinimum", "", 'i', GetMinimum},
};

}  // namespace

CScrollBarHandler::CScrollBarHandler() : CControlHandler("ScrollBar") {}

CWindowHandler::RowList CScrollBarHandler::OwnRows() const
{
    return RowList(kRows);
}
