// The event through which the hook inside the application tells the caller
// that the answer to its call is in the shared block. The caller creates it
// (auto-reset, unset) before its first call to a thread and keeps it for the
// next calls (TargetLink.h); the hook opens it by name, keeps it as well,
// and sets it after writing the answer. Waiting on it replaces polling the
// shared answer flag: the caller wakes as soon as the answer is there.
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

class SQUIRE_API ReplyEvent {
public:
    enum Mode { Create, Open };
    // The event of the given target thread.
    ReplyEvent(Mode mode, DWORD process, DWORD thread);
    ~ReplyEvent();
    ReplyEvent(const ReplyEvent&) = delete;
    ReplyEvent& operator=(const ReplyEvent&) = delete;

    explicit operator bool() const { return m_Event != nullptr; }
    HANDLE Handle() const { return m_Event; }
    void Set() const;

    enum WaitResult { Answered, ThreadEnded, TimedOut };
    // Waits within timeoutMs for the event, or for the target thread (a
    // handle with SYNCHRONIZE access; may be null) to end: it will never
    // answer then.
    WaitResult Wait(DWORD timeoutMs, HANDLE thread) const;

private:
    HANDLE m_Event = nullptr;
};

}  // namespace squire
