#include "ComboBoxHandler.h"

#include <new>
#include <vector>

namespace {

// Item texts longer than this are cut to it.
constexpr int kElementBuffer = 1024;

}  // namespace

CComboBoxHandler::CComboBoxHandler() : CWindowHandler("ComboBox") {}

CWindowHandler* CComboBoxHandler::Clone()
{
    return new (std::nothrow) CComboBoxHandler();
}

int CComboBoxHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "GetCount") GetCount(call);
    else if (name == "Select") Select(call);
    else if (name == "GetElement") GetElement(call);
    else return CWindowHandler::ProcessFunction(call);
    return 1;
}

void CComboBoxHandler::GetCount(SSI_FunctionAPI& call)
{
    Activate();
    StoreInt(call, static_cast<int>(Send(CB_GETCOUNT, 0, 0)));
}

void CComboBoxHandler::Select(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!ReadInt(call, 0, index)) return;
    if (Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR) {
        SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01520)",
                 index, static_cast<int>(Send(CB_GETCOUNT, 0, 0)));
        return;
    }
    SetOk(call);
}

void CComboBoxHandler::GetElement(SSI_FunctionAPI& call)
{
    int index = 0;
    if (!ReadInt(call, 0, index)) return;
    Send(CB_SHOWDROPDOWN, TRUE, 0);
    // CB_GETLBTEXT takes no buffer size: the buffer is made as long as the
    // item's text so a long text cannot overrun it; the result is then cut
    // to the first 1,023 characters.
    bool failed = false;
    std::vector<char> buffer(kElementBuffer, '\0');
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length != CB_ERR && length >= kElementBuffer) buffer.assign(static_cast<size_t>(length) + 1, '\0');
    if (length == CB_ERR ||
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR) {
        buffer[0] = '\0';
        SetError(call, "Selection (%d) invalid.  There are from 0 to %d elements in this control. (K01521)",
                 index, static_cast<int>(Send(CB_GETCOUNT, 0, 0)));
        failed = true;
    }
    Send(CB_SHOWDROPDOWN, FALSE, 0);
    buffer[kElementBuffer - 1] = '\0';
    StoreString(call, String(buffer.data()), failed);
}
