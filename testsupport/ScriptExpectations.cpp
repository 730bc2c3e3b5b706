#include "ScriptExpectations.h"

#include <cstdlib>
#include <regex>
#include <sstream>

namespace kt {
namespace test {

namespace {

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    const size_t b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool LikeAt(const char* pattern, const char* text)
{
    // '*' matches greedily from the shortest text up; patterns are short.
    for (; *pattern; ++pattern, ++text) {
        if (*pattern == '*') {
            for (const char* rest = text;; ++rest) {
                if (LikeAt(pattern + 1, rest)) return true;
                if (!*rest) return false;
            }
        }
        if (*text != *pattern) return false;
    }
    return *text == '\0';
}

// "name.lm:12: error: ..." or "name.lm:12:4: warning: ...", anywhere in the
// line.
bool IsScriptDiagnostic(const std::string& line)
{
    static const std::regex kDiagnostic(R"(\.lm:[0-9]+(:[0-9]+)?: (error|warning): )");
    return std::regex_search(line, kDiagnostic);
}

}  // namespace

bool Directive(const std::string& line, const std::string& key, std::string& value)
{
    std::string t = Trim(line);
    if (t.compare(0, 2, "//") != 0) return false;
    t = Trim(t.substr(2));
    if (t.compare(0, key.size() + 1, key + ":") != 0) return false;
    value = t.substr(key.size() + 1);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) value.pop_back();
    return true;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool Like(const std::string& pattern, const std::string& text)
{
    return LikeAt(pattern.c_str(), text.c_str());
}

bool ExpectedLine::Matches(const std::string& line) const
{
    return wildcard ? Like(text, line) : line == text;
}

const ExpectedLine* MissingInOrder(const std::vector<ExpectedLine>& expected, const std::vector<std::string>& lines)
{
    size_t at = 0;
    for (const ExpectedLine& want : expected) {
        while (at < lines.size() && !want.Matches(lines[at])) ++at;
        if (at == lines.size()) return &want;
        ++at;
    }
    return nullptr;
}

bool ScriptExpectations::Take(const std::string& line)
{
    std::string value;
    if (Directive(line, "expect", value)) m_Output.push_back({false, value});
    else if (Directive(line, "expect-like", value)) m_Output.push_back({true, value});
    else if (Directive(line, "expect-log", value)) m_Log.push_back({false, value});
    else if (Directive(line, "expect-exit", value)) m_ExitCode = std::atoi(value.c_str());
    else return false;
    return true;
}

void ScriptExpectations::Read(std::istream& script)
{
    std::string line;
    while (std::getline(script, line)) Take(line);
}

std::vector<std::string> ScriptExpectations::CheckRun(const std::string& output, int exitCode) const
{
    std::vector<std::string> failures;
    if (exitCode != m_ExitCode)
        failures.push_back("loom exited with " + std::to_string(exitCode) + ", expected " +
                           std::to_string(m_ExitCode));
    const std::vector<std::string> lines = SplitLines(output);
    if (const ExpectedLine* missing = MissingInOrder(m_Output, lines))
        failures.push_back("missing output, in order: " + missing->text);
    for (const std::string& line : lines) {
        if (!IsScriptDiagnostic(line)) continue;
        bool expected = false;
        for (const ExpectedLine& want : m_Output) expected = expected || want.Matches(line);
        if (!expected) failures.push_back("not expected: " + line);
    }
    return failures;
}

}  // namespace test
}  // namespace kt
