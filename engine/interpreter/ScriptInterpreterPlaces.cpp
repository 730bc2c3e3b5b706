// CScriptInterpreter: the places an expression reads and writes: variables,
// array elements and member variables (chains of them, written back level
// by level), and storing a value into one.
#include "ScriptInterpreter.h"

#include "Factory.h"

#include <memory>

namespace loom {

namespace {

// Stores value into target without the slots when both are of the engine's
// own scalar types. False when the general path is needed.
bool StoreDirect(CData* target, Value& value)
{
    const BuiltinTypes& types = Types();
    const int type = target->GetType();
    switch (value.GetKind()) {
    case Value::Int:
        if (type == types.Int) { static_cast<CDataInt*>(target)->Data = value.AsInt(); return true; }
        if (type == types.Real) { static_cast<CDataReal*>(target)->Data = value.AsInt(); return true; }
        return false;
    case Value::Real:
        if (type == types.Real) { static_cast<CDataReal*>(target)->Data = value.AsReal(); return true; }
        return false;
    case Value::Bool:
        if (type == types.Bool) { static_cast<CDataBool*>(target)->Data = value.AsBool() ? 1 : 0; return true; }
        return false;
    case Value::Owned:
    case Value::Borrowed: {
        CData* source = value.Peek();
        if (type != types.String || source->GetType() != types.String) return false;
        String& text = static_cast<CDataString*>(target)->Data;
        if (value.GetKind() == Value::Owned) text.str().swap(static_cast<CDataString*>(source)->Data.str());
        else text = static_cast<CDataString*>(source)->Data;
        return true;
    }
    default: return false;
    }
}

}  // namespace

bool CScriptInterpreter::AssignFast(Expr& e, bool wantResult, Value& result)
{
    if (e.compound) return false;
    Expr& target = *e.left;
    Expr& right = *e.right;
    if (!target.IsVariable() || right.kind != ExprKind::Binary || right.op != BinaryOp::Add) return false;
    Expr& source = *right.left;
    if (source.kind != target.kind || source.slot != target.slot || right.right->sideEffects) return false;
    CVariable& variable = VariableOf(source);
    CData* data = variable.IsArray() ? nullptr : variable.GetWorkingData();
    if (!data || data->GetType() != Types().String) return false;
    Value operand = Eval(*right.right);
    if (!AppendFast(variable, operand)) return false;
    if (wantResult) result = Value::Borrow(data).Copy();
    return true;
}

bool CScriptInterpreter::AppendFast(CVariable& variable, Value& operand)
{
    // The same text as CDataString::operator_plus appends, without copying
    // the string it appends to; std::string grows its buffer geometrically.
    std::string& text = static_cast<CDataString*>(variable.GetWorkingData())->Data.str();
    switch (operand.GetKind()) {
    case Value::Owned:
    case Value::Borrowed: {
        CData* other = operand.Peek();
        if (other->GetType() == Types().String) text.append(static_cast<CDataString*>(other)->Data.str());
        else text.append(other->GetString().str());
        return true;
    }
    case Value::Int:
    case Value::Real:
    case Value::Bool: {
        std::unique_ptr<CData> other(operand.MakeData());
        text.append(other->GetString().str());
        return true;
    }
    default: return false;
    }
}

bool CScriptInterpreter::ElementFast(Expr& e, CVariable*& variable, CData*& element, int& index)
{
    if (e.kind != ExprKind::Index || !e.left->IsVariable() || e.args.size() != 1 || e.args[0]->sideEffects) {
        return false;
    }
    const Value at = Eval(*e.args[0]);
    if (at.GetKind() != Value::Int) return false;
    CVariable& array = VariableOf(*e.left);
    const std::vector<int>& extents = array.GetExtents();
    if (extents.size() != 1 || at.AsInt() < 1 || at.AsInt() > extents[0]) return false;
    element = array.Get(at.AsInt() - 1);
    if (!element) return false;
    variable = &array;
    index = at.AsInt();
    return true;
}

bool CScriptInterpreter::IntElement(Expr& e, int32_t& out)
{
    CVariable* array = nullptr;
    CData* element = nullptr;
    int index = 0;
    if (!ElementFast(e, array, element, index) || element->GetType() != Types().Int) return false;
    out = static_cast<CDataInt*>(element)->Data;
    return true;
}

bool CScriptInterpreter::IntNested(Expr& e, int32_t& out)
{
    Value value;
    if (!IntBinary(e, value) || value.GetKind() != Value::Int) return false;
    out = value.AsInt();
    return true;
}

void CScriptInterpreter::StoreElement(CVariable& array, CData* element, int index, Value& value, int line)
{
    if (!value.GetArray() && !value.IsNone() && StoreDirect(element, value)) return;
    const std::vector<int> indices{index};
    StoreData(array, element, &indices, value, line);
}

void CScriptInterpreter::VisitPlace(Expr& e, bool writeBack, PlaceVisitor visit)
{
    switch (e.kind) {
    case ExprKind::Local:
    case ExprKind::Global: {
        Place place;
        place.variable = &VariableOf(e);
        visit(place);
        return;
    }
    case ExprKind::Index: {
        const std::vector<int> indices = EvalIndices(e);
        VisitPlace(*e.left, writeBack, [&](Place& outer) {
            if (outer.element || !outer.variable->IsArray()) {
                Fail(e.line, (e.left->IsVariable() ? "'" + e.left->name + "'" : std::string("this value")) +
                                 " is not an array");
            }
            CData* element = nullptr;
            const CStatus status = outer.variable->GetElement(indices, element);
            if (!status) Fail(e.line, StatusPhrase(status));
            Place place;
            place.variable = outer.variable;
            place.element = element;
            place.indices = &indices;
            visit(place);
        });
        return;
    }
    case ExprKind::Member: {
        VisitPlace(*e.left, writeBack, [&](Place& outer) {
            CData* owner = outer.element ? outer.element : outer.variable->GetWorkingData();
            if (!owner) Fail(e.line, "member '" + e.name + "' of a variable that has no value");
            CVariable member{String(e.name)};
            CStatus status = owner->SSI_UpdateVariable(member, 1);
            if (!status) Fail(e.line, StatusPhrase(status));
            Place place;
            place.variable = &member;
            visit(place);
            if (writeBack) {
                member.SetName(String(e.name));
                status = owner->SSI_UpdateVariable(member, 0);
                if (!status) Fail(e.line, StatusPhrase(status));
            }
        });
        return;
    }
    default: {
        // Any other expression: its value in a variable of its own.
        Value value = Eval(e);
        CVariable temporary;
        if (CVariable* array = value.GetArray()) temporary = *array;
        else temporary.Adopt(value.Release());
        Place place;
        place.variable = &temporary;
        visit(place);
        return;
    }
    }
}

void CScriptInterpreter::Store(Place& place, Value& value, int line)
{
    if (place.element) StoreData(*place.variable, place.element, place.indices, value, line);
    else StoreVariable(*place.variable, value, line);
}

void CScriptInterpreter::StoreVariable(CVariable& variable, Value& value, int line)
{
    if (CVariable* array = value.GetArray()) {
        // A whole array handed back by a function.
        const int type = variable.GetType();
        if (type > LOOM_TYPE_ANY && array->GetType() != type) {
            Fail(line, "cannot assign a " + value.TypeName() + " to " + Factory_GetTypeName(type).str() +
                           " variable '" + variable.GetName().str() + "'");
        }
        const String name = variable.GetName();
        variable = *array;
        variable.SetName(name);
        return;
    }
    if (value.IsNone()) Fail(line, "no value to assign to '" + variable.GetName().str() + "'");
    if (variable.IsArray()) {
        Fail(line, "cannot assign a single " + value.TypeName() + " to the array '" + variable.GetName().str() +
                       "'; assign its elements");
    }
    CData* target = variable.GetWorkingData();
    if (!target) {
        CData* data = value.Release();
        const int type = variable.GetType();
        if (type > LOOM_TYPE_ANY && data->GetType() != type) {
            std::unique_ptr<CData> owned(data);
            const CStatus status = variable.SetData(data);
            if (!status) Fail(line, StatusPhrase(status));
            return;
        }
        variable.Adopt(data);
        return;
    }
    StoreData(variable, target, nullptr, value, line);
}

void CScriptInterpreter::StoreData(CVariable& owner, CData* target, const std::vector<int>* indices, Value& value,
                                   int line)
{
    if (value.GetArray()) Fail(line, "cannot store a whole " + value.TypeName() + " in one element");
    if (value.IsNone()) Fail(line, "no value to assign");
    if (StoreDirect(target, value)) return;

    std::unique_ptr<CData> holder;
    CData* source = value.Peek();
    if (!source) {
        holder.reset(value.MakeData());
        source = holder.get();
    }
    OpInfoT info;
    CData* result = target->operator_equal(source, &info);
    if (!result) {
        if (!info.Status.IsSuccess()) Fail(line, StatusPhrase(info.Status));
        Fail(line, "cannot assign a " + value.TypeName() + " to " + target->GetTypeName().str() + " " +
                       (indices ? "element of '" : "variable '") + owner.GetName().str() + "'");
    }
    if (result == target) return;
    // The slot made a new object: it replaces the old one.
    if (indices) {
        const CStatus status = owner.SetElement(*indices, result);
        delete result;
        if (!status) Fail(line, StatusPhrase(status));
    } else {
        owner.Adopt(result);
    }
}

}  // namespace loom
