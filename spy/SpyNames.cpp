#include "SpyNames.h"

#include <cctype>
#include <map>

namespace spy {

namespace {

bool IsAsciiAlnum(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x80 && std::isalnum(u);
}

}  // namespace

std::string IdentifierFromText(const std::string& text)
{
    std::string out;
    bool wordStart = true;
    for (char c : text) {
        if (c == '\t') break;
        if (c == '&') continue;
        if (!IsAsciiAlnum(c)) {
            wordStart = true;
            continue;
        }
        if (wordStart && std::islower(static_cast<unsigned char>(c)))
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        out += c;
        wordStart = false;
    }
    if (!out.empty() && std::isdigit(static_cast<unsigned char>(out[0]))) return std::string();
    return out;
}

std::string ClassBaseName(const std::string& windowClass)
{
    static const std::map<std::string, std::string> known = {
        {"#32770", "Dialog"},           {"SysListView32", "ListView"},
        {"SysTreeView32", "TreeView"},  {"SysTabControl32", "TabControl"},
        {"ToolbarWindow32", "ToolBar"}, {"msctls_statusbar32", "StatusBar"},
        {"msctls_trackbar32", "TrackBar"}, {"msctls_progress32", "Progress"},
        {"msctls_updown32", "UpDown"},  {"SysHeader32", "Header"},
        {"ComboBoxEx32", "ComboBoxEx"}, {"ReBarWindow32", "ReBar"},
        {"RichEdit20W", "RichEdit"},    {"RichEdit20A", "RichEdit"},
        {"RICHEDIT50W", "RichEdit"},    {"SysDateTimePick32", "DateTime"},
    };
    auto it = known.find(windowClass);
    if (it != known.end()) return it->second;
    std::string out;
    for (char c : windowClass)
        if (IsAsciiAlnum(c)) out += c;
    while (!out.empty() && std::isdigit(static_cast<unsigned char>(out.back()))) out.pop_back();
    if (out.empty() || std::isdigit(static_cast<unsigned char>(out[0]))) out = "Window" + out;
    return out;
}

std::string NameScope::Claim(const std::string& wanted)
{
    std::string name = wanted;
    for (int suffix = 2; m_Taken.count(name); ++suffix) name = wanted + std::to_string(suffix);
    m_Taken.insert(name);
    return name;
}

bool IsIdentifier(const std::string& text)
{
    if (text.empty()) return false;
    const unsigned char first = static_cast<unsigned char>(text[0]);
    if (!(std::isalpha(first) || first == '_') || first >= 0x80) return false;
    for (char c : text)
        if (!(IsAsciiAlnum(c) || c == '_')) return false;
    return true;
}

}  // namespace spy
