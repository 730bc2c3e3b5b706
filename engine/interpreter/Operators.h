// The script's operators applied to values. Ints, reals, bools and strings
// of the engine's own types take a direct path with the same results as
// their CData slots; every other operand goes through the slots of the
// left value (called on a copy of it) and operator_compare.
#pragma once

#include "InternalVisibility.h"

#include "ScriptValue.h"

#include <string>

LOOM_INTERNAL_BEGIN
namespace loom {

enum class BinaryOp : uint8_t {
    Add, Sub, Mul, Div, Mod, Pow, BitAnd, BitOr,
    Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual,
};

const char* OperatorSpelling(BinaryOp op);

// The common case of two ints or two numbers, inline and without an error
// text: true with the result, false when the general path must decide
// (other kinds, division and modulo, which may fail, and powers).
inline bool FastArithmetic(BinaryOp op, const Value& left, const Value& right, Value& result)
{
    if (left.GetKind() == Value::Int && right.GetKind() == Value::Int) {
        const int32_t a = left.AsInt(), b = right.AsInt();
        switch (op) {
        case BinaryOp::Add: result = Value::FromInt(static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b))); return true;
        case BinaryOp::Sub: result = Value::FromInt(static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b))); return true;
        case BinaryOp::Mul: result = Value::FromInt(static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(a) * b))); return true;
        case BinaryOp::Equal: result = Value::FromBool(a == b); return true;
        case BinaryOp::NotEqual: result = Value::FromBool(a != b); return true;
        case BinaryOp::Less: result = Value::FromBool(a < b); return true;
        case BinaryOp::LessEqual: result = Value::FromBool(a <= b); return true;
        case BinaryOp::Greater: result = Value::FromBool(a > b); return true;
        case BinaryOp::GreaterEqual: result = Value::FromBool(a >= b); return true;
        default: return false;
        }
    }
    if (left.IsNumber() && right.IsNumber()) {
        const double a = left.AsReal(), b = right.AsReal();
        switch (op) {
        case BinaryOp::Add: result = Value::FromReal(a + b); return true;
        case BinaryOp::Sub: result = Value::FromReal(a - b); return true;
        case BinaryOp::Mul: result = Value::FromReal(a * b); return true;
        case BinaryOp::Div: result = Value::FromReal(a / b); return true;
        default: return false;
        }
    }
    return false;
}

// Each returns false with a message when the operation is not defined for
// the operands or fails (int division by zero).
bool ApplyBinary(BinaryOp op, Value& left, Value& right, Value& result, std::string& error);
bool ApplyNegate(Value& operand, Value& result, std::string& error);
// ++ and --: the stepped value of operand.
bool ApplyStep(bool increment, Value& operand, Value& result, std::string& error);

}  // namespace loom
LOOM_INTERNAL_END
