// The package's exported entry points: registration with the engine, the
// processor of the global functions, and release.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

LOOM_PACKAGE_ENTRY void RegisterFunctions(CEngine* engine);
LOOM_PACKAGE_ENTRY void* StandardFunctionProcessor(SSI_FunctionAPI& call);
LOOM_PACKAGE_ENTRY void CleanUp();
LOOM_PACKAGE_ENTRY int TestExport();

// LoadPackageDLL(path): loads another package and registers its functions.
void CallLoadPackageDLL(SSI_FunctionAPI& call);

// The number of RegisterFunctions calls not yet released by CleanUp.
KESTRELBASE_API int PackageRegistrationCount();
