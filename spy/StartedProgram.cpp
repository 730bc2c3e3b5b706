#include "StartedProgram.h"

#include "ProcessStart.h"

namespace spy {

std::string SystemMessage(DWORD code)
{
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

StartedProgram::~StartedProgram()
{
    if (!m_Process) return;
    if (!m_Keep && Running()) {
        TerminateProcess(m_Process, 1);
        WaitForSingleObject(m_Process, 5000);
    }
    CloseHandle(m_Process);
}

bool StartedProgram::Start(const std::string& commandLine, std::string& error)
{
    kestrel::ProgramStart start;
    start.commandLine = commandLine;
    PROCESS_INFORMATION info{};
    DWORD code = 0;
    if (!kestrel::StartProgram(start, info, &code)) {
        error = "cannot start '" + commandLine + "': " + SystemMessage(code);
        return false;
    }
    CloseHandle(info.hThread);
    m_Process = info.hProcess;
    m_Pid = info.dwProcessId;
    WaitForInputIdle(m_Process, 2000);
    return true;
}

bool StartedProgram::Running() const
{
    return m_Process && WaitForSingleObject(m_Process, 0) == WAIT_TIMEOUT;
}

}  // namespace spy
