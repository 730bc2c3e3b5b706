// Validation of the format text of the script function `format`, which
// hands it to a printf-style formatter together with exactly one value.
#pragma once

#include "AlmanacApi.h"

namespace almanac {

enum class FormatArg { Int, Real };

// True when fmt holds exactly one conversion and it consumes exactly one
// value of the given kind: for an int one of d i o u x X c, for a real one
// of f F e E g G a A (an `l` modifier is allowed there, it changes nothing).
// Flags, width and precision are allowed as digits up to kMaxFormatField;
// `*`, positional `$` arguments, other length modifiers and all other
// conversions (s, p, n, ...) are refused, since each of them would make the
// formatter read something other than the one value. "%%" is plain text.
ALMANAC_API bool IsSingleValueFormat(const char* fmt, FormatArg kind);

// Width and precision above this would only produce huge texts.
constexpr int kMaxFormatField = 1024;

}  // namespace almanac
