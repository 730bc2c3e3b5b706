#include "Diagnostics.h"

#include "Environment.h"
#include "Status.h"

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

void Diagnostics::Report(Severity severity, int line, const std::string& message, int column)
{
    const std::string text =
        FormatLocation(m_FileName, line, column, (severity == Severity::Error ? "error: " : "warning: ") + message);
    // What the script printed so far comes first, so that both streams read
    // in order when they go to the same place.
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    m_Lines.push_back(text);
    if (severity == Severity::Error) {
        ++m_Errors;
        if (m_Environment) m_Environment->CountError();
    } else if (m_Environment) {
        m_Environment->CountWarning();
    }
}

}  // namespace loom
