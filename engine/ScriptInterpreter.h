// CScriptInterpreter: runs one script. It parses the text into a tree
// (Parser), then walks the tree: statements here, expressions and the
// places they read and write in ScriptInterpreterExpressions.cpp and
// ScriptInterpreterPlaces.cpp. Calls of package functions go through the
// CallDispatcher; errors go to the Diagnostics. Run-time errors the
// interpreter finds itself (an undeclared name, an index out of range)
// stop the script; errors that functions report do not.
#pragma once

#include "Ast.h"
#include "CallDispatcher.h"
#include "Diagnostics.h"
#include "Engine.h"
#include "FunctionRef.h"
#include "GlobalTable.h"
#include "Interpreter.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace loom {

class LOOM_API CScriptInterpreter : public CInterpreter {
public:
    // Deeper recursion of script functions is an error.
    static constexpr int kMaxCallDepth = 1000;

    CScriptInterpreter(CEngine& engine, const std::string& fileName);
    ~CScriptInterpreter() override;
    CScriptInterpreter(const CScriptInterpreter&) = delete;
    CScriptInterpreter& operator=(const CScriptInterpreter&) = delete;

    // Parses the script; a syntax error is reported ("file:line:column:
    // error: ...") and gives false.
    bool Parse(const std::string& source);
    // Runs the parsed script to its end, to Exit() or to a run-time error.
    void Run();

    const Diagnostics& GetDiagnostics() const { return m_Diagnostics; }
    bool HadSyntaxError() const { return m_SyntaxError; }

    CStatus Evaluate(const String& text, CVariable& result) override;
    void SetStopFlag() override { m_Stop = true; }
    CStatus AssignVariable(CVariable& variable) override;
    CStatus DefineVariable(CData& data, const String& name) override;

private:
    enum class Flow { Normal, Break, Continue, Return, Stop };

    // Where an assignment goes: a variable, or one element of it.
    struct Place {
        CVariable* variable = nullptr;
        CData* element = nullptr;
        const std::vector<int>* indices = nullptr;
    };
    typedef FunctionRef<void(Place&)> PlaceVisitor;

    // A run-time error found by the interpreter; caught in Run and Evaluate.
    struct ScriptError {
        int line;
        std::string message;
    };
    [[noreturn]] void Fail(int line, const std::string& message);

    // Statements.
    Flow Exec(Stmt& s);
    void ExecDeclaration(Stmt& s);
    void ExecKeyword(const std::string& keyword, const std::string& text, int line);
    bool Condition(Expr& e);
    int LookupType(const std::string& name) const;

    // Expressions.
    Value Eval(Expr& e);
    void EvalDiscard(Expr& e);
    Value EvalIndex(Expr& e);
    Value EvalBinary(Expr& e);
    Value EvalAssign(Expr& e, bool wantResult);
    Value EvalStep(Expr& e, bool wantResult);
    Value EvalCall(Expr& e);
    Value EvalMemberCall(Expr& e);
    Value CallUser(const UserFunction& fn, Expr& call);
    bool CallIntrinsic(Expr& e, Value& result);
    std::vector<CallArgument> EvalArguments(std::vector<ExprPtr>& args);
    std::vector<int> EvalIndices(Expr& e);

    // Places.
    CVariable& VariableOf(Expr& e);
    void VisitPlace(Expr& e, bool writeBack, PlaceVisitor visit);
    void Store(Place& place, Value& value, int line);
    void StoreVariable(CVariable& variable, Value& value, int line);
    void StoreData(CVariable& owner, CData* target, const std::vector<int>* indices, Value& value, int line);

    CEngine& m_Engine;
    Diagnostics m_Diagnostics;
    CallDispatcher m_Calls;
    GlobalTable m_Globals;
    Program m_Program;
    std::unordered_multimap<std::string, const UserFunction*> m_Functions;
    bool m_Parsed = false;
    bool m_SyntaxError = false;

    // The running function: its locals and declaration (null at top level).
    CVariable* m_Locals = nullptr;
    const UserFunction* m_Function = nullptr;
    int m_Depth = 0;
    int m_Line = 0;
    Value m_ReturnValue;
    bool m_Stop = false;
};

}  // namespace loom
