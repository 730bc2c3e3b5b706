#include "Operators.h"

#include "Diagnostics.h"
#include "Factory.h"

#include <cmath>
#include <cctype>
#include <memory>

namespace loom {

namespace {

int32_t Wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

bool IsComparison(BinaryOp op) { return op >= BinaryOp::Equal; }

bool CompareResult(BinaryOp op, int c)
{
    switch (op) {
    case BinaryOp::Equal: return c == 0;
    case BinaryOp::NotEqual: return c != 0;
    case BinaryOp::Less: return c < 0;
    case BinaryOp::LessEqual: return c <= 0;
    case BinaryOp::Greater: return c > 0;
    case BinaryOp::GreaterEqual: return c >= 0;
    default: return false;
    }
}

template <typename T>
int ThreeWay(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

std::string NotDefined(BinaryOp op, const std::string& left, const Value& right)
{
    return std::string("operator '") + OperatorSpelling(op) + "' is not defined for " + left + " and " +
           right.TypeName();
}

std::string NotDefined(BinaryOp op, const Value& left, const Value& right)
{
    return NotDefined(op, left.TypeName(), right);
}

// Int with int, without the slots; false when the operator is not one of
// the fast ones.
bool IntInt(BinaryOp op, int32_t a, int32_t b, Value& result, std::string& error)
{
    switch (op) {
    case BinaryOp::Add: result = Value::FromInt(Wrap32(int64_t(a) + b)); return true;
    case BinaryOp::Sub: result = Value::FromInt(Wrap32(int64_t(a) - b)); return true;
    case BinaryOp::Mul: result = Value::FromInt(Wrap32(int64_t(a) * b)); return true;
    case BinaryOp::Div:
    case BinaryOp::Mod:
        if (b == 0) {
            error = "int division by zero";
            return true;
        }
        result = Value::FromInt(Wrap32(op == BinaryOp::Div ? int64_t(a) / b : int64_t(a) % b));
        return true;
    case BinaryOp::BitAnd: result = Value::FromInt(a & b); return true;
    case BinaryOp::BitOr: result = Value::FromInt(a | b); return true;
    default:
        if (IsComparison(op)) {
            result = Value::FromBool(CompareResult(op, ThreeWay(a, b)));
            return true;
        }
        return false;
    }
}

bool RealReal(BinaryOp op, double a, double b, Value& result)
{
    switch (op) {
    case BinaryOp::Add: result = Value::FromReal(a + b); return true;
    case BinaryOp::Sub: result = Value::FromReal(a - b); return true;
    case BinaryOp::Mul: result = Value::FromReal(a * b); return true;
    case BinaryOp::Div: result = Value::FromReal(a / b); return true;
    case BinaryOp::Pow: result = Value::FromReal(std::pow(a, b)); return true;
    default:
        if (IsComparison(op)) {
            result = Value::FromBool(CompareResult(op, ThreeWay(a, b)));
            return true;
        }
        return false;
    }
}

// The operand handed to a slot as "other": the object itself, or a
// temporary made from an unboxed value.
CData* SlotOperand(Value& v, std::unique_ptr<CData>& holder)
{
    if (CData* d = v.Peek()) return d;
    holder.reset(v.MakeData());
    return holder.get();
}

typedef CData* (CData::*BinarySlot)(CData*, OpInfoT*);

BinarySlot SlotOf(BinaryOp op)
{
    switch (op) {
    case BinaryOp::Add: return &CData::operator_plus;
    case BinaryOp::Sub: return &CData::operator_minus;
    case BinaryOp::Mul: return &CData::operator_multiply;
    case BinaryOp::Div: return &CData::operator_divide;
    case BinaryOp::Mod: return &CData::operator_modulous;
    case BinaryOp::Pow: return &CData::operator_power;
    case BinaryOp::BitAnd: return &CData::operator_bit_and;
    case BinaryOp::BitOr: return &CData::operator_bit_or;
    default: return nullptr;
    }
}

// Calls a slot on receiver (owned by the caller until this returns): the
// result becomes the value, whether it is the receiver or a new object.
bool FinishSlot(CData* receiver, CData* produced, const OpInfoT& info, Value& result, std::string& error,
                const std::string& undefined)
{
    if (!produced) {
        delete receiver;
        error = info.Status.IsSuccess() ? undefined : StatusPhrase(info.Status);
        return false;
    }
    if (produced != receiver) delete receiver;
    result = Value::Own(produced);
    return true;
}

}  // namespace

const char* OperatorSpelling(BinaryOp op)
{
    switch (op) {
    case BinaryOp::Add: return "+";
    case BinaryOp::Sub: return "-";
    case BinaryOp::Mul: return "*";
    case BinaryOp::Div: return "/";
    case BinaryOp::Mod: return "%";
    case BinaryOp::Pow: return "^";
    case BinaryOp::BitAnd: return "&";
    case BinaryOp::BitOr: return "|";
    case BinaryOp::Equal: return "==";
    case BinaryOp::NotEqual: return "!=";
    case BinaryOp::Less: return "<";
    case BinaryOp::LessEqual: return "<=";
    case BinaryOp::Greater: return ">";
    case BinaryOp::GreaterEqual: return ">=";
    }
    return "?";
}

bool ApplyBinary(BinaryOp op, Value& left, Value& right, Value& result, std::string& error)
{
    const Value::Kind lk = left.GetKind(), rk = right.GetKind();
    if (lk == Value::Int && rk == Value::Int) {
        if (IntInt(op, left.AsInt(), right.AsInt(), result, error)) return error.empty();
    } else if (left.IsNumber() && right.IsNumber() && op != BinaryOp::Mod && op != BinaryOp::BitAnd &&
               op != BinaryOp::BitOr) {
        if (RealReal(op, left.AsReal(), right.AsReal(), result)) return true;
    } else if (lk == Value::Bool && rk == Value::Bool && IsComparison(op)) {
        result = Value::FromBool(CompareResult(op, ThreeWay<int>(left.AsBool(), right.AsBool())));
        return true;
    }
    if (lk == Value::None || rk == Value::None) {
        error = NotDefined(op, left, right);
        return false;
    }

    // A number or bool followed by '+' and text: the two texts joined, as
    // text followed by a number already is.
    if (op == BinaryOp::Add && (lk == Value::Int || lk == Value::Real || lk == Value::Bool) &&
        right.TypeId() == Types().String) {
        result = Value::Own(new CDataString(left.Text() + right.Text()));
        return true;
    }

    std::unique_ptr<CData> rightHolder;
    CData* other = SlotOperand(right, rightHolder);
    if (IsComparison(op)) {
        std::unique_ptr<CData> leftHolder;
        CData* receiver = SlotOperand(left, leftHolder);
        if (!receiver || !other) {
            error = NotDefined(op, left, right);
            return false;
        }
        int c = 0;
        const CStatus status = receiver->operator_compare(other, c);
        if (!status.IsSuccess()) {
            error = StatusPhrase(status);
            return false;
        }
        result = Value::FromBool(CompareResult(op, c));
        return true;
    }

    // The slot works on a copy of the left operand, which it may change.
    const int leftType = left.TypeId();
    CData* receiver = left.Release();
    if (!receiver || !other) {
        delete receiver;
        error = NotDefined(op, left, right);
        return false;
    }
    OpInfoT info;
    CData* produced = (receiver->*SlotOf(op))(other, &info);
    if (produced) {
        if (produced != receiver) delete receiver;
        result = Value::Own(produced);
        return true;
    }
    return FinishSlot(receiver, produced, info, result, error, NotDefined(op, Factory_GetTypeName(leftType).str(), right));
}

bool ApplyNegate(Value& operand, Value& result, std::string& error)
{
    if (operand.GetKind() == Value::Int) {
        result = Value::FromInt(Wrap32(-int64_t(operand.AsInt())));
        return true;
    }
    if (operand.GetKind() == Value::Real) {
        result = Value::FromReal(-operand.AsReal());
        return true;
    }
    const std::string undefined = "unary '-' is not defined for " + operand.TypeName();
    CData* receiver = operand.Release();
    if (!receiver) {
        error = undefined;
        return false;
    }
    OpInfoT info;
    CData* produced = receiver->negate(&info);
    return FinishSlot(receiver, produced, info, result, error, undefined);
}

bool ApplyStep(bool increment, Value& operand, Value& result, std::string& error)
{
    if (operand.GetKind() == Value::Int) {
        result = Value::FromInt(Wrap32(int64_t(operand.AsInt()) + (increment ? 1 : -1)));
        return true;
    }
    if (operand.GetKind() == Value::Real) {
        result = Value::FromReal(operand.AsReal() + (increment ? 1.0 : -1.0));
        return true;
    }
    const std::string undefined =
        std::string(increment ? "'++'" : "'--'") + " is not defined for " + operand.TypeName();
    CData* receiver = operand.Release();
    if (!receiver) {
        error = undefined;
        return false;
    }
    OpInfoT info;
    CData* produced = increment ? receiver->operator_increment(&info) : receiver->operator_decrement(&info);
    return FinishSlot(receiver, produced, info, result, error, undefined);
}

}  // namespace loom

