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
