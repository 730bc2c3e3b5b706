// Helpers shared by the engine's value types.
#pragma once

#include "TypeRegistration.h"
#include "Values.h"

#include <cstdint>

namespace loom {

// The numeric value of an int or real; false for any other type.
inline bool NumericValue(CData* d, double& value, bool& isReal)
{
    if (!d) return false;
    if (d->GetType() == CDataInt::GetRegisteredType()) {
        value = static_cast<CDataInt*>(d)->Data;
        isReal = false;
        return true;
    }
    if (d->GetType() == CDataReal::GetRegisteredType()) {
        value = static_cast<CDataReal*>(d)->Data;
        isReal = true;
        return true;
    }
    return false;
}

// Two's-complement wrapping, so that overflow is defined behaviour.
inline int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

template <typename T>
int ThreeWay(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

}  // namespace loom
