// Turns script text into tokens on demand. The parser pulls one token at a
// time, which lets it take the raw text of a keyword statement and carry on
// lexing after it.
#pragma once

#include "InternalVisibility.h"

#include "Token.h"

#include <string>

LOOM_INTERNAL_BEGIN
namespace loom {

class Lexer {
public:
    explicit Lexer(std::string source);

    Token Next();

    // Raw text of a keyword statement: from the first non-blank character at
    // or after offset to the ';' outside double quotes and parentheses,
    // trailing blanks removed. The lexer continues after the ';'. Returns
    // false (lexer unchanged) when no such ';' exists.
    bool TakeRawStatement(size_t offset, std::string& text);
    // The same text without moving the lexer.
    bool FindRawStatement(size_t offset, std::string& text, size_t* semicolon = nullptr) const;

    const std::string& Source() const { return m_Source; }
    // Added to the line of every token: the file's number (kFileLineBits).
    void SetLineBase(int base) { m_LineBase = base; }

private:
    char Peek(size_t ahead = 0) const;
    char Advance();
    bool SkipBlanksAndComments(Token& error);
    Token Make(TokenKind kind, size_t start, int line, int column) const;
    Token LexNumber(size_t start, int line, int column);
    Token LexString(size_t start, int line, int column);
    Token LexIdentifier(size_t start, int line, int column);
    Token Fail(const std::string& message, int line, int column) const;
    void MoveTo(size_t offset);

    std::string m_Source;
    size_t m_Pos = 0;
    int m_Line = 1;
    int m_Column = 1;
    int m_LineBase = 0;
};

}  // namespace loom
LOOM_INTERNAL_END
