// The tokens of the script language. Every token carries the line and
// column where it starts and its byte offset in the source, so the parser
// can report positions and hand raw text to keywords.
#pragma once

#include "InternalVisibility.h"

#include <cstdint>
#include <string>

LOOM_INTERNAL_BEGIN
namespace loom {

enum class TokenKind : uint8_t {
    End,
    Identifier,
    IntLiteral,
    RealLiteral,
    StringLiteral,
    // Words of the language.
    If, Else, While, For, Break, Continue, Return, Function, True, False,
    // Punctuation.
    LeftParen, RightParen, LeftBrace, RightBrace, LeftBracket, RightBracket,
    Comma, Semicolon, Dot,
    // Operators.
    Plus, Minus, Star, Slash, Percent, Caret, Amp, Pipe, AmpAmp, PipePipe, Bang,
    Assign, PlusAssign, MinusAssign, StarAssign, SlashAssign,
    Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual,
    PlusPlus, MinusMinus,
    Error,  // a lexical error; text holds the message
};

struct Token {
    TokenKind kind = TokenKind::End;
    int line = 1;
    int column = 1;
    size_t offset = 0;  // of the first character in the source
    size_t endOffset = 0;  // one past the last character
    std::string text;   // identifier name, decoded string, literal spelling or error message
    int32_t intValue = 0;
    double realValue = 0.0;
};

// Lines of included files carry the file's number above kFileLineBits: a
// line number alone says which file it is in. The main script is file 0,
// so its lines are plain numbers.
constexpr int kFileLineBits = 20;
inline int LineInFile(int line) { return line & ((1 << kFileLineBits) - 1); }
inline int FileOfLine(int line) { return line >> kFileLineBits; }

// The spelling of a token kind for messages ("')'", "identifier").
const char* DescribeToken(TokenKind kind);

}  // namespace loom
LOOM_INTERNAL_END
