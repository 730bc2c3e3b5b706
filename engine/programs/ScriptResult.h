// What loom knows of one script's run, for its summary and its reports.
#pragma once

#include <string>
#include <vector>

enum class Outcome { Passed, Failed, Broken };  // Broken: unreadable or syntax error

struct ScriptResult {
    std::string name;   // as given on the command line
    std::string path;   // the script's file, absolute
    Outcome outcome = Outcome::Passed;
    int errors = 0;
    double seconds = 0.0;
    std::vector<std::string> lines;  // the errors and warnings reported
    int failureLine = 0;  // the first error's line in the script's outermost statements
    std::string failureFile;  // and its file (an included one, or the script)
    std::vector<std::string> screenshots;  // PNG files of the failure, absolute
};

// "1.234".
std::string FormatSeconds(double seconds);
