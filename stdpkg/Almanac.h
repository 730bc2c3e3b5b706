// The package entry points of Almanac, the standard package.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"

// Seeds the random generator, names the package "Standard", registers the
// file, bitmap and options types and the 37 global-function declarations.
LOOM_PACKAGE_ENTRY void RegisterFunctions(CEngine* engine);
// Processor of every global function of the package.
LOOM_PACKAGE_ENTRY void* StandardFunctionProcessor(SSI_FunctionAPI& call);
// Re-registers the three types if their type ids were reset; releases nothing.
LOOM_PACKAGE_ENTRY void CleanUp();
