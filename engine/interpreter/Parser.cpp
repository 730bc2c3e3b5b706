#include "Parser.h"

namespace loom {

namespace {

// Deep enough for any script a person writes; shallow enough that the
// parser's own recursion stays far from the end of the stack.
constexpr int kMaxNesting = 200;

}  // namespace

Parser::DepthGuard::DepthGuard(Parser& p) : m_Parser(p)
{
    if (++m_Parser.m_Depth > kMaxNesting) m_Parser.Fail(m_Parser.m_Current, "nesting too deep");
}

Parser::Parser(std::string source, GlobalTable& globals, std::function<bool(const std::string&)> isKeyword)
    : m_Lexer(std::move(source)), m_Globals(globals), m_IsKeyword(std::move(isKeyword))
{
}

// --- tokens ----------------------------------------------------------------

const Token& Parser::PeekNext()
{
    if (!m_HasNext) {
        m_Next = m_Lexer.Next();
        m_HasNext = true;
    }
    return m_Next;
}

Token Parser::Take()
{
    Token taken = std::move(m_Current);
    if (m_HasNext) {
        m_Current = std::move(m_Next);
        m_HasNext = false;
    } else {
        m_Current = m_Lexer.Next();
    }
    if (m_Current.kind == TokenKind::Error) Fail(m_Current, m_Current.text);
    return taken;
}

bool Parser::Match(TokenKind kind)
{
    if (!Check(kind)) return false;
    Take();
    return true;
}

void Parser::Fail(const Token& at, const std::string& message)
{
    m_Error.line = at.line;
    m_Error.column = at.column;
    m_Error.message = message;
    throw Failure();
}

void Parser::FailExpected(const char* what)
{
    Fail(m_Current, std::string("expected ") + what + ", found " +
                        (Check(TokenKind::Identifier) ? "'" + m_Current.text + "'" : DescribeToken(m_Current.kind)));
}

Token Parser::Expect(TokenKind kind, const char* what)
{
    if (!Check(kind)) FailExpected(what ? what : DescribeToken(kind));
    return Take();
}

Token Parser::ExpectClosing(TokenKind kind, const Token& opener)
{
    if (!Check(kind)) {
        const std::string what = std::string(DescribeToken(kind)) + " (to close " + DescribeToken(opener.kind) +
                                 " at " + LineText(opener.line, opener.line) + ")";
        FailExpected(what.c_str());
    }
    return Take();
}

// --- program ---------------------------------------------------------------

bool Parser::ParseProgram(Program& program)
{
    try {
        m_Current = m_Lexer.Next();
        if (m_Current.kind == TokenKind::Error) Fail(m_Current, m_Current.text);
        while (!Check(TokenKind::End)) {
            if (Check(TokenKind::Function)) {
                const Token at = m_Current;
                std::unique_ptr<UserFunction> fn = ParseFunction();
                for (const auto& other : program.functions) {
                    if (other->name == fn->name && other->params.size() == fn->params.size()) {
                        Fail(at, "function '" + fn->name + "' with " + std::to_string(fn->params.size()) +
                                     " parameters is already defined at " + LineText(other->line, at.line));
                    }
                }
                program.functions.push_back(std::move(fn));
            }
            else if (m_Includes && Check(TokenKind::Identifier) && m_Current.text == "include" &&
                     PeekNext().kind == TokenKind::StringLiteral) {
                ParseInclude(program);
            }
            else program.statements.push_back(ParseStatement());
        }
        return true;
    } catch (const Failure&) {
        return false;
    }
}

void Parser::ParseInclude(Program& program)
{
    const Token keyword = Take();
    const Token path = Take();
    Expect(TokenKind::Semicolon, "';' after the included file's name");
    std::string source, message;
    int lineBase = 0;
    switch (m_Includes->Open(path.text, keyword.line, source, lineBase, message)) {
    case IncludeLoader::Result::Skip: return;
    case IncludeLoader::Result::Error: Fail(path, message);
    case IncludeLoader::Result::Load: break;
    }
    // The included file's functions and statements join the program where
    // the include stands; its names share the globals.
    Parser inner(std::move(source), m_Globals, m_IsKeyword);
    inner.m_Lexer.SetLineBase(lineBase);
    inner.m_Includes = m_Includes;
    const bool parsed = inner.ParseProgram(program);
    m_Includes->Close();
    if (!parsed) {
        m_Error = inner.m_Error;
        throw Failure();
    }
}

std::string Parser::LineText(int line, int from) const
{
    if (FileOfLine(line) == FileOfLine(from) || !m_Includes) return "line " + std::to_string(LineInFile(line));
    return m_Includes->Where(line);
}

bool Parser::ParseExpression(const UserFunction* context, ExprPtr& expr)
{
    try {
        if (context) {
            PushScope();
            for (size_t i = 0; i < context->localNames.size(); ++i) {
                m_Scopes.back()[context->localNames[i]] = static_cast<int>(i);
            }
        }
        m_Current = m_Lexer.Next();
        if (m_Current.kind == TokenKind::Error) Fail(m_Current, m_Current.text);
        expr = ParseExpr();
        if (!Check(TokenKind::End)) FailExpected("end of expression");
        return true;
    } catch (const Failure&) {
        return false;
    }
}

std::unique_ptr<UserFunction> Parser::ParseFunction()
{
    const Token keyword = Take();
    if (m_Function) Fail(keyword, "functions cannot be defined inside functions");
    auto fn = std::make_unique<UserFunction>();
    fn->line = keyword.line;
    Token first = Expect(TokenKind::Identifier, "the result type of the function");
    if (Check(TokenKind::LeftParen)) {
        fn->returnTypeName = "void";
        fn->name = first.text;
    } else {
        fn->returnTypeName = first.text;
        fn->name = Expect(TokenKind::Identifier, "the function's name").text;
    }
    m_Function = fn.get();
    PushScope();
    const Token open = Expect(TokenKind::LeftParen, "'(' after the function's name");
    if (!Check(TokenKind::RightParen)) {
        do {
            Parameter p;
            const Token type = Expect(TokenKind::Identifier, "a parameter type");
            p.typeName = type.text;
            p.line = type.line;
            p.name = Expect(TokenKind::Identifier, "a parameter name").text;
            p.slot = DeclareLocal(p.name);
            fn->params.push_back(std::move(p));
        } while (Match(TokenKind::Comma));
    }
    ExpectClosing(TokenKind::RightParen, open);
    if (!Check(TokenKind::LeftBrace)) FailExpected("'{' to begin the function's body");
    const int loops = m_LoopDepth;
    m_LoopDepth = 0;
    fn->body = ParseBlock();
    m_LoopDepth = loops;
    PopScope();
    m_Function = nullptr;
    return fn;
}

int Parser::DeclareLocal(const std::string& name)
{
    const int slot = static_cast<int>(m_Function->localNames.size());
    m_Function->localNames.push_back(name);
    m_Scopes.back()[name] = slot;
    return slot;
}

// --- statements ------------------------------------------------------------

StmtPtr Parser::ParseStatement()
{
    DepthGuard guard(*this);
    switch (m_Current.kind) {
    case TokenKind::LeftBrace: return ParseBlock();
    case TokenKind::If: return ParseIf();
    case TokenKind::While: return ParseWhile();
    case TokenKind::For: return ParseFor();
    case TokenKind::Semicolon: {
        auto s = std::make_unique<Stmt>();
        s->kind = StmtKind::Empty;
        s->line = Take().line;
        return s;
    }
    case TokenKind::Break:
    case TokenKind::Continue: {
        if (m_LoopDepth == 0) Fail(m_Current, std::string(DescribeToken(m_Current.kind)) + " outside a loop");
        auto s = std::make_unique<Stmt>();
        s->kind = Check(TokenKind::Break) ? StmtKind::Break : StmtKind::Continue;
        s->line = Take().line;
        Expect(TokenKind::Semicolon, "';'");
        return s;
    }
    case TokenKind::Return: {
        auto s = std::make_unique<Stmt>();
        s->kind = StmtKind::Return;
        s->line = Take().line;
        if (!Check(TokenKind::Semicolon)) s->expr = ParseExpr();
        Expect(TokenKind::Semicolon, "';'");
        return s;
    }
    case TokenKind::Function: Fail(m_Current, "functions can only be defined at the top level");
    case TokenKind::Else: Fail(m_Current, "'else' without 'if'");
    case TokenKind::Identifier:
        if (m_IsKeyword && m_IsKeyword(m_Current.text)) return ParseKeyword();
        if (PeekNext().kind == TokenKind::Identifier) return ParseDeclaration(true);
        break;
    default: break;
    }
    return ParseExpressionStatement(true);
}

StmtPtr Parser::ParseBlock()
{
    const Token open = Take();
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Block;
    s->line = open.line;
    if (InFunction()) PushScope();
    while (!Check(TokenKind::RightBrace)) {
        if (Check(TokenKind::End)) ExpectClosing(TokenKind::RightBrace, open);
        s->statements.push_back(ParseStatement());
    }
    Take();
    if (InFunction()) PopScope();
    return s;
}

StmtPtr Parser::ParseIf()
{
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::If;
    s->line = Take().line;
    const Token open = Expect(TokenKind::LeftParen, "'(' after 'if'");
    s->expr = ParseExpr();
    ExpectClosing(TokenKind::RightParen, open);
    s->body = ParseStatement();
    if (Match(TokenKind::Else)) s->elseBody = ParseStatement();
    return s;
}

StmtPtr Parser::ParseWhile()
{
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::While;
    s->line = Take().line;
    const Token open = Expect(TokenKind::LeftParen, "'(' after 'while'");
    s->expr = ParseExpr();
    ExpectClosing(TokenKind::RightParen, open);
    ++m_LoopDepth;
    s->body = ParseStatement();
    --m_LoopDepth;
    return s;
}

StmtPtr Parser::ParseFor()
{
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::For;
    s->line = Take().line;
    const Token open = Expect(TokenKind::LeftParen, "'(' after 'for'");
    if (InFunction()) PushScope();
    if (!Check(TokenKind::Semicolon)) {
        if (Check(TokenKind::Identifier) && PeekNext().kind == TokenKind::Identifier) {
            s->init = ParseDeclaration(false);
        } else {
            s->init = ParseExpressionStatement(false);
        }
    }
    Expect(TokenKind::Semicolon, "';'");
    if (!Check(TokenKind::Semicolon)) s->expr = ParseExpr();
    Expect(TokenKind::Semicolon, "';'");
    if (!Check(TokenKind::RightParen)) s->step = ParseExpr();
    ExpectClosing(TokenKind::RightParen, open);
    ++m_LoopDepth;
    s->body = ParseStatement();
    --m_LoopDepth;
    if (InFunction()) PopScope();
    return s;
}

StmtPtr Parser::ParseDeclaration(bool needSemicolon)
{
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Declaration;
    const Token type = Take();
    s->line = type.line;
    s->typeName = type.text;
    // Kept in case the type name turns out to be a keyword registered after
    // the script was parsed.
    m_Lexer.FindRawStatement(type.endOffset, s->keywordText);
    do {
        Declarator d;
        const Token name = Expect(TokenKind::Identifier, "a variable name");
        d.name = name.text;
        d.line = name.line;
        while (Check(TokenKind::LeftBracket)) {
            const Token open = Take();
            d.dims.push_back(ParseExpr());
            ExpectClosing(TokenKind::RightBracket, open);
        }
        if (Match(TokenKind::Assign)) d.init = ParseExpr();
        // The name is visible from the next declarator on, not in its own
        // initialiser.
        if (InFunction()) {
            d.local = true;
            d.slot = DeclareLocal(d.name);
        } else {
            d.slot = m_Globals.Intern(d.name);
        }
        s->declarators.push_back(std::move(d));
    } while (Match(TokenKind::Comma));
    if (needSemicolon) Expect(TokenKind::Semicolon, "';'");
    return s;
}

StmtPtr Parser::ParseKeyword()
{
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Keyword;
    s->line = m_Current.line;
    s->keyword = m_Current.text;
    if (!m_Lexer.TakeRawStatement(m_Current.endOffset, s->keywordText)) {
        Fail(m_Current, "expected ';' to end the '" + s->keyword + "' statement");
    }
    m_HasNext = false;
    m_Current = m_Lexer.Next();
    if (m_Current.kind == TokenKind::Error) Fail(m_Current, m_Current.text);
    return s;
}

StmtPtr Parser::ParseExpressionStatement(bool needSemicolon)
{
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Expression;
    s->line = m_Current.line;
    s->expr = ParseExpr();
    if (needSemicolon) Expect(TokenKind::Semicolon, "';'");
    return s;
}

}  // namespace loom
