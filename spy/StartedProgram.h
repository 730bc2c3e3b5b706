// A program the spy starts with --run: started, waited for until it shows
// a window, and ended again with the spy unless it is to be kept.
#pragma once

#include <windows.h>

#include <string>

namespace spy {

class StartedProgram {
public:
    StartedProgram() = default;
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Starts the command line; false with the system's reason.
    bool Start(const std::string& commandLine, std::string& error);
    DWORD Pid() const { return m_Pid; }
    bool Running() const;
    // The program stays when the spy ends.
    void Keep() { m_Keep = true; }

private:
    HANDLE m_Process = nullptr;
    DWORD m_Pid = 0;
    bool m_Keep = false;
};

// The system's text for an error code, without the line end.
std::string SystemMessage(DWORD code);

}  // namespace spy
