// The interpreter's value of an expression. Ints, reals and bools of the
// engine's own types live unboxed, so arithmetic on them allocates
// nothing; every other value is a CData object, owned or borrowed from a
// variable for the moment it is used. A function that hands back a whole
// array gives an owned CVariable.
#pragma once

#include "InternalVisibility.h"

#include "Values.h"
#include "Variable.h"

#include <cstdint>
#include <string>

LOOM_INTERNAL_BEGIN
namespace loom {

// Type numbers of the engine's own types, read once from the factory.
struct BuiltinTypes {
    int Int, Real, String, Bool, Void;
};
extern BuiltinTypes gBuiltinTypes;  // zero until the first call of Types()
const BuiltinTypes& RegisterBuiltinTypes();
inline const BuiltinTypes& Types()
{
    return gBuiltinTypes.Int ? gBuiltinTypes : RegisterBuiltinTypes();
}

class Value {
public:
    enum Kind : uint8_t { None, Int, Real, Bool, Owned, Borrowed, Array };

    Value() : m_Bits(0) {}
    ~Value() { Reset(); }
    Value(Value&& other) noexcept : m_Kind(other.m_Kind), m_Bits(other.m_Bits) { other.m_Kind = None; }
    Value& operator=(Value&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_Kind = other.m_Kind;
            m_Bits = other.m_Bits;  // copies the whole union
            other.m_Kind = None;
        }
        return *this;
    }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;

    // Small members are written as the whole 64 bits: a later copy of the
    // union reads all of them at once, which a narrower store would stall.
    static Value FromInt(int32_t v) { Value r; r.m_Kind = Int; r.m_Bits = static_cast<uint32_t>(v); return r; }
    static Value FromReal(double v) { Value r; r.m_Kind = Real; r.m_Real = v; return r; }
    static Value FromBool(bool v) { Value r; r.m_Kind = Bool; r.m_Bits = v ? 1u : 0u; return r; }
    // Takes ownership; ints, reals and bools are unboxed.
    static Value Own(CData* data);
    // Refers to data owned elsewhere; valid only until that owner changes.
    // Inline: every read of a variable comes here.
    static Value Borrow(CData* data)
    {
        Value r;
        if (!data) return r;
        const BuiltinTypes& t = Types();
        const int type = data->GetType();
        if (type == t.Int) return FromInt(static_cast<CDataInt*>(data)->Data);
        if (type == t.Real) return FromReal(static_cast<CDataReal*>(data)->Data);
        if (type == t.Bool) return FromBool(static_cast<CDataBool*>(data)->Data != 0);
        r.m_Kind = Borrowed;
        r.m_Data = data;
        return r;
    }
    // Takes ownership of a whole variable (an array handed back by a call).
    static Value OwnArray(CVariable* variable);
    // The value of a variable: its array, or its working value.
    static Value OfVariable(const CVariable& variable, bool borrow);

    Kind GetKind() const { return m_Kind; }
    bool IsNone() const { return m_Kind == None; }
    bool IsNumber() const { return m_Kind == Int || m_Kind == Real; }
    int32_t AsInt() const { return static_cast<int32_t>(static_cast<uint32_t>(m_Bits)); }
    double AsReal() const { return m_Kind == Int ? static_cast<double>(AsInt()) : m_Real; }
    bool AsBool() const { return m_Bits != 0; }
    CVariable* GetArray() const { return m_Kind == Array ? m_Array : nullptr; }

    // The engine type number, 0 for no value.
    int TypeId() const;
    std::string TypeName() const;
    bool Truthy() const;
    String Text() const;

    // The object behind the value without copying (null for unboxed ones).
    CData* Peek() const;
    // A new object holding the value, owned by the caller; null for none.
    CData* MakeData() const;
    // Hands over the owned object, or a new one; the value becomes none.
    CData* Release();
    // Makes a borrowed value an owned copy.
    void Detach();
    // An independent copy.
    Value Copy() const;

    void Reset()
    {
        if (m_Kind == Owned || m_Kind == Array) FreeOwned();
        m_Kind = None;
    }

private:
    void FreeOwned();

    Kind m_Kind = None;
    // m_Bits spans the whole union: copying it copies whichever member is
    // in use.
    union {
        uint64_t m_Bits;
        double m_Real;
        CData* m_Data;
        CVariable* m_Array;
    };
};

}  // namespace loom
LOOM_INTERNAL_END
