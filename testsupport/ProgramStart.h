// Starting a program from a test or a benchmark: every program the tests
// start goes through StartProgram, which is the product's own start
// (base/globals/ProcessStart.h) with the tests' defaults.
#pragma once

#include <windows.h>

#include <string>

namespace kt::test {

// Starts `commandLine` in `folder` (null: the caller's folder). `startup`,
// when given, hands the program standard handles; those (and the caller's
// other inheritable handles) are then inherited. A start that Wine refuses
// is tried again for up to 5 s. The programs the tests start exist, so a
// start that still fails is a fault; `error`, when given, receives the
// system's last error.
bool StartProgram(const std::string& commandLine, const char* folder, PROCESS_INFORMATION& info,
                  DWORD* error = nullptr, const STARTUPINFOA* startup = nullptr);

}  // namespace kt::test
