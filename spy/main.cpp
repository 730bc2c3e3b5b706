// KestrelSpy: writes declarations files from live applications and prints
// their window trees. See SpyOptions.cpp for the command line.
#include "SpyProgram.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    spy::SpyProgram program;
    return program.Run(args);
}
