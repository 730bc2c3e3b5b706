// The window-function checker: for every distinct window-function signature
// (name and parameter types) the classes that offer it, and the class alias
// table filled by the `define` keyword. One process-wide object, made on
// first use and destroyed by DestroyWindowChecker.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

// 1 when the signature of `prototype` is new (a new entry holding `className`),
// 0 when it was known (the class is appended to that entry).
KESTRELBASE_API int RegisterClassFunction(SSI_FunctionAPI& prototype, String& className);
// Whether the call's signature belongs to `className` (or to "MainWin").
KESTRELBASE_API CStatus CheckClassFunction(SSI_FunctionAPI& call, String& className);
// Defines `name` as `windowClass`: the position of the name, or -1.
KESTRELBASE_API int DefineClassAlias(String& name, String& windowClass);
// The class `className` stands for (one step), or `className` itself.
KESTRELBASE_API String ResolveClassAlias(String& className);
// Destroys both tables; the next use starts empty.
KESTRELBASE_API void DestroyWindowChecker();

// Inspection for tests: number of signature entries, and the classes of the
// first entry with this name and parameter types (empty when none).
KESTRELBASE_API int WindowCheckerEntryCount();
KESTRELBASE_API int WindowCheckerClasses(const String& name, const int* types, int count,
                                         String* classes, int capacity);
