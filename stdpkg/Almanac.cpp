// Registration of the standard package with the engine.
#include "Almanac.h"

#include "DataBitmap.h"
#include "DataFile.h"
#include "DataOptions.h"
#include "StandardFunctions.h"

#include <cstdlib>
#include <ctime>

LOOM_PACKAGE_ENTRY void RegisterFunctions(CEngine* engine)
{
    srand(static_cast<unsigned>(time(nullptr)));
    if (!engine) return;
    engine->SetPackageName("Standard");

    // Constructing one object of each type registers it with the factory.
    CDataFile* file = new CDataFile;
    CDataBitmap* bitmap = new CDataBitmap;
    CDataOptions* options = new CDataOptions;

    size_t count = 0;
    const almanac::StandardFunctionRow* rows = almanac::StandardFunctionRows(count);
    for (size_t i = 0; i < count; ++i) {
        CFunctionDecl decl = loom::MakeDecl(rows[i].name, rows[i].params, rows[i].result);
        decl.SetProcessor(StandardFunctionProcessor);
        engine->AddFunction(decl);
    }

    delete options;
    delete bitmap;
    delete file;
}

LOOM_PACKAGE_ENTRY void* StandardFunctionProcessor(SSI_FunctionAPI& call)
{
    almanac::RunStandardFunction(call);
    return nullptr;
}

LOOM_PACKAGE_ENTRY void CleanUp()
{
    // Registers again any of the three types whose id UnRegister reset.
    CDataFile* file = new CDataFile;
    CDataBitmap* bitmap = new CDataBitmap;
    CDataOptions* options = new CDataOptions;
    delete options;
    delete bitmap;
    delete file;
}
