// A small package for the engine's tests and the demo.
#include "Loom.h"

namespace {

int gRegistrations = 0;

void* Processor(SSI_FunctionAPI& call)
{
    if (call.m_FunctionName == "Greet") {
        CDataString* who = static_cast<CDataString*>(call[0]->GetWorkingData());
        CDataString result("Hello, " + who->Data + "!");
        call.SetReturnData(&result);
        call.m_ReturnStatus = CStatus();
    } else if (call.m_FunctionName == "Add") {
        if (call.GetParameterType(0) == CDataInt::GetRegisteredType()) {
            CDataInt result(static_cast<CDataInt*>(call[0]->GetWorkingData())->Data +
                            static_cast<CDataInt*>(call[1]->GetWorkingData())->Data);
            call.SetReturnData(&result);
        } else {
            CDataReal result(static_cast<CDataReal*>(call[0]->GetWorkingData())->Data +
                             static_cast<CDataReal*>(call[1]->GetWorkingData())->Data);
            call.SetReturnData(&result);
        }
    } else if (call.m_FunctionName == "Fail") {
        call.m_ReturnStatus = CStatus::MakeError(static_cast<CDataString*>(call[0]->GetWorkingData())->Data);
    } else if (call.m_FunctionName == "Warn") {
        call.m_ReturnStatus = CStatus::MakeWarning(static_cast<CDataString*>(call[0]->GetWorkingData())->Data);
    } else if (call.m_FunctionName == "Bump") {
        // Changes the caller's own variable and writes it back by name.
        CVariable* v = call[0];
        CDataInt next(static_cast<CDataInt*>(v->GetWorkingData())->Data + 1);
        v->SetWorkingData(&next);
        call.m_ReturnStatus = call.m_Engine->SetVariable(*v);
    }
    return nullptr;
}

void Declare(CEngine* engine, const char* name, std::initializer_list<int> params, int result)
{
    CFunctionDecl decl;
    decl.Clear();
    decl.SetName(name);
    for (int type : params) decl.addType(type, "");
    decl.SetReturnType(result);
    decl.SetProcessor(Processor);
    engine->AddFunction(decl);
}

}  // namespace

LOOM_PACKAGE_ENTRY void RegisterFunctions(CEngine* engine)
{
    ++gRegistrations;
    const int i = CDataInt::GetRegisteredType();
    const int r = CDataReal::GetRegisteredType();
    const int s = CDataString::GetRegisteredType();
    engine->SetPackageName("TestPackage");
    Declare(engine, "Greet", {s}, s);
    Declare(engine, "Add", {i, i}, i);
    Declare(engine, "Add", {r, r}, r);
    Declare(engine, "Fail", {s}, 0);
    Declare(engine, "Warn", {s}, 0);
    Declare(engine, "Bump", {i}, 0);
}

LOOM_PACKAGE_ENTRY int TestPackageRegistrations() { return gRegistrations; }

LOOM_PACKAGE_ENTRY void CleanUp() { --gRegistrations; }
