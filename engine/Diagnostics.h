// Reports of a script run: the one formatter of "file:line: message" and
// the sink that prints error and warning lines on standard error, counts
// them in the engine's environment and keeps them for the runner's report.
#pragma once

#include "InternalVisibility.h"

#include <string>
#include <vector>

class CEnvironment;
class CStatus;

LOOM_INTERNAL_BEGIN
namespace loom {

// "file:line: message", or "file:line:column: message" when column > 0.
std::string FormatLocation(const std::string& file, int line, int column, const std::string& message);

// A status message as part of a sentence of ours: first letter in lower
// case, no closing full stop ("Index 3 is out of range." -> "index 3 is out
// of range").
std::string StatusPhrase(const CStatus& status);

class Diagnostics {
public:
    enum class Severity { Error, Warning };

    Diagnostics(std::string fileName, CEnvironment* environment)
        : m_FileName(std::move(fileName)), m_Environment(environment) {}

    void Report(Severity severity, int line, const std::string& message, int column = 0);
    void Error(int line, const std::string& message) { Report(Severity::Error, line, message); }
    void Warning(int line, const std::string& message) { Report(Severity::Warning, line, message); }

    const std::string& FileName() const { return m_FileName; }
    const std::vector<std::string>& Lines() const { return m_Lines; }
    int ErrorCount() const { return m_Errors; }

private:
    std::string m_FileName;
    CEnvironment* m_Environment;
    std::vector<std::string> m_Lines;
    int m_Errors = 0;
};

}  // namespace loom
LOOM_INTERNAL_END
