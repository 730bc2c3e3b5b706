// Tells whether the running thread's stack is close to its end, so that
// deep recursion of script functions becomes an error instead of a crash.
// The bounds come from the operating system; where they are unknown the
// guard never reports a full stack.
#pragma once

#include "InternalVisibility.h"

#include <cstddef>
#include <cstdint>

LOOM_INTERNAL_BEGIN
namespace loom {

class StackGuard {
public:
    // Reads the bounds of the calling thread's stack.
    StackGuard();

    // True when fewer than reserve bytes remain below the caller's frame.
    bool NearlyFull(size_t reserve) const
    {
        if (!m_Low) return false;
        char here;
        const uintptr_t at = reinterpret_cast<uintptr_t>(&here);
        return at < m_Low + reserve;
    }

private:
    uintptr_t m_Low = 0;  // lowest usable address; 0 when unknown
};

}  // namespace loom
LOOM_INTERNAL_END
