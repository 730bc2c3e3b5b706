// The results of a loom run as one page a person reads: DIR/index.html,
// self-contained (its styles inline, no scripts, no network), with the
// totals, each script's status, duration, error and warning lines (with
// the source line each names) and failure screenshots as thumbnails that
// open full size, and the scripts again, slowest first. Screenshots kept
// elsewhere are copied to DIR/screenshots so that the folder travels whole.
#pragma once

#include "ScriptResult.h"

#include <string>
#include <vector>

// Writes the page; false when the folder or the file cannot be written.
bool WriteHtmlReport(const std::string& folder, const std::vector<ScriptResult>& results);

// The source line that a "file:line: ..." report line names, read from the
// file (looked for beside the script, then as given); empty when there is
// none.
std::string SourceLineOf(const std::string& reportLine, const ScriptResult& result);
