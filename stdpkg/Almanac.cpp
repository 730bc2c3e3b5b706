// Registration of the standard package with the engine.
#include "Almanac.h"

#include "DataBitmap.h"
#include "DataFile.h"
#include "DataOptions.h"
#include "StandardFunctions.h"

#include <cstdlib>
#include <ctime>

namespace {

enum class T { None, Any, Int, Real, String };

struct FunctionRow {
    const char* name;
    T params[3];
    int paramCount;
    T result;
};

// The global functions in registration order (overloads are separate rows).
const FunctionRow kFunctions[] = {
    {"pwd", {}, 0, T::String},
    {"cd", {T::String}, 1, T::None},
    {"string", {T::Any}, 1, T::String},
    {"strrev", {T::String}, 1, T::String},
    {"replace", {T::String, T::String, T::String}, 3, T::String},
    {"find", {T::String, T::String}, 2, T::Int},
    {"substring", {T::String, T::Int, T::Int}, 3, T::String},
    {"getlength", {T::String}, 1, T::Int},
    {"trim", {T::String}, 1, T::String},
    {"split", {T::String, T::String}, 2, T::String},
    {"format", {T::String, T::Int}, 2, T::String},
    {"format", {T::String, T::Real}, 2, T::String},
    {"toupper", {T::String}, 1, T::String},
    {"tolower", {T::String}, 1, T::String},
    {"length", {T::Any}, 1, T::Int},
    {"size", {T::Any}, 1, T::Int},
    {"mean", {T::Real}, 1, T::Real},
    {"sin", {T::Real}, 1, T::Real},
    {"cos", {T::Real}, 1, T::Real},
    {"tan", {T::Real}, 1, T::Real},
    {"asin", {T::Real}, 1, T::Real},
    {"acos", {T::Real}, 1, T::Real},
    {"atan", {T::Real}, 1, T::Real},
    {"atan2", {T::Real, T::Real}, 2, T::Real},
    {"sinh", {T::Real}, 1, T::Real},
    {"cosh", {T::Real}, 1, T::Real},
    {"tanh", {T::Real}, 1, T::Real},
    {"rand", {T::Int}, 1, T::Int},
    {"abs", {T::Real}, 1, T::Real},
    {"sign", {T::Real}, 1, T::Int},
    {"mod", {T::Int, T::Int}, 2, T::Int},
    {"int", {T::Real}, 1, T::Int},
    {"real", {T::Int}, 1, T::Real},
    {"sqrt", {T::Real}, 1, T::Real},
    {"GetErrorCount", {}, 0, T::Int},
    {"GetWarningCount", {}, 0, T::Int},
    {"Evaluate", {T::String}, 1, T::Any},
};

int TypeId(T t)
{
    switch (t) {
    case T::Any: return LOOM_TYPE_ANY;
    case T::Int: return CDataInt::GetRegisteredType();
    case T::Real: return CDataReal::GetRegisteredType();
    case T::String: return CDataString::GetRegisteredType();
    case T::None: break;
    }
    return 0;
}

}  // namespace

LOOM_PACKAGE_ENTRY void RegisterFunctions(CEngine* engine)
{
    srand(static_cast<unsigned>(time(nullptr)));
    if (!engine) return;
    engine->SetPackageName("Standard");

    // Constructing one object of each type registers it with the factory.
    CDataFile* file = new CDataFile;
    CDataBitmap* bitmap = new CDataBitmap;
    CDataOptions* options = new CDataOptions;

    CFunctionDecl decl;
    for (const FunctionRow& row : kFunctions) {
        decl.Clear();
        decl.SetName(row.name);
        for (int i = 0; i < row.paramCount; ++i) decl.addType(TypeId(row.params[i]), "");
        if (row.result != T::None) decl.SetReturnType(TypeId(row.result));
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
