// The parsed form of a script: expressions, statements, user functions.
// Names are resolved by the parser to local slots (numbered per function)
// or to global slots (interned by name, defined when a declaration runs or
// a package defines them), so running a statement looks up no string.
#pragma once

#include "InternalVisibility.h"

#include "Operators.h"
#include "ScriptValue.h"

#include <memory>
#include <string>
#include <vector>

LOOM_INTERNAL_BEGIN
namespace loom {

struct UserFunction;
struct Stmt;
struct Expr;
typedef std::unique_ptr<Expr> ExprPtr;
typedef std::unique_ptr<Stmt> StmtPtr;

enum class ExprKind : uint8_t {
    Constant,    // constant
    Local,       // slot
    Global,      // slot
    Index,       // left[args...]
    Member,      // left.name
    Call,        // name(args...)
    MemberCall,  // left.name(args...)
    Negate,      // -left
    Not,         // !left
    Binary,      // left op right
    And,         // left && right
    Or,          // left || right
    Assign,      // left = right, or left op= right when compound
    Step,        // ++left, left++, --left, left--
};

struct Expr {
    ExprKind kind = ExprKind::Constant;
    BinaryOp op = BinaryOp::Add;
    bool compound = false;   // Assign: left op= right
    bool prefix = false;     // Step
    bool increment = false;  // Step
    bool sideEffects = false;  // contains a call, an assignment or a step
    int line = 0;
    int column = 0;
    int slot = -1;
    std::string name;
    ExprPtr left, right;
    std::vector<ExprPtr> args;
    Value constant;
    // Call: the user function found on the first run.
    const UserFunction* cachedFunction = nullptr;
    // Global: its variable, once defined (global slots never move and stay
    // defined for the rest of the run).
    CVariable* cachedGlobal = nullptr;

    bool IsVariable() const { return kind == ExprKind::Local || kind == ExprKind::Global; }
};

enum class StmtKind : uint8_t {
    Expression, Declaration, Block, If, While, For, Break, Continue, Return, Keyword, Empty,
};

struct Declarator {
    std::string name;
    int slot = -1;
    bool local = false;
    int line = 0;
    std::vector<ExprPtr> dims;  // extents of an array
    ExprPtr init;
};

struct Stmt {
    StmtKind kind = StmtKind::Empty;
    int line = 0;
    ExprPtr expr;              // Expression, If/While/For condition, Return value
    ExprPtr step;              // For
    StmtPtr init;              // For
    StmtPtr body;              // While, For, If (then)
    StmtPtr elseBody;          // If
    std::vector<StmtPtr> statements;  // Block
    // Declaration: the type by name, resolved (and cached) when it runs.
    std::string typeName;
    int typeId = 0;
    std::vector<Declarator> declarators;
    // Keyword: its name and argument text. A declaration whose type name
    // turns out to be a keyword at run time uses keywordText too.
    std::string keyword;
    std::string keywordText;
};

struct Parameter {
    std::string typeName;
    std::string name;
    int slot = -1;
    int line = 0;
};

struct UserFunction {
    std::string name;
    std::string returnTypeName;  // "void" for none
    std::vector<Parameter> params;
    StmtPtr body;
    int line = 0;
    std::vector<std::string> localNames;  // by slot
    // Type numbers, resolved on the first call.
    bool typesResolved = false;
    int returnTypeId = 0;  // 0: void
    std::vector<int> paramTypeIds;
};

struct Program {
    std::string fileName;
    std::vector<std::unique_ptr<UserFunction>> functions;
    std::vector<StmtPtr> statements;
};

}  // namespace loom
LOOM_INTERNAL_END
