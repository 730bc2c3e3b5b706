#include "ProcessStart.h"

#include "BoundedWait.h"

namespace kestrel {

namespace {

constexpr int kRetryPauseMs = 50;

BOOL SystemCreate(char* commandLine, const char* folder, BOOL inherit, STARTUPINFOA* startup,
                  PROCESS_INFORMATION* info)
{
    return CreateProcessA(nullptr, commandLine, nullptr, nullptr, inherit, 0, nullptr, folder, startup, info);
}

}  // namespace

bool StartProgram(const ProgramStart& start, PROCESS_INFORMATION& info, DWORD* error)
{
    STARTUPINFOA plain{};
    plain.cb = sizeof plain;
    const BOOL inherit = start.startup && (start.startup->dwFlags & STARTF_USESTDHANDLES);
    const CreateProcessFunction create = start.create ? start.create : SystemCreate;
    DWORD last = 0;
    bool refused = false;
    const bool started = loom::WaitUntil(
        [&] {
            // CreateProcessA may write into its command line and its
            // start-up information.
            std::string line = start.commandLine;
            STARTUPINFOA copy = start.startup ? *start.startup : plain;
            info = PROCESS_INFORMATION{};
            if (create(&line[0], start.folder, inherit, &copy, &info)) return true;
            last = GetLastError();
            refused = last == ERROR_INTERNAL_ERROR;
            // Only a refused start is tried again: the wait ends here.
            return !refused;
        },
        start.boundMs, kRetryPauseMs);
    if (started && info.hProcess) return true;
    if (error) *error = last;
    return false;
}

}  // namespace kestrel
