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

// Each returns false with a message when the operation is not defined for
// the operands or fails (int division by zero).
bool ApplyBinary(BinaryOp op, Value& left, Value& right, Value& result, std::string& error);
bool ApplyNegate(Value& operand, Value& result, std::string& error);
// ++ and --: the stepped value of operand.
bool ApplyStep(bool increment, Value& operand, Value& result, std::string& error);

}  // namespace loom
LOOM_INTERNAL_END
