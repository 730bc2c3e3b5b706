#include "ChannelLock.h"

#include "ChannelNames.h"
#include "MemoryMapper.h"
#include "SquireLog.h"
#include "SquireProtocol.h"

#include <atomic>
#include <cstring>

namespace squire {

namespace {
// The part of the block cleared on a take-over: the class name's record and
// the head of the call record, enough that no stale request reads as one.
constexpr size_t kResetBytes = 4096;

// The process's handle on the channel mutex, opened on first use and kept
// (one handle, however many calls). `fresh` tells the first user whether
// the mutex was made just now.
HANDLE ChannelMutex(bool& fresh)
{
    static std::atomic<bool> madeNow{false};
    static const HANDLE mutex = [] {
        HANDLE made = CreateMutexW(nullptr, FALSE, ChannelMutexName());
        madeNow = made && GetLastError() != ERROR_ALREADY_EXISTS;
        return made;
    }();
    fresh = madeNow.exchange(false);
    return mutex;
}

}  // namespace

ChannelLock::ChannelLock(DWORD timeoutMs)
{
    // A mutex made just now had no other user: every caller that used the
    // channel before has ended, and a hook word left set names a hook that
    // went with its thread.
    bool fresh = false;
    m_Mutex = ChannelMutex(fresh);
    if (!m_Mutex) return;
    const DWORD result = WaitForSingleObject(m_Mutex, timeoutMs);
    if (result == WAIT_OBJECT_0) {
        if (fresh && shared::hookHandle != 0) {
            SquireLog("Channel left by an ended caller: reset");
            ResetChannel();
        }
        m_State = Held;
    } else if (result == WAIT_ABANDONED) {
        SquireLog("Channel abandoned: taken over");
        ResetChannel();
        m_State = TakenOver;
    } else {
        m_State = result == WAIT_TIMEOUT ? Busy : Unavailable;
    }
}

ChannelLock::~ChannelLock()
{
    if (Owned()) ReleaseMutex(m_Mutex);
}

void ResetChannel()
{
    // A hook of a dead process or thread is gone with it; the word that
    // names it must go too, or no hook could be installed again.
    shared::hookHandle = 0;
    ClearSquireSync();
    if (unsigned char* block = SharedBlock(BlockAccess::Open)) std::memset(block, 0, kResetBytes);
}

}  // namespace squire
