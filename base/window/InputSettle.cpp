#include "InputSettle.h"

#include "Actionability.h"
#include "InputBarrier.h"
#include "ResponseBound.h"

namespace KeyInput {

namespace {

CStatus FromBarrier(squire::BarrierResult result, HWND wnd)
{
    if (result != squire::BarrierResult::NotResponding) return CStatus::MakeOK();
    return CStatus::MakeWarning(String::Printf(
        "Window %s has not taken the input within %lu ms: the application is not responding. (K01625)",
        DescribeWindow(wnd).c_str(), static_cast<unsigned long>(squire::ResponseTimeoutMs())));
}

HWND FocusWindow()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(0, &info)) return nullptr;
    return info.hwndFocus ? info.hwndFocus : info.hwndActive;
}

}  // namespace

DWORD FocusThread()
{
    HWND focus = FocusWindow();
    return focus ? GetWindowThreadProcessId(focus, nullptr) : 0;
}

CStatus SettleKeys(DWORD focusThread)
{
    if (!focusThread) return CStatus::MakeOK();
    HWND wnd = FocusWindow();
    return FromBarrier(squire::WaitInputTaken(focusThread, squire::ResponseTimeoutMs()), wnd);
}

CStatus SettleMouse(HWND target, DWORD focusThread)
{
    const DWORD thread = target ? GetWindowThreadProcessId(target, nullptr) : 0;
    if (!thread) return CStatus::MakeOK();
    // Keyboard and mouse input of one thread share one queue, in order: the
    // key mark then follows the click. Input of a thread without the focus
    // is waited for until its queue has nothing left.
    const squire::BarrierResult result =
        thread == focusThread ? squire::WaitInputTaken(thread, squire::ResponseTimeoutMs())
                              : squire::WaitInputDrained(thread, squire::ResponseTimeoutMs());
    return FromBarrier(result, target);
}

CStatus SettleIdle(HWND wnd)
{
    const DWORD thread = wnd ? GetWindowThreadProcessId(wnd, nullptr) : 0;
    if (!thread) return CStatus::MakeOK();
    return FromBarrier(squire::WaitInputDrained(thread, squire::ResponseTimeoutMs()), wnd);
}

CStatus SettlePosted(HWND wnd)
{
    const DWORD thread = wnd ? GetWindowThreadProcessId(wnd, nullptr) : 0;
    if (!thread) return CStatus::MakeOK();
    return FromBarrier(squire::WaitPostedTaken(thread, squire::ResponseTimeoutMs()), wnd);
}

CStatus SettleFocus(HWND wnd)
{
    return FromBarrier(squire::GiveFocus(wnd, squire::ResponseTimeoutMs()), wnd);
}

}  // namespace KeyInput
