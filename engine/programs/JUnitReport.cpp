#include "JUnitReport.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string FormatSeconds(double s)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", s);
    return buffer;
}

std::string XmlEscape(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters other than tab and line ends are not
            // allowed in XML 1.0 at all.
            if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') out += '?';
            else out += c;
        }
    }
    return out;
}

bool WriteJUnit(const std::string& file, const std::vector<ScriptResult>& results)
{
    int failures = 0, errors = 0;
    double total = 0.0;
    for (const ScriptResult& r : results) {
        if (r.outcome == Outcome::Failed) ++failures;
        if (r.outcome == Outcome::Broken) ++errors;
        total += r.seconds;
    }
    char stamp[32] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* t = std::gmtime(&now)) std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", t);

    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml << "<testsuites name=\"loom\" tests=\"" << results.size() << "\" failures=\"" << failures << "\" errors=\""
        << errors << "\" time=\"" << FormatSeconds(total) << "\">\n";
    xml << "  <testsuite name=\"loom\" tests=\"" << results.size() << "\" failures=\"" << failures
        << "\" errors=\"" << errors << "\" skipped=\"0\" time=\"" << FormatSeconds(total) << "\" timestamp=\"" << stamp
        << "\">\n";
    for (const ScriptResult& r : results) {
        std::string base = fs::path(r.name).stem().string();
        xml << "    <testcase classname=\"loom." << XmlEscape(base) << "\" name=\"" << XmlEscape(r.name)
            << "\" time=\"" << FormatSeconds(r.seconds) << "\"";
        std::string attachments;
        for (const std::string& shot : r.screenshots) attachments += "[[ATTACHMENT|" + shot + "]]\n";
        if (r.outcome == Outcome::Passed) {
            if (attachments.empty()) xml << "/>\n";
            else xml << ">\n      <system-out>" << XmlEscape(attachments) << "</system-out>\n    </testcase>\n";
            continue;
        }
        // Where the failure is, as the outermost script statement sees it:
        // for an error inside a script function, the line of the call.
        if (r.failureLine > 0) xml << " file=\"" << XmlEscape(r.failureFile) << "\" line=\"" << r.failureLine << "\"";
        std::string body;
        for (const std::string& line : r.lines) body += line + "\n";
        const char* element = r.outcome == Outcome::Broken ? "error" : "failure";
        const std::string message = r.outcome == Outcome::Broken
                                        ? std::string("the script could not be run")
                                        : std::to_string(r.errors) + (r.errors == 1 ? " error" : " errors");
        xml << ">\n      <" << element << " message=\"" << XmlEscape(message) << "\" type=\""
            << (r.outcome == Outcome::Broken ? "ScriptError" : "ScriptFailure") << "\">" << XmlEscape(body) << "</"
            << element << ">\n";
        if (!attachments.empty()) xml << "      <system-out>" << XmlEscape(attachments) << "</system-out>\n";
        xml << "    </testcase>\n";
    }
    xml << "  </testsuite>\n</testsuites>\n";

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << xml.str();
    return static_cast<bool>(out);
}

