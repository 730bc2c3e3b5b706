// Shows the engine at work without a script: it loads a package, finds one
// of its functions and calls it the way the interpreter does.
#include "Loom.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const String package = argc > 1 ? String(argv[1])
#if defined(_WIN32)
                                    : String("TestPackage.dll");
#else
                                    : String("./TestPackage.so");
#endif
    CEngine engine;
    CStatus status = engine.LoadPackage(package);
    if (!status) {
        std::fprintf(stderr, "demo: %s\n", status.GetStatusMessage().c_str());
        return 1;
    }
    std::printf("loaded package '%s'\n", engine.GetPackageName().c_str());

    const std::vector<CFunctionDecl>* overloads = engine.FindFunctions("Greet");
    if (!overloads || overloads->empty() || !overloads->front().Processor) {
        std::fprintf(stderr, "demo: the package has no function Greet\n");
        return 1;
    }
    SSI_FunctionAPI call;
    call.m_FunctionName = "Greet";
    call.m_Engine = &engine;
    call.InitParams(1);
    CVariable who("who", CDataString::GetRegisteredType());
    CDataString name("Kestrel");
    who.SetData(&name);
    int index = 0;
    call.AddParameter(who, index);
    call.GetReturnData()->SetType(overloads->front().ReturnType);
    overloads->front().Processor(call);
    if (!call.m_ReturnStatus) {
        std::fprintf(stderr, "demo: Greet failed: %s\n", call.m_ReturnStatus.GetStatusMessage().c_str());
        return 1;
    }
    CData* result = call.GetReturnData()->GetWorkingData();
    std::printf("Greet(\"Kestrel\") returned \"%s\"\n", result ? result->GetString().c_str() : "");
    return 0;
}
