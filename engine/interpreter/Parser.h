// Builds the tree of a script (or of one expression, for Evaluate) from the
// lexer's tokens. Stops at the first syntax error and reports it with its
// line and column; unbalanced brackets name the bracket they should close.
#pragma once

#include "InternalVisibility.h"

#include "Ast.h"
#include "GlobalTable.h"
#include "Lexer.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

LOOM_INTERNAL_BEGIN
namespace loom {

struct SyntaxError {
    int line = 0;
    int column = 0;
    std::string message;
};

// Finds the scripts that `include "path";` names, for the parser.
class IncludeLoader {
public:
    enum class Result { Load, Skip, Error };
    virtual ~IncludeLoader() = default;
    // path as written in the file that holds fromLine. Load: source holds
    // the text and lineBase its file's number (kFileLineBits), until Close.
    // Skip: included before. Error: message says why not (a cycle, a file
    // that cannot be read).
    virtual Result Open(const std::string& path, int fromLine, std::string& source, int& lineBase,
                        std::string& message) = 0;
    virtual void Close() = 0;
    // "file:line" of a line of any file.
    virtual std::string Where(int line) const = 0;
};

class Parser {
public:
    // isKeyword tells whether a name is a keyword registered by a package.
    Parser(std::string source, GlobalTable& globals, std::function<bool(const std::string&)> isKeyword);

    bool ParseProgram(Program& program);
    // Lets the script include others (top-level `include "path";`).
    void SetIncludeLoader(IncludeLoader* loader) { m_Includes = loader; }
    // One expression filling the whole text. Names are looked up among the
    // locals of context (may be null), then the globals.
    bool ParseExpression(const UserFunction* context, ExprPtr& expr);

    const SyntaxError& Error() const { return m_Error; }

private:
    struct Failure {};

    // Tokens.
    const Token& Current() const { return m_Current; }
    const Token& PeekNext();
    Token Take();
    bool Check(TokenKind kind) const { return m_Current.kind == kind; }
    bool Match(TokenKind kind);
    Token Expect(TokenKind kind, const char* what);
    Token ExpectClosing(TokenKind kind, const Token& opener);
    [[noreturn]] void Fail(const Token& at, const std::string& message);
    [[noreturn]] void FailExpected(const char* what);

    // Statements.
    std::unique_ptr<UserFunction> ParseFunction();
    StmtPtr ParseStatement();
    void ParseInclude(Program& program);
    std::string LineText(int line, int from) const;
    StmtPtr ParseBlock();
    StmtPtr ParseIf();
    StmtPtr ParseWhile();
    StmtPtr ParseFor();
    StmtPtr ParseDeclaration(bool needSemicolon);
    StmtPtr ParseKeyword();
    StmtPtr ParseExpressionStatement(bool needSemicolon);

    // Expressions, lowest precedence first.
    ExprPtr ParseExpr();
    ExprPtr ParseAssignment();
    ExprPtr ParseOr();
    ExprPtr ParseAnd();
    ExprPtr ParseBitOr();
    ExprPtr ParseBitAnd();
    ExprPtr ParseEquality();
    ExprPtr ParseRelational();
    ExprPtr ParseAdditive();
    ExprPtr ParseMultiplicative();
    ExprPtr ParseUnary();
    ExprPtr ParsePower();
    ExprPtr ParsePostfix();
    ExprPtr ParsePrimary();
    void ParseArguments(const Token& opener, std::vector<ExprPtr>& args);

    ExprPtr NewExpr(ExprKind kind, const Token& at);
    ExprPtr MakeBinary(BinaryOp op, const Token& at, ExprPtr left, ExprPtr right);
    ExprPtr ResolveName(const Token& name);

    // Scopes of the function being parsed (empty at top level).
    void PushScope() { m_Scopes.emplace_back(); }
    void PopScope() { m_Scopes.pop_back(); }
    int DeclareLocal(const std::string& name);
    bool InFunction() const { return m_Function != nullptr; }

    struct DepthGuard {
        explicit DepthGuard(Parser& p);
        ~DepthGuard() { --m_Parser.m_Depth; }
        Parser& m_Parser;
    };

    Lexer m_Lexer;
    GlobalTable& m_Globals;
    std::function<bool(const std::string&)> m_IsKeyword;
    Token m_Current;
    Token m_Next;
    bool m_HasNext = false;
    SyntaxError m_Error;
    int m_Depth = 0;
    int m_LoopDepth = 0;  // loops around the statement being parsed
    UserFunction* m_Function = nullptr;
    IncludeLoader* m_Includes = nullptr;
    std::vector<std::unordered_map<std::string, int>> m_Scopes;
};

}  // namespace loom
LOOM_INTERNAL_END
