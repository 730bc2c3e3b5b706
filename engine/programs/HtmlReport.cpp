#include "HtmlReport.h"

#include "JUnitReport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "h1{font-size:1.4em}h2{font-size:1.15em;margin-top:1.6em}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{border:1px solid #ccc;padding:.35em .6em;text-align:left;vertical-align:top}"
    "th{background:#f0f0f0}"
    ".PASS{color:#fff;background:#2a7d2e}.FAIL{color:#fff;background:#b3261e}.ERROR{color:#fff;background:#7a3e9d}"
    ".status{font-weight:bold;text-align:center;width:4em}"
    ".totals span{display:inline-block;margin-right:1.2em;font-size:1.1em}"
    "pre{margin:.2em 0;white-space:pre-wrap}"
    ".error{color:#b3261e}.warning{color:#8a6d00}.source{color:#555;margin-left:2em}"
    "img.thumb{max-width:240px;max-height:180px;border:1px solid #999;margin:.2em}"
    ".num{text-align:right;white-space:nowrap}";

const char* StatusName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Passed: return "PASS";
    case Outcome::Failed: return "FAIL";
    case Outcome::Broken: return "ERROR";
    }
    return "";
}

std::string Trimmed(const std::string& text)
{
    const size_t a = text.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return std::string();
    const size_t b = text.find_last_not_of(" \t\r\n");
    return text.substr(a, b - a + 1);
}

// The screenshot as the page links it: relative to the folder, copied
// into it when it lies elsewhere.
std::string PageLink(const fs::path& folder, const std::string& shot)
{
    std::error_code ec;
    const fs::path file(shot);
    fs::path relative = fs::relative(file, folder, ec);
    if (ec || relative.empty() || *relative.begin() == "..") {
        const fs::path copy = folder / "screenshots" / file.filename();
        fs::create_directories(copy.parent_path(), ec);
        fs::copy_file(file, copy, fs::copy_options::overwrite_existing, ec);
        relative = fs::path("screenshots") / file.filename();
    }
    return relative.generic_string();
}

void WriteLines(std::ostringstream& html, const ScriptResult& r)
{
    for (const std::string& line : r.lines) {
        const bool warning = line.find(": warning: ") != std::string::npos;
        const bool note = line.find(": note: ") != std::string::npos;
        html << "<pre class=\"" << (warning ? "warning" : note ? "note" : "error") << "\">" << XmlEscape(line)
             << "</pre>";
        if (note) continue;
        const std::string source = SourceLineOf(line, r);
        if (!source.empty()) html << "<pre class=\"source\">" << XmlEscape(source) << "</pre>";
    }
}

}  // namespace

std::string SourceLineOf(const std::string& reportLine, const ScriptResult& result)
{
    // "file:line: ..." or "file:line:column: ..."; the file may hold a
    // drive's colon, so the line is the first all-digit field after it.
    size_t colon = reportLine.find(':');
    while (colon != std::string::npos) {
        const size_t next = reportLine.find(':', colon + 1);
        if (next == std::string::npos) return std::string();
        const std::string field = reportLine.substr(colon + 1, next - colon - 1);
        if (!field.empty() && field.find_first_not_of("0123456789") == std::string::npos) {
            const std::string file = reportLine.substr(0, colon);
            const long line = std::strtol(field.c_str(), nullptr, 10);
            const fs::path scriptFolder = fs::path(result.path).parent_path();
            std::vector<fs::path> candidates;
            if (file == result.name) candidates.push_back(result.path);
            candidates.push_back(scriptFolder / file);
            candidates.push_back(file);
            for (const fs::path& candidate : candidates) {
                std::ifstream in(candidate, std::ios::binary);
                if (!in) continue;
                std::string text;
                for (long n = 1; std::getline(in, text); ++n)
                    if (n == line) return Trimmed(text);
                return std::string();
            }
            return std::string();
        }
        colon = next;
    }
    return std::string();
}

bool WriteHtmlReport(const std::string& folderName, const std::vector<ScriptResult>& results)
{
    const fs::path folder(folderName);
    std::error_code ec;
    fs::create_directories(folder, ec);
    int passed = 0, failed = 0, broken = 0;
    double total = 0.0;
    for (const ScriptResult& r : results) {
        if (r.outcome == Outcome::Passed) ++passed;
        else if (r.outcome == Outcome::Failed) ++failed;
        else ++broken;
        total += r.seconds;
    }

    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>loom: " << passed
         << " passed, " << failed + broken << " failed</title><style>" << kStyle << "</style></head><body>\n";
    html << "<h1>Script results</h1>\n<p class=\"totals\"><span><b>" << results.size() << "</b> scripts</span>"
         << "<span class=\"PASS\">&nbsp;" << passed << " passed&nbsp;</span>"
         << "<span class=\"FAIL\">&nbsp;" << failed << " failed&nbsp;</span>";
    if (broken) html << "<span class=\"ERROR\">&nbsp;" << broken << " not run&nbsp;</span>";
    html << "<span>" << FormatSeconds(total) << " s in all</span></p>\n";

    html << "<h2>Scripts, in the order they ran</h2>\n<table id=\"scripts\"><tr><th>Status</th><th>Script</th>"
            "<th>Duration</th><th>Errors and warnings</th><th>Screenshots</th></tr>\n";
    for (const ScriptResult& r : results) {
        html << "<tr><td class=\"status " << StatusName(r.outcome) << "\">" << StatusName(r.outcome) << "</td><td>"
             << XmlEscape(r.name) << "</td><td class=\"num\">" << FormatSeconds(r.seconds) << " s</td><td>";
        WriteLines(html, r);
        html << "</td><td>";
        for (const std::string& shot : r.screenshots) {
            const std::string link = XmlEscape(PageLink(folder, shot));
            html << "<a href=\"" << link << "\"><img class=\"thumb\" src=\"" << link << "\" alt=\"screenshot of "
                 << XmlEscape(r.name) << "\"></a>";
        }
        html << "</td></tr>\n";
    }
    html << "</table>\n";

    std::vector<const ScriptResult*> slowest;
    for (const ScriptResult& r : results) slowest.push_back(&r);
    std::stable_sort(slowest.begin(), slowest.end(),
                     [](const ScriptResult* a, const ScriptResult* b) { return a->seconds > b->seconds; });
    html << "<h2>Slowest first</h2>\n<table id=\"slowest\"><tr><th>Duration</th><th>Script</th><th>Status</th></tr>\n";
    for (const ScriptResult* r : slowest)
        html << "<tr><td class=\"num\">" << FormatSeconds(r->seconds) << " s</td><td>" << XmlEscape(r->name)
             << "</td><td class=\"status " << StatusName(r->outcome) << "\">" << StatusName(r->outcome)
             << "</td></tr>\n";
    html << "</table>\n</body></html>\n";

    std::ofstream out(folder / "index.html", std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << html.str();
    return static_cast<bool>(out);
}
