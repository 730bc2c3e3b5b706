#include "Activation.h"

namespace squire {

void Activate(HWND wnd)
{
    if (!wnd || !IsWindow(wnd)) return;
    HWND top = GetAncestor(wnd, GA_ROOTOWNER);
    if (!top) top = wnd;
    const DWORD topThread = GetWindowThreadProcessId(top, nullptr);
    HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    if (topThread == foregroundThread) return;
    SetForegroundWindow(top);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
    SetActiveWindow(top);
    SetFocus(top);
}

}  // namespace squire
