// The event through which the hook inside the application tells the caller
// that the answer to its call is in the shared block. The caller creates it
// (auto-reset, unset) before it posts the call; the hook opens it by name
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
    // Clears a signal left by an answer that came after its caller gave up.
    void Reset() const;

    enum WaitResult { Answered, ThreadEnded, TimedOut };
    // Waits within timeoutMs for the answer, or for the target thread to
    // end (it will never answer then).
    WaitResult Wait(DWORD timeoutMs, DWORD thread) const;

private:
    HANDLE m_Event = nullptr;
};

}  // namespace squire
