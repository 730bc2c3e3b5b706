// Starting a program from a test or a benchmark: every program the tests
// start goes through StartProgram.
#pragma once

#include <windows.h>

#include <string>

namespace kt::test {

// Starts `commandLine` in `folder` (null: the caller's folder), inheriting
// the caller's inheritable handles when `inheritHandles` is set. Under Wine
// a start of a program that is there fails now and then with
// ERROR_INTERNAL_ERROR (1359), the new process having ended during its
// start: 3 times in about 500 starts of the spy's tests within one half
// hour, never in 1,500 starts since. So a failed start is tried again for
// up to 5 s. The programs the tests start exist, so a start that still
// fails is a fault, reported with the system's last error in `error`.
bool StartProgram(const std::string& commandLine, const char* folder, const STARTUPINFOA& startup,
                  bool inheritHandles, PROCESS_INFORMATION& info, DWORD& error);

}  // namespace kt::test
