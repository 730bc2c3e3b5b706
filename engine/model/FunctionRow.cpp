#include "FunctionRow.h"

#include "Factory.h"
#include "Values.h"

namespace loom {

namespace {

// A type of a package: its id, or any while the package is not loaded.
int PackageType(const char* name)
{
    const int type = Factory_GetTypeByName(name);
    return type ? type : LOOM_TYPE_ANY;
}

}  // namespace

int TypeOfCode(char code)
{
    switch (code) {
    case 0: return 0;
    case 'i': return CDataInt::GetRegisteredType();
    case 'r': return CDataReal::GetRegisteredType();
    case 's': return CDataString::GetRegisteredType();
    case 'b': return CDataBool::GetRegisteredType();
    case 'v': return CDataVoid::GetRegisteredType();
    case 'w': return PackageType("window");
    case 'm': return PackageType("bitmap");
    case 'f': return PackageType("file");
    case 'o': return PackageType("options");
    case 'k': return PackageType("regkey");
    case 'x': return PackageType("matrix");
    case 'p': return PackageType("point");
    case 't': return PackageType("tst");
    default: return LOOM_TYPE_ANY;
    }
}

CFunctionDecl MakeDecl(const char* name, const char* params, char result)
{
    CFunctionDecl decl;
    decl.SetName(name);
    for (const char* p = params; p && *p; ++p) decl.addType(TypeOfCode(*p), "");
    if (result) decl.SetReturnType(TypeOfCode(result));
    return decl;
}

bool CallMatches(SSI_FunctionAPI& call, const char* name, const char* params)
{
    if (call.m_FunctionName != name) return false;
    int n = 0;
    for (const char* p = params; p && *p; ++p, ++n) {
        const int type = TypeOfCode(*p);
        if (type != LOOM_TYPE_ANY && call.GetParameterType(n) != type) return false;
    }
    return call.GetNumParams() == n;
}

}  // namespace loom
