// The table of window functions that the window type declares, one entry
// per class and name.
#pragma once

#include "KestrelBaseApi.h"

class CDataWindow;

// One row: the class, the name, the parameter codes and the result code
// (i int, s string, b bool, w window, m bitmap; 0 for no result).
struct WindowFunctionEntry {
    const char* windowClass;
    const char* name;
    const char* params;
    char result;
};

// The rows, in table order; `count` gets their number.
KESTRELBASE_API const WindowFunctionEntry* WindowFunctionRows(int& count);

// Registers every entry through the window's per-class AddFunction, in table
// order; returned statuses are discarded.
void RegisterWindowFunctions(CDataWindow& window);
