#include "TabCtrlHandler.h"

#include <new>
#include <commctrl.h>

#include <vector>

namespace {

constexpr int kTextBuffer = 4096;

}  // namespace

CTabCtrlHandler::CTabCtrlHandler() : CWindowHandler("SysTabControl32") {}

CWindowHandler* CTabCtrlHandler::Clone()
{
    return new (std::nothrow) CTabCtrlHandler();
}

int CTabCtrlHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "SelectTab") SelectTab(call);
    else if (name == "GetCount") GetCount(call);
    else if (name == "GetActiveTab") GetActiveTab(call);
    else if (name == "GetTabText") GetTabText(call);
    else return CWindowHandler::ProcessFunction(call);
    return 1;
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
    call.m_ReturnStatus = loom::ReturnInt(call, static_cast<int>(Send(TCM_GETITEMCOUNT, 0, 0)));
}

void CTabCtrlHandler::GetActiveTab(SSI_FunctionAPI& call)
{
    call.m_ReturnStatus = loom::ReturnInt(call, static_cast<int>(Send(TCM_GETCURSEL, 0, 0)));
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
    bool failed = false;
    if (Send(TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&record)) == 0) {
        buffer[0] = '\0';
        SetError(call, "TabCtrl tab (%d) invalid. (K01550)", tab);
        failed = true;
    } else {
        SetOk(call);
    }
    const CStatus stored = loom::ReturnString(call, String(buffer.data()));
    if (!failed) call.m_ReturnStatus = stored;
}
