// CScriptInterpreter: evaluation of expressions and calls.
#include "ScriptInterpreter.h"

#include "Factory.h"

namespace loom {

CVariable& CScriptInterpreter::GlobalOf(Expr& e)
{
    if (!m_Globals.IsDefined(e.slot)) Fail(e.line, "undeclared variable '" + e.name + "'");
    CVariable& variable = m_Globals.Variable(e.slot);
    e.cachedGlobal = &variable;
    return variable;
}

void CScriptInterpreter::EvalDiscard(Expr& e)
{
    switch (e.kind) {
    case ExprKind::Assign: EvalAssign(e, false); break;
    case ExprKind::Step: EvalStep(e, false); break;
    default: Eval(e); break;
    }
}

Value CScriptInterpreter::Eval(Expr& e)
{
    switch (e.kind) {
    case ExprKind::Constant:
        switch (e.constant.GetKind()) {
        case Value::Int: return Value::FromInt(e.constant.AsInt());
        case Value::Owned: return Value::Borrow(e.constant.Peek());
        default: return e.constant.Copy();
        }
    case ExprKind::Local:
    case ExprKind::Global: {
        const CVariable& variable = VariableOf(e);
        if (!variable.IsArray()) return Value::Borrow(variable.GetWorkingData());
        return Value::OfVariable(variable, true);
    }
    case ExprKind::Index: return EvalIndex(e);
    case ExprKind::Member: return EvalMember(e);
    case ExprKind::Call: return EvalCall(e);
    case ExprKind::MemberCall: return EvalMemberCall(e);
    case ExprKind::Negate: return EvalNegate(e);
    case ExprKind::Not: {
        const Value operand = Eval(*e.left);
        if (operand.IsNone()) Fail(e.line, "'!' needs a value");
        return Value::FromBool(!operand.Truthy());
    }
    case ExprKind::Binary: return EvalBinary(e);
    case ExprKind::And: return Value::FromBool(Condition(*e.left) && Condition(*e.right));
    case ExprKind::Or: return Value::FromBool(Condition(*e.left) || Condition(*e.right));
    case ExprKind::Assign: return EvalAssign(e, true);
    case ExprKind::Step: return EvalStep(e, true);
    }
    return Value();
}

Value CScriptInterpreter::EvalMember(Expr& e)
{
    Value result;
    VisitPlace(e, false, [&](Place& place) { result = Value::OfVariable(*place.variable, false); });
    return result;
}

Value CScriptInterpreter::EvalNegate(Expr& e)
{
    Value operand = Eval(*e.left);
    Value result;
    std::string error;
    if (!ApplyNegate(operand, result, error)) Fail(e.line, error);
    return result;
}

Value CScriptInterpreter::EvalBinary(Expr& e)
{
    Value result;
    if (IntBinary(e, result)) return result;
    Value left = Eval(*e.left);
    // A borrowed left operand must not change under the right one.
    if (e.right->sideEffects) left.Detach();
    Value right = Eval(*e.right);
    if (FastArithmetic(e.op, left, right, result)) return result;
    std::string error;
    if (!ApplyBinary(e.op, left, right, result, error)) Fail(e.line, error);
    return result;
}

std::vector<int> CScriptInterpreter::EvalIndices(Expr& e)
{
    std::vector<int> indices;
    indices.reserve(e.args.size());
    for (ExprPtr& arg : e.args) {
        const Value index = Eval(*arg);
        if (index.GetKind() != Value::Int) Fail(arg->line, "an index must be an int, not " + index.TypeName());
        indices.push_back(index.AsInt());
    }
    return indices;
}

Value CScriptInterpreter::EvalIndex(Expr& e)
{
    CVariable* fastVariable = nullptr;
    CData* fastElement = nullptr;
    int fastIndex = 0;
    if (ElementFast(e, fastVariable, fastElement, fastIndex)) return Value::Borrow(fastElement);
    if (e.left->IsVariable()) {
        const std::vector<int> indices = EvalIndices(e);
        CVariable& variable = VariableOf(*e.left);
        if (!variable.IsArray()) Fail(e.line, "'" + e.left->name + "' is not an array");
        CData* element = nullptr;
        const CStatus status = variable.GetElement(indices, element);
        if (!status) Fail(e.line, StatusPhrase(status));
        return Value::Borrow(element);
    }
    Value result;
    VisitPlace(e, false, [&](Place& place) {
        result = Value::Borrow(place.element);
        result.Detach();
    });
    return result;
}

Value CScriptInterpreter::EvalAssign(Expr& e, bool wantResult)
{
    Expr& target = *e.left;
    Value result;
    if (AssignFast(e, wantResult, result)) return result;
    Value value;
    if (e.right->kind != ExprKind::Binary || !IntBinary(*e.right, value)) value = Eval(*e.right);
    if (target.sideEffects || e.compound) value.Detach();
    if (e.compound) {
        if (target.IsVariable()) {
            // s += t on a string appends in place; int op= int stores in place.
            CVariable& variable = VariableOf(target);
            CData* data = variable.IsArray() ? nullptr : variable.GetWorkingData();
            if (data && e.op == BinaryOp::Add && data->GetType() == Types().String && AppendFast(variable, value)) {
                return wantResult ? Value::Borrow(data).Copy() : Value();
            }
            if (data && data->GetType() == Types().Int && value.GetKind() == Value::Int) {
                Value combined;
                if (FastArithmetic(e.op, Value::FromInt(static_cast<CDataInt*>(data)->Data), value, combined) &&
                    combined.GetKind() == Value::Int) {
                    static_cast<CDataInt*>(data)->Data = combined.AsInt();
                    return wantResult ? std::move(combined) : Value();
                }
            }
        }
        // target op= value: read, apply, store in the same place.
        VisitPlace(target, true, [&](Place& place) {
            Value current = place.element ? Value::Borrow(place.element) : Value::OfVariable(*place.variable, true);
            current.Detach();
            Value combined;
            std::string error;
            if (!ApplyBinary(e.op, current, value, combined, error)) Fail(e.line, error);
            value = std::move(combined);
            Value stored = wantResult ? value.Copy() : Value();
            Store(place, value, e.line);
            value = std::move(stored);
        });
        return value;
    }
    if (wantResult) result = value.Copy();
    if (target.IsVariable()) {
        CVariable& variable = VariableOf(target);
        if (value.GetKind() == Value::Int && !variable.IsArray()) {
            CData* data = variable.GetWorkingData();
            if (data && data->GetType() == Types().Int) {
                static_cast<CDataInt*>(data)->Data = value.AsInt();
                return result;
            }
        }
        StoreVariable(variable, value, e.line);
        return result;
    }
    CVariable* array = nullptr;
    CData* element = nullptr;
    int index = 0;
    if (ElementFast(target, array, element, index)) {
        StoreElement(*array, element, index, value, e.line);
        return result;
    }
    VisitPlace(target, true, [&](Place& place) { Store(place, value, e.line); });
    return result;
}

Value CScriptInterpreter::EvalStep(Expr& e, bool wantResult)
{
    Value result;
    if (e.left->IsVariable()) {
        CVariable& variable = VariableOf(*e.left);
        CData* data = variable.IsArray() ? nullptr : variable.GetWorkingData();
        if (data && data->GetType() == Types().Int) {
            int32_t& n = static_cast<CDataInt*>(data)->Data;
            const int32_t before = n;
            n = static_cast<int32_t>(static_cast<uint32_t>(n) + (e.increment ? 1u : 0xFFFFFFFFu));
            if (wantResult) result = Value::FromInt(e.prefix ? n : before);
            return result;
        }
    }
    VisitPlace(*e.left, true, [&](Place& place) {
        CData* data = place.element ? place.element : place.variable->GetWorkingData();
        if (!data) Fail(e.line, std::string(e.increment ? "'++'" : "'--'") + " needs a variable with a value");
        if (data->GetType() == Types().Int) {
            int32_t& n = static_cast<CDataInt*>(data)->Data;
            const int32_t before = n;
            n = static_cast<int32_t>(static_cast<uint32_t>(n) + (e.increment ? 1u : 0xFFFFFFFFu));
            if (wantResult) result = Value::FromInt(e.prefix ? n : before);
            return;
        }
        Value current = Value::Borrow(data);
        current.Detach();
        Value before = wantResult && !e.prefix ? current.Copy() : Value();
        Value stepped;
        std::string error;
        if (!ApplyStep(e.increment, current, stepped, error)) Fail(e.line, error);
        Value after = wantResult && e.prefix ? stepped.Copy() : Value();
        Store(place, stepped, e.line);
        if (wantResult) result = e.prefix ? std::move(after) : std::move(before);
    });
    return result;
}

std::vector<CallArgument> CScriptInterpreter::EvalArguments(std::vector<ExprPtr>& args)
{
    std::vector<CallArgument> out(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        Expr& arg = *args[i];
        if (arg.IsVariable()) {
            out[i].variable = &VariableOf(arg);
            continue;
        }
        out[i].value = Eval(arg);
        for (size_t j = i + 1; j < args.size(); ++j) {
            if (args[j]->sideEffects) {
                out[i].value.Detach();
                break;
            }
        }
    }
    return out;
}

Value CScriptInterpreter::EvalCall(Expr& e)
{
    if (!e.cachedFunction) {
        auto range = m_Functions.equal_range(e.name);
        const UserFunction* byName = nullptr;
        for (auto it = range.first; it != range.second; ++it) {
            byName = it->second;
            if (it->second->params.size() == e.args.size()) e.cachedFunction = it->second;
        }
        if (byName && !e.cachedFunction && !m_Engine.FindFunctions(String(e.name))) {
            Fail(e.line, "'" + e.name + "' takes " + std::to_string(byName->params.size()) + " argument" +
                             (byName->params.size() == 1 ? "" : "s") + ", not " + std::to_string(e.args.size()));
        }
    }
    if (e.cachedFunction) return CallUser(*e.cachedFunction, e);

    const String name(e.name);
    const std::vector<CFunctionDecl>* decls = m_Engine.FindFunctions(name);
    if (!decls || decls->empty()) {
        Value result;
        if (CallIntrinsic(e, result)) return result;
        if (LookupType(e.name)) Fail(e.line, "no function '" + e.name + "' is registered (it is a type name)");
        Fail(e.line, "undeclared function '" + e.name + "'");
    }
    std::vector<CallArgument> args = EvalArguments(e.args);
    const CFunctionDecl* decl = CallDispatcher::Choose(*decls, String(), args);
    if (!decl) {
        Fail(e.line, "no overload of '" + e.name + "' takes " + CallDispatcher::DescribeArguments(args) +
                         "; there is " + CallDispatcher::DescribeCandidates(*decls, String()));
    }
    return m_Calls.Invoke(*decl, nullptr, args, e.line);
}

Value CScriptInterpreter::EvalMemberCall(Expr& e)
{
    std::vector<CallArgument> args = EvalArguments(e.args);
    Value result;
    const String name(e.name);
    VisitPlace(*e.left, true, [&](Place& place) {
        CData* receiver = place.element ? place.element : place.variable->GetWorkingData();
        if (!receiver) Fail(e.line, "'" + e.name + "' is called on a variable that has no value");
        const std::vector<CFunctionDecl>* decls = Factory_GetMemberFunctions(receiver->GetType());
        const std::string typeName = Factory_GetTypeName(receiver->GetType()).str();
        const std::string candidates = decls ? CallDispatcher::DescribeCandidates(*decls, name) : std::string();
        if (candidates.empty()) Fail(e.line, typeName + " has no member function '" + e.name + "'");
        const CFunctionDecl* decl = CallDispatcher::Choose(*decls, name, args);
        if (!decl) {
            Fail(e.line, "no overload of " + typeName + "." + e.name + " takes " +
                             CallDispatcher::DescribeArguments(args) + "; there is " + candidates);
        }
        result = m_Calls.Invoke(*decl, receiver, args, e.line);
    });
    return result;
}

void CScriptInterpreter::PrepareCall(const UserFunction& fn, Expr& call)
{
    // Kept out of CallUser: its messages would weigh on every call.
    if (m_Depth >= kMaxCallDepth) {
        Fail(call.line, "recursion deeper than " + std::to_string(kMaxCallDepth) + " calls (in '" + fn.name + "')");
    }
    if (m_Stack.NearlyFull(kStackReserve)) {
        Fail(call.line, "recursion too deep for the stack, " + std::to_string(m_Depth) + " calls (in '" + fn.name + "')");
    }
    UserFunction& mutableFn = const_cast<UserFunction&>(fn);
    if (!fn.typesResolved) {
        mutableFn.paramTypeIds.clear();
        for (const Parameter& p : fn.params) {
            const int type = LookupType(p.typeName);
            if (!type) Fail(p.line, "unknown type '" + p.typeName + "'");
            mutableFn.paramTypeIds.push_back(type);
        }
        if (fn.returnTypeName != "void") {
            mutableFn.returnTypeId = LookupType(fn.returnTypeName);
            if (!mutableFn.returnTypeId) Fail(fn.line, "unknown type '" + fn.returnTypeName + "'");
        }
        mutableFn.typesResolved = true;
    }
}

Value CScriptInterpreter::CallUser(const UserFunction& fn, Expr& call)
{
    if (m_Depth >= kMaxCallDepth || !fn.typesResolved || m_Stack.NearlyFull(kStackReserve)) PrepareCall(fn, call);

    // Arguments are values: a function gets copies, never the caller's
    // variables. All are evaluated before the frame is touched, since an
    // argument may itself call a function at this depth.
    const size_t argc = call.args.size();
    Value small[4];
    std::vector<Value> large(argc > 4 ? argc : 0);
    Value* args = argc > 4 ? large.data() : small;
    for (size_t i = 0; i < argc; ++i) {
        int32_t n;
        if (IntOperand(*call.args[i], n)) {
            args[i] = Value::FromInt(n);
            continue;
        }
        args[i] = Eval(*call.args[i]);
        args[i].Detach();
    }

    // The frame of this depth is reused from call to call, so a call
    // allocates nothing when its locals keep their types.
    if (m_Frames.size() <= static_cast<size_t>(m_Depth)) m_Frames.resize(static_cast<size_t>(m_Depth) + 1);
    Frame& frame = m_Frames[static_cast<size_t>(m_Depth)];
    std::vector<CVariable>& locals = frame.locals;
    if (locals.size() < fn.localNames.size()) locals.resize(fn.localNames.size());
    // A frame last used by the same function has its parameters named.
    const bool named = frame.function == &fn;
    frame.function = &fn;
    for (size_t i = 0; i < fn.params.size(); ++i) {
        const Parameter& p = fn.params[i];
        const int type = fn.paramTypeIds[i];
        Value& arg = args[i];
        CVariable& local = locals[p.slot];
        if (!named && local.GetName().str() != p.name) local.SetName(String(p.name));
        if (type == Types().Int && arg.GetKind() == Value::Int && local.GetType() == type && !local.IsArray()) {
            CData* data = local.GetWorkingData();
            if (data && data->GetType() == type) {
                static_cast<CDataInt*>(data)->Data = arg.AsInt();
                continue;
            }
        }
        const int argType = arg.TypeId();
        if (type != LOOM_TYPE_ANY && argType != type && !(type == Types().Real && argType == Types().Int)) {
            Fail(call.line, "argument " + std::to_string(i + 1) + " of '" + fn.name + "' must be " + p.typeName +
                                ", not " + arg.TypeName());
        }
        if (type == LOOM_TYPE_ANY) local.SetType(0);
        else if (local.GetType() != type || local.IsArray() || !local.GetWorkingData()) local.SetType(type);
        StoreVariable(local, arg, call.line);
    }

    CVariable* savedLocals = m_Locals;
    const UserFunction* savedFunction = m_Function;
    const int savedLine = m_Line;
    m_Locals = locals.data();  // stays valid: deeper calls use other frames
    m_Function = &fn;
    ++m_Depth;
    m_ReturnValue.Reset();
    m_CallLines.push_back(call.line);
    struct Restore {
        CScriptInterpreter& self;
        CVariable* locals;
        const UserFunction* function;
        int line;
        ~Restore()
        {
            self.m_Locals = locals;
            self.m_Function = function;
            self.m_Line = line;
            --self.m_Depth;
            self.m_CallLines.pop_back();
        }
    } restore{*this, savedLocals, savedFunction, savedLine};

    Exec(*fn.body);
    Value result = std::move(m_ReturnValue);
    if (!fn.returnTypeId) return Value();
    if (result.GetKind() == Value::Int && fn.returnTypeId == Types().Int) return result;
    if (result.IsNone()) return Value::Own(Factory_MakeData(fn.returnTypeId));
    if (fn.returnTypeId == LOOM_TYPE_ANY || result.TypeId() == fn.returnTypeId) return result;
    CVariable converted(String(fn.name), fn.returnTypeId);
    StoreVariable(converted, result, m_Line);
    return Value::OfVariable(converted, false);
}

bool CScriptInterpreter::CallIntrinsic(Expr& e, Value& result)
{
    // The interpreter's own functions, used when no package registers one
    // of the same name.
    if (e.name == "print") {
        String text;
        for (ExprPtr& arg : e.args) text += Eval(*arg).Text();
        if (ssi_stream* out = m_Engine.GetOutStream()) out->Write(text, 1);
        return true;
    }
    if (e.name == "ExpectError" && e.args.size() <= 1) {
        // The next statement must report an error whose message holds the
        // code (any error without one); that error is not counted.
        std::string code;
        if (!e.args.empty()) {
            const Value v = Eval(*e.args[0]);
            if (v.TypeId() != Types().String) Fail(e.line, "ExpectError takes a string, not " + v.TypeName());
            code = v.Text().str();
        }
        m_ExpectArmedHere = m_Diagnostics.Expecting();
        m_Diagnostics.Expect(code);
        result = Value();
        return true;
    }
    if (e.name == "GetLastErrorText" && e.args.empty()) {
        result = Value::Own(new CDataString(String(m_Diagnostics.LastErrorText())));
        return true;
    }
    if (e.name == "Exit" && e.args.empty()) {
        m_Stop = true;
        result = Value();
        return true;
    }
    return false;
}

}  // namespace loom
