// Reports of a script run: the one formatter of "file:line: message" and
// the sink that prints error and warning lines on standard error, counts
// them in the engine's environment and keeps them for the runner's report.
#pragma once

#include "InternalVisibility.h"

#include "Token.h"

#include <functional>
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
        : m_FileName(fileName), m_Environment(environment), m_Files{std::move(fileName)} {}

    // An included file's name as reports show it; gives its number, which
    // its lines carry above kFileLineBits.
    int AddFile(const std::string& name);
    // Inline: the runner, outside the library, asks it of FailureFile.
    const std::string& FileOf(int line) const
    {
        const size_t file = static_cast<size_t>(FileOfLine(line));
        return file < m_Files.size() ? m_Files[file] : m_FileName;
    }
    // "file:line" of any line.
    std::string Where(int line) const;

    // An error's or warning's first line is followed by one note per active script
    // call, innermost first ("file:line: note: called from here"), at most
    // kMaxNotes of them and then a count of the rest. calls lists the lines
    // of the calls, outermost first; it overrides the live chain set with
    // SetCallChain (an error caught after its calls have returned).
    static constexpr size_t kMaxNotes = 20;
    void Report(Severity severity, int line, const std::string& message, int column = 0,
                const std::vector<int>* calls = nullptr);
    void SetCallChain(const std::vector<int>* calls) { m_Calls = calls; }

    // An expected error (ExpectError): the next error whose message holds
    // code (any error when code is empty) is taken as expected: it is
    // neither printed nor counted, and its message is kept as the last
    // error text.
    void Expect(const std::string& code);
    bool Expecting() const { return m_Expecting; }
    const std::string& ExpectedCode() const { return m_ExpectedCode; }
    // True when message meets the expectation (which then ends).
    bool TakeExpected(const std::string& message);
    void CancelExpectation() { m_Expecting = false; }
    const std::string& LastErrorText() const { return m_LastErrorText; }

    // The line of the first error as the script's outermost statement
    // sees it: the outermost call's line for an error inside a function.
    // 0 when there was no error.
    int FailureLine() const { return LineInFile(m_FailureLine); }
    const std::string& FailureFile() const { return FileOf(m_FailureLine); }
    void Error(int line, const std::string& message) { Report(Severity::Error, line, message); }
    void Warning(int line, const std::string& message) { Report(Severity::Warning, line, message); }

    // Called once, with its message, right after the first error is
    // reported (the runner's screenshot of the failure, taken while the
    // screen still shows it).
    using ErrorHandler = std::function<void(const std::string& message)>;
    void SetFirstErrorHandler(ErrorHandler handler) { m_OnFirstError = std::move(handler); }

    const std::string& FileName() const { return m_FileName; }
    const std::vector<std::string>& Lines() const { return m_Lines; }
    int ErrorCount() const { return m_Errors; }

private:
    std::string m_FileName;
    CEnvironment* m_Environment;
    std::vector<std::string> m_Lines;
    int m_Errors = 0;
    int m_FailureLine = 0;
    const std::vector<int>* m_Calls = nullptr;
    bool m_Expecting = false;
    std::string m_ExpectedCode;
    std::string m_LastErrorText;
    std::vector<std::string> m_Files;  // by number; 0 is the script itself
    ErrorHandler m_OnFirstError;
};

}  // namespace loom
LOOM_INTERNAL_END
