#include "ChannelLock.h"

#include "ChannelNames.h"
#include "MemoryMapper.h"
#include "SquireLog.h"
#include "SquireProtocol.h"

#include <cstring>

namespace squire {

namespace {
// The part of the block cleared on a take-over: the class name's record and
// the head of the call record, enough that no stale request reads as one.
constexpr size_t kResetBytes = 4096;
}  // namespace

ChannelLock::ChannelLock(DWORD timeoutMs)
{
    m_Mutex = CreateMutexW(nullptr, FALSE, ChannelMutexName());
    if (!m_Mutex) return;
    // A mutex made just now had no other user: every caller that used the
    // channel before has ended, and a hook word left set names a hook that
    // went with its thread.
    const bool fresh = GetLastError() != ERROR_ALREADY_EXISTS;
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
    if (m_Mutex) CloseHandle(m_Mutex);
}

void ResetChannel()
{
    // A hook of a dead process or thread is gone with it; the word that
    // names it must go too, or no hook could be installed again.
    shared::hookHandle = 0;
    ClearSquireSync();
    SharedBlockView block(SharedBlockView::Open);
    if (block.Data()) std::memset(block.Data(), 0, kResetBytes);
}

}  // namespace squire
