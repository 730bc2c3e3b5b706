// KestrelSpy's work: selects top-level windows (starting the program first
// with --run), then prints their trees, writes a declarations file or
// describes the window at a point.
#pragma once

#include "SpyOptions.h"

#include <windows.h>

#include <string>
#include <vector>

namespace spy {

class SpyProgram {
public:
    // Exit status: 0 done, 1 a failure (message on stderr), 2 bad arguments.
    int Run(const std::vector<std::string>& args);

private:
    // The visible top-level windows the options select, in a fixed order.
    std::vector<HWND> Select(DWORD runPid) const;
    // Waits (within the --wait bound) until the selection is not empty.
    std::vector<HWND> WaitForSelection(DWORD runPid, class StartedProgram& program, std::string& error) const;
    int Tree(const std::vector<HWND>& windows);
    int Out(const std::vector<HWND>& windows);
    int At();
    std::string SelectionText() const;

    SpyOptions m_Options;
};

}  // namespace spy
