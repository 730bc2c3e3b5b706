#include "TabCtrlHandler.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kTextBuffer = 4096;

}  // namespace

CTabCtrlHandler::CTabCtrlHandler() : CControlHandler("SysTabControl32") {}

// Run inside the application: their messages carry pointers into it.
const CWindowHandler::Row CTabCtrlHandler::kRows[] = {
    {"GetActiveTab", "", 'i', Own(&CTabCtrlHandler::GetActiveTab), loom::RunsIn::Application},
    {"GetTabText", "i", 's', Own(&CTabCtrlHandler::GetTabText), loom::RunsIn::Application},
    {"SelectTab", "i", 0, Own(&CTabCtrlHandler::SelectTab), loom::RunsIn::Application},
    {"GetCount", "", 'i', Own(&CTabCtrlHandler::GetCount), loom::RunsIn::Application},
};

CWindowHandler::RowList CTabCtrlHandler::OwnRows() const
{
    return RowList(kRows);
}

void CTabCtrlHandler::SelectTab(SSI_FunctionAPI& call)
{
    int tab = 0;
    if (!loom::ReadInt(call, 0, tab)) return;
    Send(TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
    SetOk(call);
}

void CTabCtrlHandler::GetCount(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(Send(TCM_GETITEMCOUNT, 0, 0)));
}

void CTabCtrlHandler::GetActiveTab(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, static_cast<int>(Send(TCM_GETCURSEL, 0, 0)));
}

void CTabCtrlHandler::GetTabText(SSI_FunctionAPI& call)
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
    if (Send(TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&record)) == 0) {
        buffer[0] = '\0';
        SetError(call, "TabCtrl tab (%d) invalid. (K01550)", tab);
    } else {
        SetOk(call);
    }
    loom::ReturnString(call, String(buffer.data()));
}
