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
#include "StackGuard.h"

#include <atomic>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace loom {

class LOOM_API CScriptInterpreter : public CInterpreter {
public:
    // Deeper recursion of script functions is an error.
    static constexpr int kMaxCallDepth = 1000;
    // A script call needs this much stack left for itself and the package
    // functions it may call; with less, the call is an error.
    static constexpr size_t kStackReserve = 256 * 1024;

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
    // See Diagnostics::SetFirstErrorHandler.
    void SetFirstErrorHandler(Diagnostics::ErrorHandler handler)
    {
        m_Diagnostics.SetFirstErrorHandler(std::move(handler));
    }
    bool HadSyntaxError() const { return m_SyntaxError; }

    CStatus Evaluate(const String& text, CVariable& result) override;
    void SetStopFlag() override { m_Stop = true; }
    // Stops the script from another thread (the runner's time limit): the
    // running statement finishes, the script goes no further, and Run
    // reports `reason` as an error at that statement's line.
    void StopWithError(const std::string& reason);
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
        std::vector<int> calls;  // the lines of the active calls, outermost first
    };
    [[noreturn]] LOOM_INTERNAL void Fail(int line, const std::string& message);

    // Statements.
    LOOM_INTERNAL Flow Exec(Stmt& s);
    LOOM_INTERNAL void ExecDeclaration(Stmt& s);
    LOOM_INTERNAL Flow ExecWatched(Stmt& s);
    LOOM_INTERNAL void ExecKeyword(const std::string& keyword, const std::string& text, int line);
    // A condition's truth; two int operands are compared inline.
    bool Condition(Expr& e)
    {
        if (e.kind == ExprKind::Binary) {
            Value fast;
            if (IntBinary(e, fast) && fast.GetKind() == Value::Bool) return fast.AsBool();
        }
        return ConditionOf(e);
    }
    LOOM_INTERNAL bool ConditionOf(Expr& e);
    LOOM_INTERNAL int LookupType(const std::string& name) const;

    // Expressions.
    LOOM_INTERNAL Value Eval(Expr& e);
    LOOM_INTERNAL void EvalDiscard(Expr& e);
    LOOM_INTERNAL Value EvalIndex(Expr& e);
    LOOM_INTERNAL Value EvalBinary(Expr& e);
    // v = x or a[i] = x with an int x (IntOperand): stored in place when
    // the target holds an int; false when the general path must run.
    bool AssignIntFast(Expr& e)
    {
        if (e.compound) return false;
        int32_t value;
        if (e.left->kind == ExprKind::Index) {
            CVariable* array = nullptr;
            CData* element = nullptr;
            int index = 0;
            if (!IntOperand(*e.right, value) || !ElementFast(*e.left, array, element, index) ||
                element->GetType() != Types().Int) {
                return false;
            }
            static_cast<CDataInt*>(element)->Data = value;
            return true;
        }
        if (!e.left->IsVariable() || !IntOperand(*e.right, value)) return false;
        CVariable& variable = VariableOf(*e.left);
        if (variable.IsArray()) return false;
        CData* data = variable.GetWorkingData();
        if (!data || data->GetType() != Types().Int) return false;
        static_cast<CDataInt*>(data)->Data = value;
        return true;
    }
    LOOM_INTERNAL Value EvalMember(Expr& e);
    LOOM_INTERNAL Value EvalNegate(Expr& e);
    // IntOperand of an element a[i] and of a nested a op b.
    LOOM_INTERNAL bool IntElement(Expr& e, int32_t& out);
    LOOM_INTERNAL bool IntNested(Expr& e, int32_t& out);
    // A binary operator on two int operands (IntOperand), as FastArithmetic
    // computes it; false when the general path must run.
    bool IntBinary(Expr& e, Value& result)
    {
        int32_t a, b;
        return IntOperand(*e.left, a) && IntOperand(*e.right, b) &&
               FastArithmetic(e.op, Value::FromInt(a), Value::FromInt(b), result);
    }
    LOOM_INTERNAL Value EvalAssign(Expr& e, bool wantResult);
    LOOM_INTERNAL Value EvalStep(Expr& e, bool wantResult);
    LOOM_INTERNAL Value EvalCall(Expr& e);
    LOOM_INTERNAL Value EvalMemberCall(Expr& e);
    LOOM_INTERNAL Value CallUser(const UserFunction& fn, Expr& call);
    // Fails a call too deep; resolves the function's types on its first call.
    LOOM_INTERNAL void PrepareCall(const UserFunction& fn, Expr& call);
    LOOM_INTERNAL bool CallIntrinsic(Expr& e, Value& result);
    LOOM_INTERNAL std::vector<CallArgument> EvalArguments(std::vector<ExprPtr>& args);
    LOOM_INTERNAL std::vector<int> EvalIndices(Expr& e);

    // Places.
    CVariable& VariableOf(Expr& e)
    {
        if (e.kind == ExprKind::Local) return m_Locals[e.slot];
        if (e.cachedGlobal) return *e.cachedGlobal;
        return GlobalOf(e);
    }
    LOOM_INTERNAL CVariable& GlobalOf(Expr& e);
    // The int value of a constant or a plain variable, read without making
    // a Value; false for anything else.
    bool IntOperand(Expr& e, int32_t& out)
    {
        if (e.kind == ExprKind::Constant) {
            if (e.constant.GetKind() != Value::Int) return false;
            out = e.constant.AsInt();
            return true;
        }
        if (e.kind == ExprKind::Index) return IntElement(e, out);
        // A binary with a call inside is never all ints known in advance.
        if (e.kind == ExprKind::Binary) return !e.sideEffects && IntNested(e, out);
        if (!e.IsVariable()) return false;
        const CVariable& variable = VariableOf(e);
        if (variable.IsArray()) return false;
        const CData* data = variable.GetWorkingData();
        if (!data || data->GetType() != Types().Int) return false;
        out = static_cast<const CDataInt*>(data)->Data;
        return true;
    }
    // Fast paths of the commonest statements; each gives false when the
    // general path must run, and evaluates nothing that has side effects
    // before it does. AssignFast: s = s + t on a string variable, appended
    // in place, so that building a string is linear. AppendFast: appends
    // operand to the string variable's text as '+' does. ElementFast: the
    // element a[i] of a one-dimensional array, i in range.
    LOOM_INTERNAL bool AssignFast(Expr& e, bool wantResult, Value& result);
    LOOM_INTERNAL bool AppendFast(CVariable& variable, Value& operand);
    LOOM_INTERNAL bool ElementFast(Expr& e, CVariable*& variable, CData*& element, int& index);
    LOOM_INTERNAL void StoreElement(CVariable& array, CData* element, int index, Value& value, int line);
    LOOM_INTERNAL void VisitPlace(Expr& e, bool writeBack, PlaceVisitor visit);
    LOOM_INTERNAL void Store(Place& place, Value& value, int line);
    LOOM_INTERNAL void StoreVariable(CVariable& variable, Value& value, int line);
    LOOM_INTERNAL void StoreData(CVariable& owner, CData* target, const std::vector<int>* indices, Value& value, int line);

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
    struct Frame {
        std::vector<CVariable> locals;
        const UserFunction* function = nullptr;  // the last one to use it
    };
    std::vector<Frame> m_Frames;  // one per call depth, reused
    StackGuard m_Stack;
    const UserFunction* m_Function = nullptr;
    int m_Depth = 0;
    std::vector<int> m_CallLines;  // lines of the active script calls, outermost first
    bool m_ExpectArmedHere = false;  // the watched statement called ExpectError again
    int m_Line = 0;
    Value m_ReturnValue;
    // Read in every loop; set by Exit() and, from another thread, by
    // StopWithError.
    std::atomic<bool> m_Stop{false};
    std::mutex m_StopMutex;
    std::string m_StopReason;  // guarded by m_StopMutex
};

}  // namespace loom
