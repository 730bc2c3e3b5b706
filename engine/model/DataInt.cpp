#include "Factory.h"
#include "ValueHelpers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

using loom::NumericValue;
using loom::Wrap;

int CDataInt::sType = 0;
LOOM_DEFINE_GET_REGISTERED_TYPE(CDataInt)

CDataInt::CDataInt() { LOOM_REGISTER_ON_FIRST_USE(CDataInt, "int"); }
CDataInt::CDataInt(int32_t value) : CDataInt() { Data = value; }

namespace {

// Applies a real-valued operation when other is a real: the result is a new
// real. Returns null when other is not a real.
template <typename Op>
CData* RealResult(int32_t mine, CData* other, Op op)
{
    double v;
    bool isReal;
    if (!NumericValue(other, v, isReal) || !isReal) return nullptr;
    return new CDataReal(op(static_cast<double>(mine), v));
}

bool IntValue(CData* other, int32_t& v)
{
    if (!other || other->GetType() != CDataInt::GetRegisteredType()) return false;
    v = static_cast<CDataInt*>(other)->Data;
    return true;
}

void DivisionByZero(OpInfoT* info)
{
    if (info) info->Status = CStatus::MakeError("Division by zero.");
}

}  // namespace

CData* CDataInt::operator_plus(CData* other, OpInfoT*)
{
    int32_t v;
    if (IntValue(other, v)) { Data = Wrap(int64_t(Data) + v); return this; }
    return RealResult(Data, other, [](double a, double b) { return a + b; });
}

CData* CDataInt::operator_minus(CData* other, OpInfoT*)
{
    int32_t v;
    if (IntValue(other, v)) { Data = Wrap(int64_t(Data) - v); return this; }
    return RealResult(Data, other, [](double a, double b) { return a - b; });
}

CData* CDataInt::operator_multiply(CData* other, OpInfoT*)
{
    int32_t v;
    if (IntValue(other, v)) { Data = Wrap(int64_t(Data) * v); return this; }
    return RealResult(Data, other, [](double a, double b) { return a * b; });
}

CData* CDataInt::operator_divide(CData* other, OpInfoT* info)
{
    int32_t v;
    if (IntValue(other, v)) {
        if (v == 0) { DivisionByZero(info); return nullptr; }
        Data = Wrap(int64_t(Data) / v);  // truncates toward zero
        return this;
    }
    return RealResult(Data, other, [](double a, double b) { return a / b; });
}

CData* CDataInt::operator_modulous(CData* other, OpInfoT* info)
{
    int32_t v;
    if (!IntValue(other, v)) return nullptr;
    if (v == 0) { DivisionByZero(info); return nullptr; }
    Data = Wrap(int64_t(Data) % v);
    return this;
}

CData* CDataInt::operator_power(CData* other, OpInfoT*)
{
    int32_t v;
    if (IntValue(other, v) && v >= 0) {
        uint32_t result = 1, base = static_cast<uint32_t>(Data);
        for (uint32_t e = static_cast<uint32_t>(v); e; e >>= 1) {
            if (e & 1) result *= base;
            base *= base;
        }
        Data = static_cast<int32_t>(result);
        return this;
    }
    double d;
    bool isReal;
    if (!NumericValue(other, d, isReal)) return nullptr;
    return new CDataReal(std::pow(static_cast<double>(Data), d));
}

CData* CDataInt::operator_bit_and(CData* other, OpInfoT*)
{
    int32_t v;
    if (!IntValue(other, v)) return nullptr;
    Data &= v;
    return this;
}

CData* CDataInt::operator_bit_or(CData* other, OpInfoT*)
{
    int32_t v;
    if (!IntValue(other, v)) return nullptr;
    Data |= v;
    return this;
}

CData* CDataInt::negate(OpInfoT*)
{
    Data = Wrap(-int64_t(Data));
    return this;
}

CData* CDataInt::operator_equal(CData* other, OpInfoT*)
{
    return CopyData(other) ? this : nullptr;
}

bool CDataInt::CopyData(CData* other)
{
    int32_t v;
    if (!IntValue(other, v)) return false;
    Data = v;
    return true;
}

bool CDataInt::DataFromString(const String& text)
{
    String t(text);
    t.Trim();
    const char* s = t.c_str();
    if (!*s) return false;
    const char* digits = (*s == '-' || *s == '+') ? s + 1 : s;
    if (!*digits || !(*digits >= '0' && *digits <= '9')) return false;
    const bool hex = digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s, &end, hex ? 16 : 10);
    if (errno != 0 || !end || *end != '\0') return false;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    Data = static_cast<int32_t>(v);
    return true;
}

String CDataInt::GetString() { return String::Printf("%d", static_cast<int>(Data)); }

CStatus CDataInt::operator_compare(CData* other, int& out)
{
    double v;
    bool isReal;
    if (!NumericValue(other, v, isReal)) return CData::operator_compare(other, out);
    if (isReal) out = loom::ThreeWay(static_cast<double>(Data), v);
    else out = loom::ThreeWay(Data, static_cast<CDataInt*>(other)->Data);
    return CStatus();
}
