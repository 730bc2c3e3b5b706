#include "Factory.h"
#include "ValueHelpers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

using loom::NumericValue;

int CDataReal::sType = 0;
LOOM_DEFINE_GET_REGISTERED_TYPE(CDataReal)

CDataReal::CDataReal() { LOOM_REGISTER_ON_FIRST_USE(CDataReal, "real"); }
CDataReal::CDataReal(double value) : CDataReal() { Data = value; }

namespace {

template <typename Op>
CData* Apply(CDataReal* self, CData* other, Op op)
{
    double v;
    bool isReal;
    if (!NumericValue(other, v, isReal)) return nullptr;
    self->Data = op(self->Data, v);
    return self;
}

}  // namespace

CData* CDataReal::operator_plus(CData* other, OpInfoT*)
{
    return Apply(this, other, [](double a, double b) { return a + b; });
}

CData* CDataReal::operator_minus(CData* other, OpInfoT*)
{
    return Apply(this, other, [](double a, double b) { return a - b; });
}

CData* CDataReal::operator_multiply(CData* other, OpInfoT*)
{
    return Apply(this, other, [](double a, double b) { return a * b; });
}

CData* CDataReal::operator_divide(CData* other, OpInfoT*)
{
    return Apply(this, other, [](double a, double b) { return a / b; });
}

CData* CDataReal::operator_power(CData* other, OpInfoT*)
{
    return Apply(this, other, [](double a, double b) { return std::pow(a, b); });
}

CData* CDataReal::operator_equal(CData* other, OpInfoT*)
{
    return CopyData(other) ? this : nullptr;
}

bool CDataReal::CopyData(CData* other)
{
    double v;
    bool isReal;
    // An int assigned to a real widens.
    if (!NumericValue(other, v, isReal)) return false;
    Data = v;
    return true;
}

bool CDataReal::DataFromString(const String& text)
{
    String t(text);
    t.Trim();
    const char* s = t.c_str();
    const char* first = (*s == '-' || *s == '+') ? s + 1 : s;
    if (!((*first >= '0' && *first <= '9') || *first == '.')) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s, &end);
    if (end == s || !end || *end != '\0' || errno == ERANGE) return false;
    Data = v;
    return true;
}

String CDataReal::GetString()
{
    // The shortest text that reads back as the same number.
    String s = String::Printf("%.15g", Data);
    if (std::strtod(s.c_str(), nullptr) != Data) s.Format("%.17g", Data);
    return s;
}

CStatus CDataReal::operator_compare(CData* other, int& out)
{
    double v;
    bool isReal;
    if (!NumericValue(other, v, isReal)) return CData::operator_compare(other, out);
    out = loom::ThreeWay(Data, v);
    return CStatus();
}
