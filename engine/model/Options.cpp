#include "Options.h"

#include "FileStream.h"

#include <cstdio>

int std_options::LoadFromFile(const char* path)
{
    File file(path ? path : "");
    if (!file.IsOpen()) return -1;
    int count = 0;
    String line;
    while (file.ReadLine(line) >= 0) {
        String text(line);
        text.Trim();
        if (text.IsEmpty() || text[0] == m_Comment) continue;
        const int pos = text.Find(String(std::string(1, m_Token)));
        if (pos <= 0) continue;  // no token, or an empty key
        String key = text.SubString(0, pos);
        String value = text.SubString(pos + 1);
        key.Trim();
        value.Trim();
        if (key.IsEmpty()) continue;
        if (!SetOption(key, value)) AddOption(key, value);
        ++count;
    }
    return count;
}

int std_options::SaveToFile(const char* path) const
{
    FILE* f = path ? std::fopen(path, "w") : nullptr;
    if (!f) return -1;
    int count = 0;
    for (const auto& option : m_Options) {
        if (std::fprintf(f, "%s%c%s\n", option.first.c_str(), m_Token, option.second.c_str()) < 0) break;
        ++count;
    }
    const bool closed = std::fclose(f) == 0;
    return closed ? count : -1;
}

int std_options::GetOption(const String& key, String& value) const
{
    for (const auto& option : m_Options) {
        if (option.first == key) {
            value = option.second;
            return 1;
        }
    }
    return 0;
}

bool std_options::HasKey(const String& key) const
{
    String ignored;
    return GetOption(key, ignored) != 0;
}

int std_options::SetOption(const String& key, const String& value)
{
    for (auto& option : m_Options) {
        if (option.first == key) {
            option.second = value;
            return 1;
        }
    }
    return 0;
}

int std_options::AddOption(const String& key, const String& value)
{
    if (HasKey(key)) return 0;
    m_Options.emplace_back(key, value);
    return 1;
}

bool std_options::GetKey(int index, String& key) const
{
    if (index < 0 || index >= GetCount()) return false;
    key = m_Options[static_cast<size_t>(index)].first;
    return true;
}

String std_options::List() const
{
    String out;
    for (const auto& option : m_Options) {
        out += option.first;
        out += String(std::string(1, m_Token));
        out += option.second;
        out += "\n";
    }
    return out;
}

void std_options::SetToken(const char* token)
{
    if (token && token[0]) m_Token = token[0];
}

void std_options::SetComment(const char* comment)
{
    if (comment && comment[0]) m_Comment = comment[0];
}
