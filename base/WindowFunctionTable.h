// The table of window functions that the window type declares, one entry
// per class and name.
#pragma once

class CDataWindow;

// Registers every entry through the window's per-class AddFunction, in table
// order; returned statuses are discarded.
void RegisterWindowFunctions(CDataWindow& window);
