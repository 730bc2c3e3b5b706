#include "InputBarrier.h"

#include "BarrierHook.h"
#include "BarrierProtocol.h"
#include "Hook.h"

#include <mutex>
#include <vector>

namespace squire {

namespace {

// The barrier hooks this process has installed, one per application
// thread, kept for the next barrier on the same thread: installing a hook
// is a round trip through the system each time. They are removed when the
// process ends (and by the system with the thread that installed them).
class BarrierHooks {
public:
    ~BarrierHooks()
    {
        for (const Entry& entry : m_Entries) UnhookWindowsHookEx(entry.hook);
    }
    // True when the thread has the hook (installed now or before).
    bool Ensure(DWORD thread)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        for (const Entry& entry : m_Entries) {
            if (entry.thread == thread) return true;
        }
        HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, BarrierHookProc, ModuleInstance(), thread);
        if (!hook) return false;
        // Threads come and go: a bounded number of hooks is kept.
        if (m_Entries.size() >= kMaxHooks) {
            UnhookWindowsHookEx(m_Entries.front().hook);
            m_Entries.erase(m_Entries.begin());
        }
        m_Entries.push_back(Entry{thread, hook});
        return true;
    }
    // The thread ended or stopped answering: its hook is installed anew
    // next time.
    void Forget(DWORD thread)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it) {
            if (it->thread == thread) {
                UnhookWindowsHookEx(it->hook);
                m_Entries.erase(it);
                return;
            }
        }
    }

private:
    static constexpr size_t kMaxHooks = 16;
    struct Entry {
        DWORD thread;
        HHOOK hook;
    };
    std::mutex m_Lock;
    std::vector<Entry> m_Entries;
};

BarrierHooks gHooks;

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
    if (!event || !gHooks.Ensure(thread)) return BarrierResult::Unavailable;
    if (!sendMark(number)) return BarrierResult::Unavailable;
    // A thread that ends (a window closed, an application that quit) has
    // taken all it will ever take.
    if (event.Wait(timeoutMs, thread)) return BarrierResult::Taken;
    gHooks.Forget(thread);
    return BarrierResult::NotResponding;
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
