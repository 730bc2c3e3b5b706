// The bodies of the package's global functions by exact, case-sensitive
// name; overloads of one name share one body, which tells them apart.
#pragma once

#include "Loom.h"

typedef void (*GlobalFunctionBody)(SSI_FunctionAPI& call);

// The body of the global function `name`, or null for an unknown name.
GlobalFunctionBody FindGlobalFunction(const String& name);
