// The one way the toolkit starts a program: System, Run and StartProgram in
// scripts, the spy's --run and the tests' harness all come here.
#pragma once

#include "KestrelBaseApi.h"

#include <windows.h>

#include <string>

namespace kestrel {

// CreateProcessA's part of a start; tests put a fake in its place.
using CreateProcessFunction = BOOL (*)(char* commandLine, const char* folder, BOOL inherit, STARTUPINFOA* startup,
                                       PROCESS_INFORMATION* info);

struct ProgramStart {
    std::string commandLine;
    // The program's working folder; null: the caller's.
    const char* folder = nullptr;
    // Standard handles for the program when it sets STARTF_USESTDHANDLES;
    // they (and the caller's other inheritable handles) are then inherited.
    const STARTUPINFOA* startup = nullptr;
    // How long a refused start is tried again.
    int boundMs = 5000;
    CreateProcessFunction create = nullptr;  // null: the system's
};

// Starts the program; the caller owns the handles in info. Under Wine a
// start of a program that is there is now and then refused with
// ERROR_INTERNAL_ERROR (1359), the new process having ended during its
// start (3 times in about 500 starts in one half hour): such a start is
// tried again, every 50 ms within the bound. Any other failure is final at
// once. False with the system's error in *error.
KESTRELBASE_API bool StartProgram(const ProgramStart& start, PROCESS_INFORMATION& info, DWORD* error = nullptr);

}  // namespace kestrel
