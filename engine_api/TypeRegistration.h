// How a value type registers with the factory: the first construction of
// the type builds a prototype and hands it to Factory_RegisterData; every
// object then carries the factory's number. While the prototype is being
// built, sType holds 1 (the number that stands for "any type" and never
// names a registered type), so the prototype's own constructor does not
// register a second time.
//
// A type declares `static int sType;` and `static int GetRegisteredType();`
// and writes, in its source file:
//
//     LOOM_DEFINE_GET_REGISTERED_TYPE(CDataPoint)
//     CDataPoint::CDataPoint() { LOOM_REGISTER_ON_FIRST_USE(CDataPoint, "point"); }
//
// GetRegisteredType registers the type when nothing did before, so a type
// number asked for is always a registered one.
#pragma once

#include "Factory.h"

#define LOOM_REGISTER_ON_FIRST_USE(Type, name)            \
    do {                                                  \
        m_TypeName = name;                                \
        if (sType == 0) {                                 \
            sType = 1;                                    \
            Type* prototype = new Type;                   \
            sType = Factory_RegisterData(prototype);      \
        }                                                 \
        m_Type = sType;                                   \
    } while (0)

#define LOOM_DEFINE_GET_REGISTERED_TYPE(Type)             \
    int Type::GetRegisteredType()                         \
    {                                                     \
        if (sType == 0) { Type probe; (void)probe; }      \
        return sType;                                     \
    }

// The members every value type has: LOOM_VALUE_TYPE_MEMBERS in the class
// body (where it is public) declares them; LOOM_DEFINE_VALUE_TYPE(Type) in
// the source file defines the ones that are the same for every type (the
// factory's prototype functions and the registration), and the type
// defines operator_equal, CopyData, DataFromString, GetString and SizeOf.
#define LOOM_VALUE_TYPE_MEMBERS                                        \
    CData* operator_equal(CData* other, OpInfoT* info) override;       \
    bool CopyData(CData* other) override;                              \
    CData* MakeData() override;                                        \
    bool DeleteData(CData* data) override;                             \
    bool DataFromString(const String& text) override;                  \
    String GetString() override;                                       \
    int SizeOf() override;                                             \
    int Register(int type) override;                                   \
    void UnRegister() override;                                        \
    static int GetRegisteredType()

#define LOOM_DEFINE_VALUE_TYPE(Type)                                   \
    CData* Type::MakeData() { return new Type; }                       \
    bool Type::DeleteData(CData* data)                                 \
    {                                                                  \
        delete data;                                                   \
        return true;                                                   \
    }                                                                  \
    int Type::Register(int type)                                       \
    {                                                                  \
        sType = type;                                                  \
        return 1;                                                      \
    }                                                                  \
    void Type::UnRegister() { sType = 0; }                             \
    LOOM_DEFINE_GET_REGISTERED_TYPE(Type)
