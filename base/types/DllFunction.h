// Functions of any Windows library declared as script functions with the
// `dll` keyword, and the processor that calls them.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

class KESTRELBASE_API CDllFunc {
public:
    CDllFunc() = default;
    CDllFunc(const CDllFunc& other) = default;
    CDllFunc& operator=(const CDllFunc& other) = default;
    virtual ~CDllFunc();

    // Records are equal when their script function names are.
    char operator==(const CDllFunc& other) const { return functionName == other.functionName; }

    String dllPath;       // absolute path of the library
    String exportName;    // exported symbol
    String functionName;  // script name
    int returnType = 0;   // engine type of the result
};

// Most arguments a declared function takes.
constexpr int kMaxDllParameters = 16;

// Appends a record to the process-wide table (no duplicate check).
KESTRELBASE_API void AddDllFunction(const CDllFunc& record);
// The first record of that script name, or null.
KESTRELBASE_API const CDllFunc* FindDllFunction(const String& functionName);

// The `dll` keyword: declares the function and registers it with the engine.
KESTRELBASE_API CStatus DeclareDllFunction(CEngine* engine, const String& argument);

// Processor of every function declared with `dll`.
LOOM_PACKAGE_ENTRY void* DllFunctionProcessor(SSI_FunctionAPI& call);
