#include "ScriptValue.h"

#include "Factory.h"

#include <utility>

namespace loom {

BuiltinTypes gBuiltinTypes = {0, 0, 0, 0, 0};

const BuiltinTypes& RegisterBuiltinTypes()
{
    gBuiltinTypes.Real = CDataReal::GetRegisteredType();
    gBuiltinTypes.String = CDataString::GetRegisteredType();
    gBuiltinTypes.Bool = CDataBool::GetRegisteredType();
    gBuiltinTypes.Void = CDataVoid::GetRegisteredType();
    gBuiltinTypes.Int = CDataInt::GetRegisteredType();  // last: marks the set complete
    return gBuiltinTypes;
}

void Value::FreeOwned()
{
    if (m_Kind == Owned) delete m_Data;
    else if (m_Kind == Array) delete m_Array;
    m_Kind = None;
}

Value Value::Own(CData* data)
{
    Value r;
    if (!data) return r;
    const BuiltinTypes& t = Types();
    const int type = data->GetType();
    if (type == t.Int) {
        r = FromInt(static_cast<CDataInt*>(data)->Data);
        delete data;
    } else if (type == t.Real) {
        r = FromReal(static_cast<CDataReal*>(data)->Data);
        delete data;
    } else if (type == t.Bool) {
        r = FromBool(static_cast<CDataBool*>(data)->Data != 0);
        delete data;
    } else {
        r.m_Kind = Owned;
        r.m_Data = data;
    }
    return r;
}

Value Value::OwnArray(CVariable* variable)
{
    Value r;
    if (!variable) return r;
    r.m_Kind = Array;
    r.m_Array = variable;
    return r;
}

Value Value::OfVariable(const CVariable& variable, bool borrow)
{
    if (variable.IsArray()) return OwnArray(new CVariable(variable));
    CData* d = variable.GetWorkingData();
    if (!d) return Value();
    if (borrow) return Borrow(d);
    Value r = Borrow(d);
    r.Detach();
    return r;
}

int Value::TypeId() const
{
    switch (m_Kind) {
    case Int: return Types().Int;
    case Real: return Types().Real;
    case Bool: return Types().Bool;
    case Owned:
    case Borrowed: return m_Data->GetType();
    case Array: return m_Array->GetType();
    case None: break;
    }
    return 0;
}

std::string Value::TypeName() const
{
    if (m_Kind == None) return "no value";
    const String name = Factory_GetTypeName(TypeId());
    std::string result = name.IsEmpty() ? "unknown type" : name.str();
    if (m_Kind == Array) result += " array";
    return result;
}

bool Value::Truthy() const
{
    switch (m_Kind) {
    case Int: return AsInt() != 0;
    case Real: return m_Real != 0.0;
    case Bool: return AsBool();
    case Owned:
    case Borrowed: return m_Data->boolean();
    case Array: {
        CData* d = m_Array->GetWorkingData();
        return d && d->boolean();
    }
    case None: break;
    }
    return false;
}

String Value::Text() const
{
    switch (m_Kind) {
    case Int: return String::Printf("%d", static_cast<int>(AsInt()));
    case Real: {
        CDataReal r(m_Real);
        return r.GetString();
    }
    case Bool: return AsBool() ? "true" : "false";
    case Owned:
    case Borrowed: return m_Data->GetString();
    case Array: {
        // The elements' texts, one after the other, separated by blanks.
        String out;
        for (int i = 0; i < m_Array->GetNumElems(); ++i) {
            if (i) out += " ";
            if (CData* d = m_Array->Get(i)) out += d->GetString();
        }
        return out;
    }
    case None: break;
    }
    return String();
}

CData* Value::Peek() const
{
    if (m_Kind == Owned || m_Kind == Borrowed) return m_Data;
    if (m_Kind == Array) return m_Array->GetWorkingData();
    return nullptr;
}

CData* Value::MakeData() const
{
    switch (m_Kind) {
    case Int: return new CDataInt(AsInt());
    case Real: return new CDataReal(m_Real);
    case Bool: return new CDataBool(AsBool());
    case Owned:
    case Borrowed: return m_Data->Clone();
    case Array: {
        CData* d = m_Array->GetWorkingData();
        return d ? d->Clone() : nullptr;
    }
    case None: break;
    }
    return nullptr;
}

CData* Value::Release()
{
    if (m_Kind == Owned) {
        CData* d = m_Data;
        m_Kind = None;
        return d;
    }
    CData* d = MakeData();
    Reset();
    return d;
}

void Value::Detach()
{
    if (m_Kind != Borrowed) return;
    CData* copy = m_Data->Clone();
    m_Kind = None;
    *this = Own(copy);
}

Value Value::Copy() const
{
    switch (m_Kind) {
    case Int: return FromInt(AsInt());
    case Real: return FromReal(m_Real);
    case Bool: return FromBool(AsBool());
    case Owned:
    case Borrowed: return Own(m_Data->Clone());
    case Array: return OwnArray(new CVariable(*m_Array));
    case None: break;
    }
    return Value();
}

}  // namespace loom
