// What the global functions share beyond the engine's call helpers: the
// package's internal error, and making the paths and command lines a
// script names absolute.
#pragma once

#include "Loom.h"

namespace kestrel {

// The call's parameters are read with the engine's readers (a wrong type
// is an error the reader puts in the call's status).
using loom::ParameterData;
using loom::ReadInt;
using loom::ReadReal;
using loom::ReadString;
using loom::ReadValue;

// SetReturnData on a result object built for this call.
using loom::ReturnBool;
using loom::ReturnInt;
using loom::ReturnReal;
using loom::ReturnString;

// The internal error of this package for a source line.
CStatus InternalError(int line);

// Resolves a script path with the engine environment's GetAbsolutePath;
// no engine is an internal error.
CStatus AbsolutePath(SSI_FunctionAPI& call, const String& path, String& absolute);

// Resolves the program of a command line the same way, keeping its
// arguments as written: the program (quoted, or up to the first blank) is
// made absolute when that names an existing file relative to the engine's
// directory; otherwise the command stays as it is, for the system's own
// search (a bare "notepad", or "cmd /c dir").
CStatus AbsoluteCommand(SSI_FunctionAPI& call, const String& command, String& resolved);

}  // namespace kestrel
