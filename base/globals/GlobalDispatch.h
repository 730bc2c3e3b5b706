// The package's global functions: one row each (name, signature, body), in
// registration order. Overloads are rows of their own.
#pragma once

#include "Loom.h"

#include <vector>

using GlobalFunctionBody = void (*)(SSI_FunctionAPI& call);
using GlobalFunctionRow = loom::FunctionRow<GlobalFunctionBody>;

// Every row, in registration order: the basic functions, then the
// assertions that wait.
const std::vector<GlobalFunctionRow>& GlobalFunctionRows();
// The row of the call, or null for a name no row has.
const GlobalFunctionRow* FindGlobalFunction(SSI_FunctionAPI& call);
