// The engine's text type. Positions count from 0; a negative result means
// "not found". Parse splits text the way declarations files and option
// lines need it, optionally ignoring delimiters inside double quotes.
#pragma once

#include "LoomApi.h"
#include "TNodeTree.h"

#include <cstdarg>
#include <string>

class LOOM_API String {
public:
    String() = default;
    String(const char* text) : m_Text(text ? text : "") {}
    String(const char* text, int length);
    String(const std::string& text) : m_Text(text) {}

    const char* c_str() const { return m_Text.c_str(); }
    const std::string& str() const { return m_Text; }
    std::string& str() { return m_Text; }
    int GetLength() const { return static_cast<int>(m_Text.size()); }
    bool IsEmpty() const { return m_Text.empty(); }
    char operator[](int i) const { return (i >= 0 && i < GetLength()) ? m_Text[i] : '\0'; }

    // printf-style; replaces the text. The compiler checks the arguments
    // against the format, so the formatter never reads past them.
    String& Format(const char* fmt, ...) LOOM_PRINTF(2, 3);
    String& FormatV(const char* fmt, va_list args);
    static String Printf(const char* fmt, ...) LOOM_PRINTF(1, 2);

    // Position of sub in [start, end), or -1. -1 bounds mean the whole text.
    int Find(const String& sub, int start = -1, int end = -1) const;
    // Position of the first character from the set at or after start
    // (-1: from the beginning), or -1.
    int FindOneOf(const String& set, int start = -1) const;
    // Characters from start up to, not including, end; end below 0 means to
    // the end of the text. Bounds are clamped.
    String SubString(int start, int end = -1) const;

    // Splits at the first occurrence of delim (outside double quotes when
    // the quote state is on): token receives the text before it, and the
    // delimiter and all before it are removed from this text. Returns the
    // delimiter's position, or -1 (text and token unchanged).
    int Parse(const String& delim, String& token);
    // Splits the whole text into first-level nodes of tree: the first n
    // characters of delims form the separator (the whole text when n is out
    // of range). Empty tokens are kept; an empty text gives no token.
    // Returns the number of tokens.
    int Parse(const String& delims, TNodeTree<String>& tree, int n);
    void SetQuoteState(int on) { m_QuoteState = on; }
    int GetQuoteState() const { return m_QuoteState; }

    String& Trim();      // blanks, tabs, CR and LF at both ends
    String& Reverse();
    int Replace(const String& oldText, const String& newText);  // count replaced
    String& ToUpper();
    String& ToLower();
    String& chop();      // removes the last character, if any

    String& operator=(const char* text) { m_Text = text ? text : ""; return *this; }
    String& operator+=(const String& other) { m_Text += other.m_Text; return *this; }
    String& operator+=(const char* text) { if (text) m_Text += text; return *this; }
    String& operator+=(char c) { m_Text += c; return *this; }
    friend String operator+(const String& a, const String& b) { return String(a.m_Text + b.m_Text); }
    bool operator==(const String& o) const { return m_Text == o.m_Text; }
    bool operator!=(const String& o) const { return m_Text != o.m_Text; }
    bool operator==(const char* o) const { return m_Text == (o ? o : ""); }
    bool operator!=(const char* o) const { return !(*this == o); }
    bool operator<(const String& o) const { return m_Text < o.m_Text; }

private:
    std::string m_Text;
    int m_QuoteState = 0;
};
