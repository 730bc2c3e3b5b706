// script_expect SCRIPT OUTPUT EXIT_STATUS: checks one run of a test script
// against the script's expect lines (ScriptExpectations.h). OUTPUT is a
// file holding what the run printed. Prints each failure and exits with 1
// when there is one, 0 when the run is as expected, 2 on a usage error.
// RunScriptTest.cmake runs it after loom.
#include "ScriptExpectations.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Under Wine a Linux path (from ctest) names a file on drive Z:.
std::string HostPath(const std::string& path)
{
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') return "Z:" + path;
#endif
    return path;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: script_expect SCRIPT OUTPUT EXIT_STATUS\n");
        return 2;
    }
    std::ifstream script(HostPath(argv[1]));
    std::ifstream outputFile(HostPath(argv[2]), std::ios::binary);
    if (!script || !outputFile) {
        std::fprintf(stderr, "script_expect: cannot read %s\n", !script ? argv[1] : argv[2]);
        return 2;
    }
    kt::test::ScriptExpectations expectations;
    expectations.Read(script);
    std::ostringstream output;
    output << outputFile.rdbuf();
    const auto failures = expectations.CheckRun(output.str(), std::atoi(argv[3]));
    for (const std::string& failure : failures) std::printf("%s\n", failure.c_str());
    return failures.empty() ? 0 : 1;
}
