// The results of a loom run as JUnit XML, the format CI servers read.
// Failure screenshots are named in each case's <system-out> as
// [[ATTACHMENT|path]].
#pragma once

#include "ScriptResult.h"

#include <string>
#include <vector>

std::string XmlEscape(const std::string& text);

// Writes the file; false when it cannot be written.
bool WriteJUnit(const std::string& file, const std::vector<ScriptResult>& results);

// Reads back a file that WriteJUnit wrote (the results of the scripts that
// several loom processes ran apart, to be reported as one run) and appends
// its cases to `results`; false when it cannot be read or holds no suite.
bool ReadJUnit(const std::string& file, std::vector<ScriptResult>& results);
