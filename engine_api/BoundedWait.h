// The one way the toolkit waits for something to become true: a condition
// polled at a fixed pace until it holds or a bound runs out. No wait in the
// product is written as a loop of its own.
#pragma once

#include <chrono>
#include <thread>

namespace loom {

// Tries condition at once and then every paceMs, boundMs / paceMs + 1
// times in all (one try for a bound of 0), with no pause after the last
// try. True as soon as it holds; false when the last try failed.
template <class Condition>
bool WaitUntil(Condition condition, int boundMs, int paceMs)
{
    if (paceMs < 1) paceMs = 1;
    const int tries = (boundMs > 0 ? boundMs / paceMs : 0) + 1;
    for (int attempt = 0;; ++attempt) {
        if (condition()) return true;
        if (attempt + 1 >= tries) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(paceMs));
    }
}

}  // namespace loom
