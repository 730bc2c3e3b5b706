#include "Diagnostics.h"

#include "Environment.h"
#include "Status.h"

#include <algorithm>
#include <cctype>

#include <cstdio>

namespace loom {

std::string FormatLocation(const std::string& file, int line, int column, const std::string& message)
{
    std::string text = file + ":" + std::to_string(line);
    if (column > 0) text += ":" + std::to_string(column);
    return text + ": " + message;
}

std::string StatusPhrase(const CStatus& status)
{
    std::string message = status.GetStatusMessage().str();
    if (!message.empty() && message.back() == '.') message.pop_back();
    if (!message.empty()) message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    return message;
}

int Diagnostics::AddFile(const std::string& name)
{
    m_Files.push_back(name);
    return static_cast<int>(m_Files.size()) - 1;
}

std::string Diagnostics::Where(int line) const { return FileOf(line) + ":" + std::to_string(LineInFile(line)); }

void Diagnostics::Expect(const std::string& code)
{
    m_Expecting = true;
    m_ExpectedCode = code;
}

bool Diagnostics::TakeExpected(const std::string& message)
{
    if (!m_Expecting || message.find(m_ExpectedCode) == std::string::npos) return false;
    m_Expecting = false;
    m_LastErrorText = message;
    return true;
}

void Diagnostics::Report(Severity severity, int line, const std::string& message, int column,
                         const std::vector<int>* calls)
{
    if (severity == Severity::Error && TakeExpected(message)) return;
    if (!calls) calls = m_Calls;
    std::vector<std::string> text;
    text.push_back(
        FormatLocation(FileOf(line), LineInFile(line), column, (severity == Severity::Error ? "error: " : "warning: ") + message));
    if (calls && !calls->empty()) {
        const size_t shown = std::min(calls->size(), kMaxNotes);
        for (size_t i = 0; i < shown; ++i) {
            const int at = (*calls)[calls->size() - 1 - i];
            text.push_back(FormatLocation(FileOf(at), LineInFile(at), 0, "note: called from here"));
        }
        if (calls->size() > shown) {
            const size_t rest = calls->size() - shown;
            text.push_back(FormatLocation(FileOf(calls->front()), LineInFile(calls->front()), 0,
                                          "note: and " + std::to_string(rest) + " more call" + (rest == 1 ? "" : "s") +
                                              ", the outermost here"));
        }
    }
    // What the script printed so far comes first, so that both streams read
    // in order when they go to the same place.
    std::fflush(stdout);
    for (const std::string& one : text) {
        std::fprintf(stderr, "%s\n", one.c_str());
        m_Lines.push_back(one);
    }
    std::fflush(stderr);
    if (severity == Severity::Error) {
        ++m_Errors;
        if (!m_FailureLine) m_FailureLine = calls && !calls->empty() ? calls->front() : line;
        if (m_Environment) m_Environment->CountError();
        if (m_Errors == 1 && m_OnFirstError) {
            // Once only, even should the handler report an error itself.
            const ErrorHandler handler = std::move(m_OnFirstError);
            m_OnFirstError = nullptr;
            handler(message);
        }
    } else if (m_Environment) {
        m_Environment->CountWarning();
    }
}

}  // namespace loom
