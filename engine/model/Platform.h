// The engine's only contact with the operating system: loading libraries,
// the process's directory, and the path conventions.
#pragma once

#include "String.h"

namespace loom::platform {

void* OpenLibrary(const String& path, String& error);
void* FindSymbol(void* library, const char* name);
String CurrentDirectory();
bool ChangeDirectory(const String& path);
bool DirectoryExists(const String& path);
bool IsAbsolute(const String& path);
char Separator();
// The folder of the running program.
String ProgramDirectory();

}  // namespace loom::platform
