#include "PackageEntry.h"

#include "ClassWindow.h"
#include "DllFunction.h"
#include "GlobalDispatch.h"
#include "KeywordProcessor.h"
#include "LibraryHandle.h"
#include "RegKey.h"
#include "WindowChecker.h"

#include <cstdio>

namespace {

// RegisterFunctions calls not yet released by CleanUp; plain, the engine
// calls packages from one thread.
int gRegistrationCount = 0;

CStatus LoadPackageDLL(SSI_FunctionAPI& call, const String& path)
{
    SetLastError(0);
    LibraryHandle library(LoadLibraryA(path.c_str()));
    CStatus status;
    if (!library)
        return status.Format(CStatus::Error, "Could not load DLL package '%s'. (K00553)", path.c_str());
    typedef void (*RegisterFunctionsT)(CEngine*);
    RegisterFunctionsT registerFunctions =
        reinterpret_cast<RegisterFunctionsT>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "RegisterFunctions")));
    if (!registerFunctions)
        return status.Format(CStatus::Error, "DLL package '%s' is incompatible with Kestrel. (K00554)",
                             path.c_str());
    // The package stays loaded for the rest of the process.
    library.Release();
    registerFunctions(call.m_Engine);
    return call.m_ReturnStatus;
}

}  // namespace

void CallLoadPackageDLL(SSI_FunctionAPI& call)
{
    String path;
    if (loom::ReadString(call, 0, path))
        call.m_ReturnStatus = LoadPackageDLL(call, path);
}

void RegisterFunctions(CEngine* engine)
{
    ++gRegistrationCount;
    CDataWindow window;
    CDataRegKey regkey;
    if (!engine)
        return;

    engine->SetPackageName("Kestrel");
    CKeywordDecl keyword;
    keyword.SetCallback(KeywordProcessor);
    for (const char* name : {"use", "define", "dll"}) {
        keyword.SetName(name);
        engine->AddKeyword(keyword);
    }

    for (const GlobalFunctionRow& row : GlobalFunctionRows()) {
        CFunctionDecl decl = loom::MakeDecl(row.name, row.params, row.result);
        decl.SetProcessor(StandardFunctionProcessor);
        engine->AddFunction(decl);
    }
}

void* StandardFunctionProcessor(SSI_FunctionAPI& call)
{
    // A name that matches no function leaves the call record unchanged.
    if (const GlobalFunctionRow* row = FindGlobalFunction(call))
        row->body(call);
    return nullptr;
}

void CleanUp()
{
    if (--gRegistrationCount > 0)
        return;
    int windowType = CDataWindow::GetRegisteredType();
    if (windowType > 1)
        Factory_RemoveData(windowType);
    DestroyWindowChecker();
    gRegistrationCount = 0;
}

int TestExport()
{
    int written = std::printf("EXPORT\n\n");
    std::fflush(stdout);
    return written;
}

int PackageRegistrationCount()
{
    return gRegistrationCount;
}
