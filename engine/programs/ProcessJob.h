// The processes a script starts belong to it. loom puts itself into a
// Windows job object with kill-on-close; every process it starts (System,
// Run, and what those start) inherits the job. When a script ends, for any
// reason, EndStrays ends every process of the job but loom itself, so the
// next script starts on a clean desktop; and should loom itself be killed,
// closing the job ends them all. Elsewhere than on Windows there is no job
// and nothing to end.
#pragma once

#include <string>
#include <vector>

class ProcessJob {
public:
    struct Process {
        unsigned long id = 0;
        std::string name;  // the program file, e.g. "notepad.exe"
    };

    ProcessJob();
    // Leaves the job open until loom exits (see the .cpp).
    ~ProcessJob();
    ProcessJob(const ProcessJob&) = delete;
    ProcessJob& operator=(const ProcessJob&) = delete;

    // Whether loom runs in the job; when not, why (e.g. the system refused
    // to put it into one).
    bool Active() const { return m_Job != nullptr; }
    const std::string& Problem() const { return m_Problem; }

    // The processes of the job other than loom, still running.
    std::vector<Process> Strays() const;
    // Ends them and waits (a bounded time) until they are gone; returns
    // those it ended.
    std::vector<Process> EndStrays();

private:
    void* m_Job = nullptr;  // HANDLE
    std::string m_Problem;
};
