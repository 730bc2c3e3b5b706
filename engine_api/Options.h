// std_options: an ordered key/value store with a one-line-per-option file
// syntax: key=value, '#' starting a comment line (both characters can be
// changed). Keys compare case-sensitively.
#pragma once

#include "String.h"

#include <utility>
#include <vector>

class LOOM_API std_options {
public:
    // Number of options read, or -1 when the file cannot be opened. Lines
    // that are no option (no token, empty key) are skipped.
    int LoadFromFile(const char* path);
    // Number of options written, or -1.
    int SaveToFile(const char* path) const;

    int GetOption(const String& key, String& value) const;  // 1 found, 0 not
    bool HasKey(const String& key) const;
    int SetOption(const String& key, const String& value);  // 1 set, 0 no such key
    int AddOption(const String& key, const String& value);  // 1 added, 0 exists
    int GetCount() const { return static_cast<int>(m_Options.size()); }
    bool GetKey(int index, String& key) const;  // index from 0
    String List() const;                        // key=value lines
    void Clear() { m_Options.clear(); }
    void SetToken(const char* token);
    void SetComment(const char* comment);

private:
    std::vector<std::pair<String, String>> m_Options;
    char m_Token = '=';
    char m_Comment = '#';
};
