// The lock on the agent's call channel. There is one shared block and one
// set of shared words for every process that loads the agent, so two
// callers (two scripts, or two threads of one) must not use them at once:
// the caller holds this named mutex from installing the hook and writing
// its request until it has read the reply and removed the hook.
//
// The wait for the lock is bounded. When a holder died while holding it
// (the mutex is abandoned) the next caller takes it over and resets the
// channel: the hook word, the answer's flag, the tags and the start of the
// block, so that nothing the dead caller left is read as a new request.
//
// A process opens the mutex once and keeps its handle; taking and releasing
// the lock are then one round trip to the system each.
#pragma once

#include "SquireApi.h"

#include <windows.h>

namespace squire {

class SQUIRE_API ChannelLock {
public:
    enum State { Held, TakenOver, Busy, Unavailable };

    // Waits up to timeoutMs for the channel.
    explicit ChannelLock(DWORD timeoutMs);
    ~ChannelLock();
    ChannelLock(const ChannelLock&) = delete;
    ChannelLock& operator=(const ChannelLock&) = delete;

    // Held or TakenOver: the caller owns the channel.
    bool Owned() const { return m_State == Held || m_State == TakenOver; }
    State GetState() const { return m_State; }

private:
    HANDLE m_Mutex = nullptr;
    State m_State = Unavailable;
};

// Clears what a dead holder may have left in the channel (see above).
SQUIRE_API void ResetChannel();

}  // namespace squire
