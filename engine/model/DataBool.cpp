#include "Factory.h"
#include "ValueHelpers.h"

int CDataBool::sType = 0;
LOOM_DEFINE_GET_REGISTERED_TYPE(CDataBool)

CDataBool::CDataBool() { LOOM_REGISTER_ON_FIRST_USE(CDataBool, "bool"); }
CDataBool::CDataBool(bool value) : CDataBool() { Data = value ? 1 : 0; }

namespace {

bool BoolValue(CData* other, bool& v)
{
    if (!other || other->GetType() != CDataBool::GetRegisteredType()) return false;
    v = static_cast<CDataBool*>(other)->Data != 0;
    return true;
}

}  // namespace

CData* CDataBool::operator_equal(CData* other, OpInfoT*)
{
    return CopyData(other) ? this : nullptr;
}

CData* CDataBool::operator_bit_and(CData* other, OpInfoT*)
{
    bool v;
    if (!BoolValue(other, v)) return nullptr;
    Data = (Data && v) ? 1 : 0;
    return this;
}

CData* CDataBool::operator_bit_or(CData* other, OpInfoT*)
{
    bool v;
    if (!BoolValue(other, v)) return nullptr;
    Data = (Data || v) ? 1 : 0;
    return this;
}

bool CDataBool::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    Data = static_cast<CDataBool*>(other)->Data;
    return true;
}

bool CDataBool::DataFromString(const String& text)
{
    String t(text);
    t.Trim();
    if (t == "true") { Data = 1; return true; }
    if (t == "false") { Data = 0; return true; }
    return false;
}

CStatus CDataBool::operator_compare(CData* other, int& out)
{
    bool v;
    if (!BoolValue(other, v)) return CData::operator_compare(other, out);
    out = loom::ThreeWay(Data != 0, v);
    return CStatus();
}

int CDataVoid::sType = 0;
LOOM_DEFINE_GET_REGISTERED_TYPE(CDataVoid)

CDataVoid::CDataVoid() { LOOM_REGISTER_ON_FIRST_USE(CDataVoid, "void"); }

CData* CDataVoid::operator_equal(CData* other, OpInfoT*)
{
    return CopyData(other) ? this : nullptr;
}
