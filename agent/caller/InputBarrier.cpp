#include "InputBarrier.h"

#include "BarrierHook.h"
#include "BarrierProtocol.h"
#include "Hook.h"

namespace squire {

namespace {

// The barrier hook on one thread, removed on every path out.
class BarrierHookGuard {
public:
    explicit BarrierHookGuard(DWORD thread)
        : m_Hook(SetWindowsHookExW(WH_GETMESSAGE, BarrierHookProc, ModuleInstance(), thread))
    {
    }
    ~BarrierHookGuard()
    {
        if (m_Hook) UnhookWindowsHookEx(m_Hook);
    }
    BarrierHookGuard(const BarrierHookGuard&) = delete;
    BarrierHookGuard& operator=(const BarrierHookGuard&) = delete;
    explicit operator bool() const { return m_Hook != nullptr; }

private:
    HHOOK m_Hook;
};

// The named event the hook sets for one request.
class BarrierEvent {
public:
    explicit BarrierEvent(LONG number)
    {
        wchar_t name[64];
        BarrierEventName(number, name, sizeof(name) / sizeof(name[0]));
        m_Event = CreateEventW(nullptr, TRUE, FALSE, name);
    }
    ~BarrierEvent()
    {
        if (m_Event) CloseHandle(m_Event);
    }
    BarrierEvent(const BarrierEvent&) = delete;
    BarrierEvent& operator=(const BarrierEvent&) = delete;
    explicit operator bool() const { return m_Event != nullptr; }
    // True when the event is set or `thread` ends within the bound.
    bool Wait(DWORD timeoutMs, DWORD thread) const
    {
        HANDLE handles[2] = {m_Event, OpenThread(SYNCHRONIZE, FALSE, thread)};
        const DWORD count = handles[1] ? 2 : 1;
        const DWORD result = WaitForMultipleObjects(count, handles, FALSE, timeoutMs);
        if (handles[1]) CloseHandle(handles[1]);
        return result == WAIT_OBJECT_0 || result == WAIT_OBJECT_0 + 1;
    }

private:
    HANDLE m_Event = nullptr;
};

// The caller's own thread cannot wait for itself: it handles its queue.
void RunOwnQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

template <class SendMark>
BarrierResult Run(DWORD thread, DWORD timeoutMs, SendMark sendMark)
{
    if (thread == 0) return BarrierResult::Unavailable;
    if (thread == GetCurrentThreadId()) {
        RunOwnQueue();
        return BarrierResult::Taken;
    }
    const LONG number = NextBarrierNumber();
    BarrierEvent event(number);
    BarrierHookGuard hook(thread);
    if (!event || !hook) return BarrierResult::Unavailable;
    if (!sendMark(number)) return BarrierResult::Unavailable;
    // A thread that ends (a window closed, an application that quit) has
    // taken all it will ever take.
    return event.Wait(timeoutMs, thread) ? BarrierResult::Taken : BarrierResult::NotResponding;
}

bool PostRequest(DWORD thread, WPARAM request, LONG number)
{
    return PostThreadMessageW(thread, BarrierMessage(), request, number) != FALSE;
}

}  // namespace

BarrierResult WaitInputTaken(DWORD thread, DWORD timeoutMs)
{
    return Run(thread, timeoutMs, [](LONG number) {
        SetKeyMarkNumber(number);
        const BYTE scan = KeyMarkScan(number);
        keybd_event(kBarrierKey, scan, 0, 0);
        keybd_event(kBarrierKey, scan, KEYEVENTF_KEYUP, 0);
        return true;
    });
}

BarrierResult WaitPostedTaken(DWORD thread, DWORD timeoutMs)
{
    return Run(thread, timeoutMs, [thread](LONG number) { return PostRequest(thread, kBarrierPosted, number); });
}

BarrierResult WaitInputDrained(DWORD thread, DWORD timeoutMs)
{
    return Run(thread, timeoutMs, [thread](LONG number) { return PostRequest(thread, kBarrierIdle, number); });
}

BarrierResult GiveFocus(HWND window, DWORD timeoutMs)
{
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread != 0 && thread == GetCurrentThreadId()) {
        SetFocus(window);
        return BarrierResult::Taken;
    }
    return Run(thread, timeoutMs, [thread, window](LONG number) {
        SetFocusRequestWindow(window);
        return PostRequest(thread, kBarrierFocus, number);
    });
}

}  // namespace squire
