#include "ProgramStart.h"

namespace kt::test {

bool StartProgram(const std::string& commandLine, const char* folder, const STARTUPINFOA& startup,
                  bool inheritHandles, PROCESS_INFORMATION& info, DWORD& error)
{
    const DWORD start = GetTickCount();
    for (;;) {
        // CreateProcessA may write into its command line and its start-up
        // information.
        std::string line = commandLine;
        STARTUPINFOA copy = startup;
        info = PROCESS_INFORMATION{};
        if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, inheritHandles, 0, nullptr, folder, &copy, &info))
            return true;
        error = GetLastError();
        if (GetTickCount() - start >= 5000) return false;
        Sleep(20);
    }
}

}  // namespace kt::test
