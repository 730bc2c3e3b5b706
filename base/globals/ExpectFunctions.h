// Assertions that wait: each polls the live window until its condition
// holds or its bound runs out (the lookup bound unless seconds are given),
// and on failure reports one error that names the window, what was
// expected and what was seen last. Each returns whether it held, so a
// script can also branch on it.
#pragma once

#include "GlobalDispatch.h"

namespace kestrel {

// ExpectText, ExpectTextContains, ExpectEnabled, ExpectChecked,
// ExpectExists, ExpectCount (each with and without a bound in seconds) and
// WaitForWindowGone.
const GlobalFunctionRow* ExpectFunctionRows(size_t& count);

}  // namespace kestrel
