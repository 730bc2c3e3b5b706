#include "ScriptTimer.h"

ScriptTimer::ScriptTimer(Seconds limit, Seconds grace, std::function<void()> onLimit, std::function<void()> onStuck)
    : m_OnLimit(std::move(onLimit)), m_OnStuck(std::move(onStuck))
{
    if (limit.count() > 0) m_Thread = std::thread([this, limit, grace] { Wait(limit, grace); });
}

ScriptTimer::~ScriptTimer()
{
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Finished = true;
    }
    m_Done.notify_all();
    if (m_Thread.joinable()) m_Thread.join();
}

bool ScriptTimer::Expired() const
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Expired;
}

void ScriptTimer::Wait(Seconds limit, Seconds grace)
{
    std::unique_lock<std::mutex> lock(m_Mutex);
    if (m_Done.wait_for(lock, limit, [this] { return m_Finished; })) return;
    m_Expired = true;
    lock.unlock();
    if (m_OnLimit) m_OnLimit();
    lock.lock();
    if (m_Done.wait_for(lock, grace, [this] { return m_Finished; })) return;
    lock.unlock();
    if (m_OnStuck) m_OnStuck();
}
