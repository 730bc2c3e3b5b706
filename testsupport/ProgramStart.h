// Starting a program from a test or a benchmark: every program the tests
// start goes through StartProgram.
#pragma once

#include <windows.h>

#include <string>

namespace kt::test {

// Starts `commandLine` in `folder` (null: the caller's folder). `startup`,
// when given, hands the program standard handles; those (and the caller's
// other inheritable handles) are then inherited. Under Wine a start of a
// program that is there fails now and then with ERROR_INTERNAL_ERROR
// (1359), the new process having ended during its start: 3 times in about
// 500 starts of the spy's tests within one half hour, never in 1,500 starts
// since. So a failed start is tried again for up to 5 s. The programs the
// tests start exist, so a start that still fails is a fault; `error`, when
// given, receives the system's last error.
bool StartProgram(const std::string& commandLine, const char* folder, PROCESS_INFORMATION& info,
                  DWORD* error = nullptr, const STARTUPINFOA* startup = nullptr);

}  // namespace kt::test
