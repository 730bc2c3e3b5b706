#include "Lexer.h"

#include <cerrno>
#include <cstdlib>
#include <unordered_map>

namespace loom {

const char* DescribeToken(TokenKind kind)
{
    switch (kind) {
    case TokenKind::End: return "end of file";
    case TokenKind::Identifier: return "name";
    case TokenKind::IntLiteral: return "number";
    case TokenKind::RealLiteral: return "number";
    case TokenKind::StringLiteral: return "string";
    case TokenKind::If: return "'if'";
    case TokenKind::Else: return "'else'";
    case TokenKind::While: return "'while'";
    case TokenKind::For: return "'for'";
    case TokenKind::Break: return "'break'";
    case TokenKind::Continue: return "'continue'";
    case TokenKind::Return: return "'return'";
    case TokenKind::Function: return "'function'";
    case TokenKind::True: return "'true'";
    case TokenKind::False: return "'false'";
    case TokenKind::LeftParen: return "'('";
    case TokenKind::RightParen: return "')'";
    case TokenKind::LeftBrace: return "'{'";
    case TokenKind::RightBrace: return "'}'";
    case TokenKind::LeftBracket: return "'['";
    case TokenKind::RightBracket: return "']'";
    case TokenKind::Comma: return "','";
    case TokenKind::Semicolon: return "';'";
    case TokenKind::Dot: return "'.'";
    case TokenKind::Plus: return "'+'";
    case TokenKind::Minus: return "'-'";
    case TokenKind::Star: return "'*'";
    case TokenKind::Slash: return "'/'";
    case TokenKind::Percent: return "'%'";
    case TokenKind::Caret: return "'^'";
    case TokenKind::Amp: return "'&'";
    case TokenKind::Pipe: return "'|'";
    case TokenKind::AmpAmp: return "'&&'";
    case TokenKind::PipePipe: return "'||'";
    case TokenKind::Bang: return "'!'";
    case TokenKind::Assign: return "'='";
    case TokenKind::PlusAssign: return "'+='";
    case TokenKind::MinusAssign: return "'-='";
    case TokenKind::StarAssign: return "'*='";
    case TokenKind::SlashAssign: return "'/='";
    case TokenKind::Equal: return "'=='";
    case TokenKind::NotEqual: return "'!='";
    case TokenKind::Less: return "'<'";
    case TokenKind::LessEqual: return "'<='";
    case TokenKind::Greater: return "'>'";
    case TokenKind::GreaterEqual: return "'>='";
    case TokenKind::PlusPlus: return "'++'";
    case TokenKind::MinusMinus: return "'--'";
    case TokenKind::Error: return "invalid text";
    }
    return "token";
}

Lexer::Lexer(std::string source) : m_Source(std::move(source)) {}

char Lexer::Peek(size_t ahead) const
{
    const size_t i = m_Pos + ahead;
    return i < m_Source.size() ? m_Source[i] : '\0';
}

char Lexer::Advance()
{
    const char c = m_Source[m_Pos++];
    if (c == '\n') {
        ++m_Line;
        m_Column = 1;
    } else {
        ++m_Column;
    }
    return c;
}

void Lexer::MoveTo(size_t offset)
{
    if (offset < m_Pos) {
        // Going back (the parser had looked ahead): recount from the start.
        m_Pos = 0;
        m_Line = 1;
        m_Column = 1;
    }
    while (m_Pos < offset && m_Pos < m_Source.size()) Advance();
}

Token Lexer::Make(TokenKind kind, size_t start, int line, int column) const
{
    Token t;
    t.kind = kind;
    t.line = line + m_LineBase;
    t.column = column;
    t.offset = start;
    t.endOffset = m_Pos;
    return t;
}

Token Lexer::Fail(const std::string& message, int line, int column) const
{
    Token t = Make(TokenKind::Error, m_Pos, line, column);
    t.text = message;
    return t;
}

bool Lexer::SkipBlanksAndComments(Token& error)
{
    for (;;) {
        const char c = Peek();
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            Advance();
        } else if (c == '/' && Peek(1) == '/') {
            while (m_Pos < m_Source.size() && Peek() != '\n') Advance();
        } else if (c == '/' && Peek(1) == '*') {
            const int line = m_Line, column = m_Column;
            Advance();
            Advance();
            for (;;) {
                if (m_Pos >= m_Source.size()) {
                    error = Fail("unterminated comment (opened at line " + std::to_string(line) + ")", line, column);
                    return false;
                }
                if (Peek() == '*' && Peek(1) == '/') {
                    Advance();
                    Advance();
                    break;
                }
                Advance();
            }
        } else {
            return true;
        }
    }
}

Token Lexer::Next()
{
    Token error;
    if (!SkipBlanksAndComments(error)) return error;
    const size_t start = m_Pos;
    const int line = m_Line, column = m_Column;
    if (m_Pos >= m_Source.size()) return Make(TokenKind::End, start, line, column);

    const char c = Peek();
    if ((c >= '0' && c <= '9') || (c == '.' && Peek(1) >= '0' && Peek(1) <= '9')) return LexNumber(start, line, column);
    if (c == '"') return LexString(start, line, column);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') return LexIdentifier(start, line, column);

    Advance();
    auto two = [&](char second, TokenKind pair, TokenKind single) {
        if (Peek() == second) {
            Advance();
            return Make(pair, start, line, column);
        }
        return Make(single, start, line, column);
    };
    switch (c) {
    case '(': return Make(TokenKind::LeftParen, start, line, column);
    case ')': return Make(TokenKind::RightParen, start, line, column);
    case '{': return Make(TokenKind::LeftBrace, start, line, column);
    case '}': return Make(TokenKind::RightBrace, start, line, column);
    case '[': return Make(TokenKind::LeftBracket, start, line, column);
    case ']': return Make(TokenKind::RightBracket, start, line, column);
    case ',': return Make(TokenKind::Comma, start, line, column);
    case ';': return Make(TokenKind::Semicolon, start, line, column);
    case '.': return Make(TokenKind::Dot, start, line, column);
    case '^': return Make(TokenKind::Caret, start, line, column);
    case '%': return Make(TokenKind::Percent, start, line, column);
    case '+':
        if (Peek() == '+') { Advance(); return Make(TokenKind::PlusPlus, start, line, column); }
        return two('=', TokenKind::PlusAssign, TokenKind::Plus);
    case '-':
        if (Peek() == '-') { Advance(); return Make(TokenKind::MinusMinus, start, line, column); }
        return two('=', TokenKind::MinusAssign, TokenKind::Minus);
    case '*': return two('=', TokenKind::StarAssign, TokenKind::Star);
    case '/': return two('=', TokenKind::SlashAssign, TokenKind::Slash);
    case '&': return two('&', TokenKind::AmpAmp, TokenKind::Amp);
    case '|': return two('|', TokenKind::PipePipe, TokenKind::Pipe);
    case '!': return two('=', TokenKind::NotEqual, TokenKind::Bang);
    case '=': return two('=', TokenKind::Equal, TokenKind::Assign);
    case '<': return two('=', TokenKind::LessEqual, TokenKind::Less);
    case '>': return two('=', TokenKind::GreaterEqual, TokenKind::Greater);
    default: break;
    }
    std::string shown = (static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) < 127)
                            ? std::string("'") + c + "'"
                            : "byte " + std::to_string(static_cast<unsigned char>(c));
    return Fail("unexpected character " + shown, line, column);
}

Token Lexer::LexNumber(size_t start, int line, int column)
{
    bool isReal = false;
    if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
        Advance();
        Advance();
        while (isxdigit(static_cast<unsigned char>(Peek()))) Advance();
    } else {
        while (isdigit(static_cast<unsigned char>(Peek()))) Advance();
        if (Peek() == '.' && isdigit(static_cast<unsigned char>(Peek(1)))) {
            isReal = true;
            Advance();
            while (isdigit(static_cast<unsigned char>(Peek()))) Advance();
        } else if (Peek() == '.' && !isalpha(static_cast<unsigned char>(Peek(1))) && Peek(1) != '_') {
            isReal = true;  // "2." is a real
            Advance();
        }
        if ((Peek() == 'e' || Peek() == 'E') &&
            (isdigit(static_cast<unsigned char>(Peek(1))) ||
             ((Peek(1) == '+' || Peek(1) == '-') && isdigit(static_cast<unsigned char>(Peek(2)))))) {
            isReal = true;
            Advance();
            if (Peek() == '+' || Peek() == '-') Advance();
            while (isdigit(static_cast<unsigned char>(Peek()))) Advance();
        }
    }
    if (isalpha(static_cast<unsigned char>(Peek())) || Peek() == '_') {
        return Fail("malformed number", line, column);
    }
    Token t = Make(isReal ? TokenKind::RealLiteral : TokenKind::IntLiteral, start, line, column);
    t.text = m_Source.substr(start, m_Pos - start);
    errno = 0;
    if (isReal) {
        t.realValue = std::strtod(t.text.c_str(), nullptr);
    } else {
        const unsigned long long v = std::strtoull(t.text.c_str(), nullptr, 0);
        const bool hex = t.text.size() > 1 && (t.text[1] == 'x' || t.text[1] == 'X');
        // Hexadecimal literals may spell the full 32-bit pattern (0xFFFFFFFF).
        if (errno != 0 || v > (hex ? 0xFFFFFFFFull : 2147483647ull)) {
            return Fail("integer literal " + t.text + " does not fit in an int", line, column);
        }
        t.intValue = static_cast<int32_t>(static_cast<uint32_t>(v));
    }
    return t;
}

Token Lexer::LexString(size_t start, int line, int column)
{
    Advance();  // opening quote
    std::string value;
    for (;;) {
        if (m_Pos >= m_Source.size() || Peek() == '\n') {
            return Fail("unterminated string", line, column);
        }
        char c = Advance();
        if (c == '"') break;
        if (c == '\\') {
            if (m_Pos >= m_Source.size()) return Fail("unterminated string", line, column);
            const char e = Advance();
            switch (e) {
            case 'n': value += '\n'; break;
            case 't': value += '\t'; break;
            case 'r': value += '\r'; break;
            case '0': value += '\0'; break;
            case '"': value += '"'; break;
            case '\\': value += '\\'; break;
            default:
                // An unknown escape keeps both characters, so a path typed
                // with single backslashes still reads as written.
                value += '\\';
                value += e;
                break;
            }
            continue;
        }
        value += c;
    }
    Token t = Make(TokenKind::StringLiteral, start, line, column);
    t.text = std::move(value);
    return t;
}

Token Lexer::LexIdentifier(size_t start, int line, int column)
{
    while (isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_') Advance();
    static const std::unordered_map<std::string, TokenKind> words = {
        {"if", TokenKind::If},         {"else", TokenKind::Else},         {"while", TokenKind::While},
        {"for", TokenKind::For},       {"break", TokenKind::Break},       {"continue", TokenKind::Continue},
        {"return", TokenKind::Return}, {"function", TokenKind::Function}, {"true", TokenKind::True},
        {"false", TokenKind::False},
    };
    std::string name = m_Source.substr(start, m_Pos - start);
    auto it = words.find(name);
    Token t = Make(it == words.end() ? TokenKind::Identifier : it->second, start, line, column);
    t.text = std::move(name);
    return t;
}

bool Lexer::TakeRawStatement(size_t offset, std::string& text)
{
    size_t semicolon = 0;
    if (!FindRawStatement(offset, text, &semicolon)) return false;
    MoveTo(semicolon + 1);
    return true;
}

bool Lexer::FindRawStatement(size_t offset, std::string& text, size_t* semicolon) const
{
    size_t i = offset;
    while (i < m_Source.size() && (m_Source[i] == ' ' || m_Source[i] == '\t')) ++i;
    const size_t begin = i;
    bool quoted = false;
    int depth = 0;
    for (; i < m_Source.size(); ++i) {
        const char c = m_Source[i];
        if (quoted) {
            if (c == '\\' && i + 1 < m_Source.size()) ++i;
            else if (c == '"') quoted = false;
            else if (c == '\n') return false;
            continue;
        }
        if (c == '"') quoted = true;
        else if (c == '(') ++depth;
        else if (c == ')' && depth > 0) --depth;
        else if (c == ';' && depth == 0) break;
    }
    if (i >= m_Source.size()) return false;
    size_t end = i;
    while (end > begin && (m_Source[end - 1] == ' ' || m_Source[end - 1] == '\t' || m_Source[end - 1] == '\r' ||
                           m_Source[end - 1] == '\n')) {
        --end;
    }
    text = m_Source.substr(begin, end - begin);
    if (semicolon) *semicolon = i;
    return true;
}

}  // namespace loom
