#include "String.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

String::String(const char* text, int length)
{
    if (text && length > 0) m_Text.assign(text, static_cast<size_t>(length));
}

String& String::FormatV(const char* fmt, va_list args)
{
    if (!fmt) { m_Text.clear(); return *this; }
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (needed < 0) { m_Text.clear(); return *this; }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), fmt, args);
    m_Text.assign(buffer.data(), static_cast<size_t>(needed));
    return *this;
}

String& String::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
    return *this;
}

String String::Printf(const char* fmt, ...)
{
    String s;
    va_list args;
    va_start(args, fmt);
    s.FormatV(fmt, args);
    va_end(args);
    return s;
}

int String::Find(const String& sub, int start, int end) const
{
    const int len = GetLength();
    if (start < 0) start = 0;
    if (end < 0 || end > len) end = len;
    if (start > end) return -1;
    if (sub.IsEmpty()) return start;
    const size_t pos = m_Text.find(sub.m_Text, static_cast<size_t>(start));
    if (pos == std::string::npos) return -1;
    if (static_cast<int>(pos) + sub.GetLength() > end) return -1;
    return static_cast<int>(pos);
}

int String::FindOneOf(const String& set, int start) const
{
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    const size_t pos = m_Text.find_first_of(set.m_Text, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

String String::SubString(int start, int end) const
{
    const int len = GetLength();
    if (start < 0) start = 0;
    if (end < 0 || end > len) end = len;
    if (start >= end) return String();
    return String(m_Text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

namespace {

// Position of delim in text at or after from, skipping quoted stretches
// when quoteAware is set; npos when absent.
size_t FindDelimiter(const std::string& text, const std::string& delim, size_t from, bool quoteAware)
{
    if (delim.empty()) return std::string::npos;
    if (!quoteAware) return text.find(delim, from);
    bool inQuotes = false;
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"') {
            // A backslash-escaped quote inside a literal does not end it.
            if (inQuotes && i > 0 && text[i - 1] == '\\') continue;
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && text.compare(i, delim.size(), delim) == 0) return i;
    }
    return std::string::npos;
}

}  // namespace

int String::Parse(const String& delim, String& token)
{
    const size_t pos = FindDelimiter(m_Text, delim.m_Text, 0, m_QuoteState != 0);
    if (pos == std::string::npos) return -1;
    token.m_Text = m_Text.substr(0, pos);
    m_Text.erase(0, pos + delim.m_Text.size());
    return static_cast<int>(pos);
}

int String::Parse(const String& delims, TNodeTree<String>& tree, int n)
{
    if (m_Text.empty()) return 0;
    std::string separator = delims.m_Text;
    if (n >= 0 && n < static_cast<int>(separator.size())) separator.resize(static_cast<size_t>(n));
    int count = 0;
    size_t from = 0;
    if (separator.empty()) {
        tree.Append(String(m_Text));
        return 1;
    }
    for (;;) {
        const size_t pos = FindDelimiter(m_Text, separator, from, m_QuoteState != 0);
        if (pos == std::string::npos) {
            tree.Append(String(m_Text.substr(from)));
            return count + 1;
        }
        tree.Append(String(m_Text.substr(from, pos - from)));
        ++count;
        from = pos + separator.size();
    }
}

String& String::Trim()
{
    const char* blanks = " \t\r\n";
    const size_t first = m_Text.find_first_not_of(blanks);
    if (first == std::string::npos) { m_Text.clear(); return *this; }
    const size_t last = m_Text.find_last_not_of(blanks);
    m_Text = m_Text.substr(first, last - first + 1);
    return *this;
}

String& String::Reverse()
{
    std::reverse(m_Text.begin(), m_Text.end());
    return *this;
}

int String::Replace(const String& oldText, const String& newText)
{
    if (oldText.IsEmpty()) return 0;
    int count = 0;
    std::string out;
    size_t from = 0;
    for (;;) {
        const size_t pos = m_Text.find(oldText.m_Text, from);
        if (pos == std::string::npos) break;
        out.append(m_Text, from, pos - from);
        out += newText.m_Text;
        from = pos + oldText.m_Text.size();
        ++count;
    }
    if (count == 0) return 0;
    out.append(m_Text, from, std::string::npos);
    m_Text.swap(out);
    return count;
}

String& String::ToUpper()
{
    for (char& c : m_Text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

String& String::ToLower()
{
    for (char& c : m_Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return *this;
}

String& String::chop()
{
    if (!m_Text.empty()) m_Text.pop_back();
    return *this;
}
