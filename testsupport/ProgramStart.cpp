#include "ProgramStart.h"

#include "ProcessStart.h"

namespace kt::test {

bool StartProgram(const std::string& commandLine, const char* folder, PROCESS_INFORMATION& info, DWORD* error,
                  const STARTUPINFOA* startup)
{
    kestrel::ProgramStart start;
    start.commandLine = commandLine;
    start.folder = folder;
    start.startup = startup;
    return kestrel::StartProgram(start, info, error);
}

}  // namespace kt::test
