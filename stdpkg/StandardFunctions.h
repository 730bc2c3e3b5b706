// The global functions of the standard package: one row each, registered
// in order by RegisterFunctions and run by StandardFunctionProcessor.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"

namespace almanac {

using StandardFunctionRow = loom::FunctionRow<void (*)(SSI_FunctionAPI&)>;
ALMANAC_API const StandardFunctionRow* StandardFunctionRows(size_t& count);

// Runs the function named in the call record; an unknown name changes
// nothing. Returns true when the name was known.
ALMANAC_API bool RunStandardFunction(SSI_FunctionAPI& call);

// rand(n) with r the generator value (0..32767): ((n + 1) * r) / 32768.
// Computed in 64 bits, so that it lies in 0..n for every n >= 0.
ALMANAC_API int ScaledRandom(int n, int r);
// int(x): truncated toward zero, the low 32 bits of the integer; not a
// number and infinities give 0.
ALMANAC_API int TruncateToInt(double x);

}  // namespace almanac
