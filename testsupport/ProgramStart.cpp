#include "ProgramStart.h"

#include "TargetProcess.h"

namespace kt::test {

bool StartProgram(const std::string& commandLine, const char* folder, PROCESS_INFORMATION& info, DWORD* error,
                  const STARTUPINFOA* startup)
{
    STARTUPINFOA plain{};
    plain.cb = sizeof plain;
    const bool inherit = startup && (startup->dwFlags & STARTF_USESTDHANDLES);
    return WaitFor([&] {
        // CreateProcessA may write into its command line and its start-up
        // information.
        std::string line = commandLine;
        STARTUPINFOA copy = startup ? *startup : plain;
        info = PROCESS_INFORMATION{};
        if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, inherit, 0, nullptr, folder, &copy, &info))
            return true;
        if (error) *error = GetLastError();
        return false;
    }, 5000);
}

}  // namespace kt::test
