// Owning a value made by the factory. Every value is freed the way the
// engine frees the values of variables: with delete, through CData's
// virtual destructor, which runs in the module that defines the type. So a
// value needs no deleter of its own, and ValuePtr is a plain unique_ptr.
#pragma once

#include "Factory.h"

#include <memory>

namespace loom {

template <typename T = CData>
using ValuePtr = std::unique_ptr<T>;

// A new default value of type T from the factory, registering T first when
// nothing did; null when the factory cannot make one. While T's own
// registration is under way its number is 1 (the "any type" number, never
// a registered type), which makes nothing rather than asking the factory
// for a type that does not exist yet.
template <typename T>
ValuePtr<T> MakeValue()
{
    const int type = T::GetRegisteredType();
    if (type <= LOOM_TYPE_ANY) return nullptr;
    ValuePtr<CData> made(Factory_MakeData(type));
    if (!made || made->GetType() != type) return nullptr;
    return ValuePtr<T>(static_cast<T*>(made.release()));
}

}  // namespace loom
