// The declarations of the package's global functions, in registration order.
#pragma once

struct GlobalFunctionEntry {
    const char* name;
    // Parameter and result codes: i int, r real, s string, b bool,
    // w window, f file (the standard package's type).
    const char* params;
    char result;  // 0: no result type
};

extern const GlobalFunctionEntry kGlobalFunctions[];
extern const int kGlobalFunctionCount;

// The engine type of a code (0 for none).
int GlobalFunctionType(char code);
