// Reading the parameters of a global-function call and handing back its
// result. A parameter whose value is absent or of another type reads as
// false, and the caller reports an internal error.
#pragma once

#include "Loom.h"

class CDataWindow;

namespace kestrel {

// The value of parameter index when it has the given type, else null.
CData* ParameterData(SSI_FunctionAPI& call, int index, int type);

bool StringParameter(SSI_FunctionAPI& call, int index, String& value);
bool IntParameter(SSI_FunctionAPI& call, int index, int& value);
bool RealParameter(SSI_FunctionAPI& call, int index, double& value);
// The script's own window object (used in place), or null.
CDataWindow* WindowParameter(SSI_FunctionAPI& call, int index);

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
