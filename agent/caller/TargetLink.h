// The caller's kernel objects for one target thread: the reply event that
// the hook on that thread sets, and a handle on the thread itself, through
// which a wait notices that the thread ended and will never answer.
//
// Opening them costs several round trips to the system for every call, so
// the link to the thread of the last call is kept for the next one: a
// script that reads a control item by item talks to one thread. At most one
// link is open in a process, so the handle footprint stays flat however
// many calls are made. Use it only while holding the channel lock
// (ChannelLock.h), which makes the calls of a process one at a time.
#pragma once

#include "ReplyEvent.h"
#include "SquireApi.h"

#include <windows.h>

#include <memory>

namespace squire {

class SQUIRE_API TargetLink {
public:
    // The link to the given thread: the kept one when the last call went to
    // the same thread, else a new one that replaces it. Null when the reply
    // event cannot be created.
    static TargetLink* For(DWORD process, DWORD thread);
    // Drops the kept link, for a thread that has ended.
    static void Forget();

    ~TargetLink();
    TargetLink(const TargetLink&) = delete;
    TargetLink& operator=(const TargetLink&) = delete;

    // Waits within timeoutMs for the hook's answer: the reply event set
    // while `answered` holds. A signal without an answer is one left by a
    // call that gave up before its answer came, and is waited past.
    template <typename Answered>
    ReplyEvent::WaitResult Wait(DWORD timeoutMs, Answered answered) const
    {
        const DWORD start = GetTickCount();
        for (;;) {
            const DWORD spent = GetTickCount() - start;
            const DWORD left = spent < timeoutMs ? timeoutMs - spent : 0;
            const ReplyEvent::WaitResult result = m_Reply.Wait(left, m_Thread);
            if (result != ReplyEvent::Answered || answered()) return result;
            if (left == 0) return ReplyEvent::TimedOut;
        }
    }

private:
    TargetLink(DWORD process, DWORD thread);

    DWORD m_Process;
    DWORD m_ThreadId;
    ReplyEvent m_Reply;
    HANDLE m_Thread;
};

}  // namespace squire
