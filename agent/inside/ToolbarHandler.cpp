#include "ToolbarHandler.h"

#include "NotReady.h"
#include "ResponseBound.h"

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
    // A user cannot press a hidden or disabled button: nothing is posted,
    // and the caller tries again within the lookup bound. A separator keeps
    // posting its stored command, as it always has.
    const String toolbar = squire::StoredWindowText(self.GetWindowHandle());
    const bool separator = (button.fsStyle & BTNS_SEP) != 0;
    if (!separator && (button.fsState & TBSTATE_HIDDEN)) {
        CWindowHandler::SetError(call, "ToolBar button %d of '%s' is not visible; nothing was clicked. (%s)", index,
                                 toolbar.c_str(), squire::kNotVisibleCode);
        return;
    }
    if (!separator && !(button.fsState & TBSTATE_ENABLED)) {
        CWindowHandler::SetError(call, "ToolBar button %d of '%s' is disabled; nothing was clicked. (%s)", index,
                                 toolbar.c_str(), squire::kDisabledCode);
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
    {"PressButton", "i", 0, PressButton, loom::RunsIn::Application, loom::Effect::Clicks},
};

}  // namespace

CToolbarHandler::CToolbarHandler() : CControlHandler("ToolbarWindow32") {}

CWindowHandler::RowList CToolbarHandler::OwnRows() const
{
    return RowList(kRows);
}
