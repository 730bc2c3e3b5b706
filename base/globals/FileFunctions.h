// Global functions on text files through the standard package's `file`
// type: OpenFile (new object or the script's own variable), CloseFile,
// WriteFile, ReadFile and ReadAllFile.
#pragma once

#include "Loom.h"

namespace kestrel {

// Both overloads: three parameters open the script's own variable.
void CallOpenFile(SSI_FunctionAPI& call);
void CallCloseFile(SSI_FunctionAPI& call);
void CallWriteFile(SSI_FunctionAPI& call);
void CallReadFile(SSI_FunctionAPI& call);
void CallReadAllFile(SSI_FunctionAPI& call);

}  // namespace kestrel
