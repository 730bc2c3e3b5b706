// The spy's command line: which top-level windows, whether to start the
// program first, and what to do with the windows.
#pragma once

#include <string>
#include <vector>

namespace spy {

struct SpyOptions {
    enum class Select { None, Title, Class, Pid, All };
    enum class Action { None, Tree, Out, At };

    Select select = Select::None;
    std::string title;      // --title; a '*' makes it a partial match
    std::string className;  // --class
    unsigned long pid = 0;  // --pid
    std::string run;        // --run: the command line to start
    double waitSeconds = 10;  // --wait: bound on --run's first window
    bool keep = false;        // --keep: leave the started program running
    Action action = Action::None;
    std::string outPath;  // --out
    int atX = 0, atY = 0;  // --at
    int itemLimit = 20;    // --items
};

// Parses the arguments (without the program name). False with a message
// naming the argument when they are wrong.
bool ParseSpyOptions(const std::vector<std::string>& args, SpyOptions& options, std::string& error);

// Whether a window of class `windowClass` and caption `caption` is selected
// by the title or class of the options (always true for --all and --pid,
// whose test is the process).
bool MatchesSelection(const SpyOptions& options, const std::string& windowClass, const std::string& caption);

const char* SpyUsage();

}  // namespace spy
