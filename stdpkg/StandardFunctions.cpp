// The global functions of the standard package. Each reads its parameters
// from the call record in place, hands back a result built for this call
// and touches the call's status only where a function says so.
#include "StandardFunctions.h"

#include "FormatCheck.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace almanac {

namespace {

using loom::ReadInt;
using loom::ReadReal;
using loom::ReadString;
using loom::ReturnInt;
using loom::ReturnReal;
using loom::ReturnString;

CEnvironment* Environment(SSI_FunctionAPI& call)
{
    return call.m_Engine ? call.m_Engine->GetEnvironment() : nullptr;
}

void Pwd(SSI_FunctionAPI& call)
{
    if (CEnvironment* env = Environment(call)) ReturnString(call, env->GetCWD());
}

void Cd(SSI_FunctionAPI& call)
{
    String path;
    if (!ReadString(call, 0, path)) return;
    if (CEnvironment* env = Environment(call)) call.m_ReturnStatus = env->SetCWD(path);
}

void ToText(SSI_FunctionAPI& call)
{
    // Any value: declared "any", every type has a text form.
    CVariable* variable = call[0];
    CData* value = variable ? variable->GetWorkingData() : nullptr;
    ReturnString(call, value ? value->GetString() : String());
}

void StrRev(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s)) return;
    s.Reverse();
    ReturnString(call, s);
}

void Replace(SSI_FunctionAPI& call)
{
    String s, oldText, newText;
    if (!ReadString(call, 0, s) || !ReadString(call, 1, oldText) || !ReadString(call, 2, newText)) return;
    if (oldText.GetLength() > 0) s.Replace(oldText, newText);
    ReturnString(call, s);
}

void FindText(SSI_FunctionAPI& call)
{
    String s, part;
    if (!ReadString(call, 0, s) || !ReadString(call, 1, part)) return;
    ReturnInt(call, s.Find(part, -1, -1));
}

void SubString(SSI_FunctionAPI& call)
{
    String s;
    int start = 0, end = 0;
    if (!ReadString(call, 0, s) || !ReadInt(call, 1, start) || !ReadInt(call, 2, end)) return;
    ReturnString(call, s.SubString(start, end));
}

void GetLength(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s)) return;
    ReturnInt(call, s.GetLength());
}

void Trim(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s)) return;
    s.Trim();
    ReturnString(call, s);
}

void Split(SSI_FunctionAPI& call)
{
    String s, delimiters;
    if (!ReadString(call, 0, s) || !ReadString(call, 1, delimiters)) return;
    TNodeTree<String> tree;
    s.Parse(delimiters, tree, delimiters.GetLength());
    CVariable* result = call.GetReturnData();
    if (!result) return;
    int k = 1;
    for (TNode<String>* node = tree.First(); node; node = node->Next(), ++k) {
        CDataString value(node->Data());
        DimensionList dims(k);
        result->SetData(&value, dims.Get());
    }
}

#if defined(__GNUC__)
#  pragma GCC diagnostic push
#  pragma GCC diagnostic ignored "-Wformat-nonliteral"
#  pragma GCC diagnostic ignored "-Wformat-security"
#endif
// The format has been checked to take exactly one value of this kind.
void FormatValue(SSI_FunctionAPI& call)
{
    String fmt;
    if (!ReadString(call, 0, fmt)) return;
    const int type = call.GetParameterType(1);
    String out;
    if (type == CDataInt::GetRegisteredType()) {
        if (!IsSingleValueFormat(fmt.c_str(), FormatArg::Int)) {
            call.m_ReturnStatus.Format(CStatus::Error, "Format '%s' does not fit one int value: it needs exactly one "
                                          "of %%d %%i %%o %%u %%x %%X %%c, without * or $. (5141)",
                                       fmt.c_str());
            return;
        }
        int value = 0;
        if (!ReadInt(call, 1, value)) return;
        out.Format(fmt.c_str(), value);
    } else if (type == CDataReal::GetRegisteredType()) {
        if (!IsSingleValueFormat(fmt.c_str(), FormatArg::Real)) {
            call.m_ReturnStatus.Format(CStatus::Error, "Format '%s' does not fit one real value: it needs exactly one "
                                          "of %%f %%e %%g %%a, without * or $. (5142)",
                                       fmt.c_str());
            return;
        }
        double value = 0.0;
        if (!ReadReal(call, 1, value)) return;
        out.Format(fmt.c_str(), value);
    }
    ReturnString(call, out);
}
#if defined(__GNUC__)
#  pragma GCC diagnostic pop
#endif

void ToUpper(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s)) return;
    s.ToUpper();
    ReturnString(call, s);
}

void ToLower(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s)) return;
    s.ToLower();
    ReturnString(call, s);
}

void Length(SSI_FunctionAPI& call)
{
    CVariable* v = call[0];
    ReturnInt(call, v ? v->GetNumElems() : 0);
}

void Size(SSI_FunctionAPI& call)
{
    CVariable* v = call[0];
    CVariable result;
    result.SetType(CDataInt::GetRegisteredType());
    DimensionT* dims = v ? v->GetDims() : nullptr;
    if (!dims) {
        CDataInt one(1);
        result.SetData(&one, nullptr);
    } else {
        int k = 1;
        for (DimensionT* d = dims; d; d = d->next, ++k) {
            CDataInt extent(d->index);
            DimensionList at(k);
            CStatus status = result.SetData(&extent, at.Get());
            if (!status) {
                call.m_ReturnStatus = status;
                return;
            }
        }
    }
    call.SetReturnData(&result);
}

void Mean(SSI_FunctionAPI& call)
{
    CVariable* v = call[0];
    const int count = v ? v->GetNumElems() : 0;
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        // An int array arrives as it is for the real parameter: each
        // element is converted here.
        double value;
        if (loom::NumberValue(v->Get(i), value)) sum += value;
    }
    ReturnReal(call, sum / static_cast<double>(count));
}

template <double (*F)(double)>
void RealFunction(SSI_FunctionAPI& call)
{
    double x = 0.0;
    if (ReadReal(call, 0, x)) ReturnReal(call, F(x));
}

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Asin(double x) { return std::asin(x); }
double Acos(double x) { return std::acos(x); }
double Atan(double x) { return std::atan(x); }
double Sinh(double x) { return std::sinh(x); }
double Cosh(double x) { return std::cosh(x); }
double Tanh(double x) { return std::tanh(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Fabs(double x) { return std::fabs(x); }

void Atan2(SSI_FunctionAPI& call)
{
    double y = 0.0, x = 0.0;
    if (ReadReal(call, 0, y) && ReadReal(call, 1, x)) ReturnReal(call, std::atan2(y, x));
}

void Rand(SSI_FunctionAPI& call)
{
    // The low 15 bits: the generator's range on Windows, on every platform.
    int range = 0;
    if (ReadInt(call, 0, range)) ReturnInt(call, ScaledRandom(range, rand() & 0x7FFF));
}

void Sign(SSI_FunctionAPI& call)
{
    double x = 0.0;
    if (ReadReal(call, 0, x)) ReturnInt(call, x < 0.0 ? -1 : 1);
}

void Mod(SSI_FunctionAPI& call)
{
    int a = 0, b = 0;
    if (!ReadInt(call, 0, a) || !ReadInt(call, 1, b)) return;
    if (b == 0) {
        call.m_ReturnStatus.Format(CStatus::Warning, "Modulus divide by 0");
        ReturnInt(call, 0);
        return;
    }
    // The least int by -1 overflows the division; its remainder is 0.
    ReturnInt(call, b == -1 ? 0 : a % b);
}

void ToInt(SSI_FunctionAPI& call)
{
    double x = 0.0;
    if (ReadReal(call, 0, x)) ReturnInt(call, TruncateToInt(x));
}

void ToReal(SSI_FunctionAPI& call)
{
    int x = 0;
    if (ReadInt(call, 0, x)) ReturnReal(call, static_cast<double>(x));
}

void GetErrorCount(SSI_FunctionAPI& call)
{
    if (CEnvironment* env = Environment(call)) ReturnInt(call, env->GetErrCount());
}

void GetWarningCount(SSI_FunctionAPI& call)
{
    if (CEnvironment* env = Environment(call)) ReturnInt(call, env->GetWarnCount());
}

void Evaluate(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text)) return;
    CVariable result;
    CInterpreter* interpreter = call.m_Engine ? call.m_Engine->GetInterpreter() : nullptr;
    if (!interpreter) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(__LINE__, "StandardFunctions");
        return;
    }
    CStatus status = interpreter->Evaluate(text, result);
    call.SetReturnData(&result);
    call.m_ReturnStatus = status;
}

// The global functions in registration order (overloads are rows of their
// own).
const StandardFunctionRow kFunctions[] = {
    {"pwd", "", 's', Pwd},
    {"cd", "s", 0, Cd},
    {"string", "a", 's', ToText},
    {"strrev", "s", 's', StrRev},
    {"replace", "sss", 's', Replace},
    {"find", "ss", 'i', FindText},
    {"substring", "sii", 's', SubString},
    {"getlength", "s", 'i', GetLength},
    {"trim", "s", 's', Trim},
    {"split", "ss", 's', Split},
    {"format", "si", 's', FormatValue},
    {"format", "sr", 's', FormatValue},
    {"toupper", "s", 's', ToUpper},
    {"tolower", "s", 's', ToLower},
    {"length", "a", 'i', Length},
    {"size", "a", 'i', Size},
    {"mean", "r", 'r', Mean},
    {"sin", "r", 'r', RealFunction<Sin>},
    {"cos", "r", 'r', RealFunction<Cos>},
    {"tan", "r", 'r', RealFunction<Tan>},
    {"asin", "r", 'r', RealFunction<Asin>},
    {"acos", "r", 'r', RealFunction<Acos>},
    {"atan", "r", 'r', RealFunction<Atan>},
    {"atan2", "rr", 'r', Atan2},
    {"sinh", "r", 'r', RealFunction<Sinh>},
    {"cosh", "r", 'r', RealFunction<Cosh>},
    {"tanh", "r", 'r', RealFunction<Tanh>},
    {"rand", "i", 'i', Rand},
    {"abs", "r", 'r', RealFunction<Fabs>},
    {"sign", "r", 'i', Sign},
    {"mod", "ii", 'i', Mod},
    {"int", "r", 'i', ToInt},
    {"real", "i", 'r', ToReal},
    {"sqrt", "r", 'r', RealFunction<Sqrt>},
    {"GetErrorCount", "", 'i', GetErrorCount},
    {"GetWarningCount", "", 'i', GetWarningCount},
    {"Evaluate", "s", 'a', Evaluate},
};

}  // namespace

const StandardFunctionRow* StandardFunctionRows(size_t& count)
{
    count = sizeof kFunctions / sizeof kFunctions[0];
    return kFunctions;
}

bool RunStandardFunction(SSI_FunctionAPI& call)
{
    const StandardFunctionRow* row = loom::FindRow(kFunctions, call);
    if (!row) return false;
    row->body(call);
    return true;
}

int ScaledRandom(int n, int r)
{
    return static_cast<int>((static_cast<int64_t>(n) + 1) * r / 32768);
}

int TruncateToInt(double x)
{
    if (!std::isfinite(x)) return 0;
    const double t = std::trunc(x);
    // Reduce modulo 2^32 first, so that the conversion is defined for
    // every finite value; the result is the integer's low 32 bits.
    double low = std::fmod(t, 4294967296.0);
    if (low < 0) low += 4294967296.0;
    return static_cast<int>(static_cast<uint32_t>(low));
}

}  // namespace almanac
