#include "ReplyEvent.h"

#include "ChannelNames.h"

namespace squire {

ReplyEvent::ReplyEvent(Mode mode, DWORD process, DWORD thread)
{
    wchar_t name[128];
    if (!ReplyEventName(process, thread, name, sizeof(name) / sizeof(name[0]))) return;
    m_Event = mode == Create ? CreateEventW(nullptr, FALSE, FALSE, name)
                             : OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
}

ReplyEvent::~ReplyEvent()
{
    if (m_Event) CloseHandle(m_Event);
}

void ReplyEvent::Set() const
{
    if (m_Event) SetEvent(m_Event);
}

ReplyEvent::WaitResult ReplyEvent::Wait(DWORD timeoutMs, HANDLE thread) const
{
    if (!m_Event) return TimedOut;
    HANDLE handles[2] = {m_Event, thread};
    const DWORD count = thread ? 2 : 1;
    const DWORD result = WaitForMultipleObjects(count, handles, FALSE, timeoutMs);
    if (result == WAIT_OBJECT_0) return Answered;
    if (count == 2 && result == WAIT_OBJECT_0 + 1) return ThreadEnded;
    return TimedOut;
}

}  // namespace squire
