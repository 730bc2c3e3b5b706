#include "TabCtrlHandler.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kTextBuffer = 4096;

void SelectTab(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int tab = 0;
    if (!loom::ReadInt(call, 0, tab)) return;
    self.Send(TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
    CWindowHandler::SetOk(call);
}

void GetCount(CWindowHandler& self, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(self.Send(TCM_GETITEMCOUNT, 0, 0)));
}

void GetActiveTab(CWindowHandler& self, SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(self.Send(TCM_GETCURSEL, 0, 0)));
}

void GetTabText(CWindowHandler& self, SSI_FunctionAPI& call)
{
    int tab = 0;
    if (!loom::ReadInt(call, 0, tab)) return;
    // One byte more than the limit given to the control, always zero, so a
    // text that fills the limit still ends inside the buffer.
    std::vector<char> buffer(kTextBuffer + 1, '\0');
    TCITEMA record{};
    record.mask = TCIF_TEXT;
    record.pszText = buffer.data();
    record.cchTextMax = kTextBuffer;
    if (self.Send(TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&record)) == 0) {
        buffer[0] = '\0';
        CWindowHandler::SetError(call, "TabCtrl tab (%d) invalid. (K01550)", tab);
    } else {
        CWindowHandler::SetOk(call);
    }
    loom::ReturnString(call, String(buffer.data()));
}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row kRows[] = {
    {"GetActiveTab", "", 'i', GetActiveTab, loom::RunsIn::Application},
    {"GetTabText", "i", 's', GetTabText, loom::RunsIn::Application},
    {"SelectTab", "i", 0, SelectTab, loom::RunsIn::Application},
    {"GetCount", "", 'i', GetCount, loom::RunsIn::Application},
};

}  // namespace

CTabCtrlHandler::CTabCtrlHandler() : CControlHandler("SysTabControl32") {}

CWindowHandler::RowList CTabCtrlHandler::OwnRows() const
{
    return RowList(kRows);
}
