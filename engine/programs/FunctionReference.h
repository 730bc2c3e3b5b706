// The reference of what a script can call, written by `loom --functions`
// (and checked in as docs/functions.md): the interpreter's own functions,
// the global functions the loaded packages register, the window functions
// of each window class, and the member variables and functions of each
// type, all read from the registered tables.
#pragma once

#include "Loom.h"

#include <string>

// The reference as Markdown.
std::string WriteFunctionReference(const CEngine& engine);
