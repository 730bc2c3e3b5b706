#include "JUnitReport.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cstdlib>
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
            // A passing script's warnings.
            for (const std::string& line : r.lines) attachments += line + "\n";
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


namespace {

std::string XmlUnescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            static const char* const kNames[][2] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}};
            bool known = false;
            for (const auto& name : kNames) {
                const std::string entity = name[0];
                if (text.compare(i, entity.size(), entity) == 0) {
                    out += name[1];
                    i += entity.size() - 1;
                    known = true;
                    break;
                }
            }
            if (known) continue;
        }
        out += text[i];
    }
    return out;
}

// The value of attribute `name` in the start tag `tag`; empty when absent.
std::string Attribute(const std::string& tag, const std::string& name)
{
    const std::string key = " " + name + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string::npos) return std::string();
    const size_t end = tag.find('"', at + key.size());
    return end == std::string::npos ? std::string() : XmlUnescape(tag.substr(at + key.size(), end - at - key.size()));
}

// The text of the first <element ...>text</element> in `xml`.
bool ElementText(const std::string& xml, const std::string& element, std::string& tag, std::string& text)
{
    const size_t open = xml.find("<" + element + " ");
    const size_t openPlain = xml.find("<" + element + ">");
    const size_t start = std::min(open, openPlain);
    if (start == std::string::npos) return false;
    const size_t tagEnd = xml.find('>', start);
    const size_t close = xml.find("</" + element + ">", tagEnd);
    if (tagEnd == std::string::npos || close == std::string::npos) return false;
    tag = xml.substr(start, tagEnd - start + 1);
    text = XmlUnescape(xml.substr(tagEnd + 1, close - tagEnd - 1));
    return true;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

bool ReadJUnit(const std::string& file, std::vector<ScriptResult>& results)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string xml = buffer.str();
    if (xml.find("<testsuite ") == std::string::npos) return false;
    for (size_t at = xml.find("<testcase "); at != std::string::npos; at = xml.find("<testcase ", at + 1)) {
        const size_t tagEnd = xml.find('>', at);
        if (tagEnd == std::string::npos) return false;
        const std::string tag = xml.substr(at, tagEnd - at + 1);
        const bool empty = tag.size() >= 2 && tag[tag.size() - 2] == '/';
        const size_t close = empty ? tagEnd : xml.find("</testcase>", tagEnd);
        if (close == std::string::npos) return false;
        const std::string body = empty ? std::string() : xml.substr(tagEnd + 1, close - tagEnd - 1);

        ScriptResult r;
        r.name = Attribute(tag, "name");
        r.path = r.name;
        r.seconds = std::strtod(Attribute(tag, "time").c_str(), nullptr);
        r.failureFile = Attribute(tag, "file");
        r.failureLine = std::atoi(Attribute(tag, "line").c_str());
        std::string elementTag, text;
        if (ElementText(body, "failure", elementTag, text) || ElementText(body, "error", elementTag, text)) {
            r.outcome = elementTag.compare(0, 6, "<error") == 0 ? Outcome::Broken : Outcome::Failed;
            r.lines = SplitLines(text);
            r.errors = std::max(1, std::atoi(Attribute(elementTag, "message").c_str()));
        }
        if (ElementText(body, "system-out", elementTag, text)) {
            for (const std::string& line : SplitLines(text)) {
                const std::string prefix = "[[ATTACHMENT|";
                if (line.compare(0, prefix.size(), prefix) == 0 && line.size() > prefix.size() + 2)
                    r.screenshots.push_back(line.substr(prefix.size(), line.size() - prefix.size() - 2));
                else
                    r.lines.push_back(line);
            }
        }
        results.push_back(r);
    }
    return true;
}
