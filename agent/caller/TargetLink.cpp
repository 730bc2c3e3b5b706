#include "TargetLink.h"

namespace squire {

namespace {
std::unique_ptr<TargetLink>& Kept()
{
    static std::unique_ptr<TargetLink> link;
    return link;
}
}  // namespace

TargetLink::TargetLink(DWORD process, DWORD thread)
    : m_Process(process),
      m_ThreadId(thread),
      m_Reply(ReplyEvent::Create, process, thread),
      m_Thread(OpenThread(SYNCHRONIZE, FALSE, thread))
{
}

TargetLink::~TargetLink()
{
    if (m_Thread) CloseHandle(m_Thread);
}

TargetLink* TargetLink::For(DWORD process, DWORD thread)
{
    std::unique_ptr<TargetLink>& kept = Kept();
    // While this handle on the thread is open the system does not give its
    // id to another thread, so a kept link that matches is the same thread.
    if (kept && (kept->m_Process != process || kept->m_ThreadId != thread)) kept.reset();
    if (!kept) kept.reset(new TargetLink(process, thread));
    if (!kept->m_Reply) {
        kept.reset();
        return nullptr;
    }
    return kept.get();
}

void TargetLink::Forget() { Kept().reset(); }

}  // namespace squire
