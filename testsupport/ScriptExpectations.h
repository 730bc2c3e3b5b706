// What a test script says of its own run, in comment lines, and the check
// of a run against it. The one reader of these lines for the script tests
// (through script_expect) and the GUI tests (GuiTestRunner):
//   // expect: TEXT        a line the run must print, in order
//   // expect-like: TEXT   the same, where '*' stands for any text
//   // expect-log: LINE    a line of KestrelTarget.log, in order
//   // expect-exit: N      loom's exit status (0 when absent)
// Every error or warning line of a script ("name.lm:LINE: error: ...") that
// the run prints must be expected, so none goes by unnoticed.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace kt {
namespace test {

// The text after "// key:" on a comment line (one blank after the colon
// dropped, trailing blanks trimmed); false when the line is no such
// directive.
bool Directive(const std::string& line, const std::string& key, std::string& value);

// The lines of a text, without line ends and trailing blanks.
std::vector<std::string> SplitLines(const std::string& text);

// Whether text matches pattern, where '*' stands for any text.
bool Like(const std::string& pattern, const std::string& text);

struct ExpectedLine {
    bool wildcard = false;  // expect-like
    std::string text;

    bool Matches(const std::string& line) const;
};

// The first expected line not found, in order, among lines; null when all
// are.
const ExpectedLine* MissingInOrder(const std::vector<ExpectedLine>& expected, const std::vector<std::string>& lines);

class ScriptExpectations {
public:
    // Takes one line of a script; false when it is none of the expect lines.
    bool Take(const std::string& line);
    void Read(std::istream& script);

    // The failures of a run with this output and exit status, one line
    // each; empty when the run is as expected.
    std::vector<std::string> CheckRun(const std::string& output, int exitCode) const;

    const std::vector<ExpectedLine>& Output() const { return m_Output; }
    const std::vector<ExpectedLine>& Log() const { return m_Log; }
    int ExitCode() const { return m_ExitCode; }

private:
    std::vector<ExpectedLine> m_Output;
    std::vector<ExpectedLine> m_Log;
    int m_ExitCode = 0;
};

}  // namespace test
}  // namespace kt
