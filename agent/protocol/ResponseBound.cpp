#include "ResponseBound.h"

namespace squire {

namespace {

// 1000 tries of 10 ms.
DWORD gResponseTimeoutMs = 10000;

}  // namespace

DWORD ResponseTimeoutMs()
{
    return gResponseTimeoutMs;
}

void SetResponseTimeoutMs(DWORD ms)
{
    gResponseTimeoutMs = ms;
}

bool SendWithinBound(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool wide)
{
    DWORD_PTR answer = 0;
    const LRESULT sent = wide ? SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                                                    gResponseTimeoutMs, &answer)
                              : SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                                                    gResponseTimeoutMs, &answer);
    result = sent ? static_cast<LRESULT>(answer) : 0;
    // A message to a window of this thread is called directly and cannot
    // time out; a zero result from such a call is the window's answer.
    return sent != 0 || GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

String StoredWindowText(HWND window)
{
    wchar_t text[256] = L"";
    InternalGetWindowText(window, text, 256);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
    return String(narrow);
}

String NotRespondingMessage(HWND window)
{
    char className[256] = "";
    GetClassNameA(window, className, sizeof(className));
    return String::Printf("Window '%s' (class '%s') is not responding. (K00303)", StoredWindowText(window).c_str(),
                          className);
}

}  // namespace squire
