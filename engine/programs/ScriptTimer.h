// A script's time limit. A thread of its own waits; when the limit passes
// before the timer is destroyed, it calls `onLimit` once, and when the
// script has still not ended `grace` later, `onStuck` (a script blocked in
// a call never reaches the point where it could stop).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ScriptTimer {
public:
    using Seconds = std::chrono::duration<double>;

    // A limit of 0 (or less) starts no thread: no limit.
    ScriptTimer(Seconds limit, Seconds grace, std::function<void()> onLimit, std::function<void()> onStuck);
    // Ends the wait; returns once a running onLimit or onStuck has returned.
    ~ScriptTimer();
    ScriptTimer(const ScriptTimer&) = delete;
    ScriptTimer& operator=(const ScriptTimer&) = delete;

    bool Expired() const;

private:
    void Wait(Seconds limit, Seconds grace);

    std::function<void()> m_OnLimit;
    std::function<void()> m_OnStuck;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Done;
    bool m_Finished = false;
    bool m_Expired = false;
    std::thread m_Thread;
};
