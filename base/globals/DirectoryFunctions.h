// Global functions on directories and files as a whole: GetCurrentDir,
// ChangeDir, MakeDir, GetDirContents, CopyFile, CopyDir, DeleteFile,
// DeleteDir and FindFile. Paths are resolved against the engine's current
// directory, which is the engine's own and not the process's.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

namespace kestrel {

void CallGetCurrentDir(SSI_FunctionAPI& call);
void CallChangeDir(SSI_FunctionAPI& call);
void CallMakeDir(SSI_FunctionAPI& call);
void CallGetDirContents(SSI_FunctionAPI& call);
// CopyFile and CopyDir.
void CallCopy(SSI_FunctionAPI& call);
// DeleteFile and DeleteDir.
void CallDelete(SSI_FunctionAPI& call);
void CallFindFile(SSI_FunctionAPI& call);

// True for a path that must never be deleted: empty (or blank), or one
// that resolves to a drive root ("C:\", "\"), a share root
// ("\\server\share") or the root of the engine's current directory.
KESTRELBASE_API bool IsProtectedPath(const String& path, const String& absolute);

}  // namespace kestrel
