#include "KeywordProcessor.h"

#include "Declarations.h"
#include "DllFunction.h"
#include "WindowChecker.h"

CStatus DefineClass(const String& argument)
{
    String rest(argument);
    String name;
    if (rest.Parse("=", name) <= 0) {
        CStatus status;
        return status.Format(CStatus::Error, "Incorrect 'define' syntax. (K00211)");
    }
    name.Trim();
    rest.Trim();
    String literal;
    if (CDataString::ParseLiteral(name, literal))
        name = literal;
    if (CDataString::ParseLiteral(rest, literal))
        rest = literal;
    if (DefineClassAlias(name, rest) == -1) {
        CStatus status;
        return status.Format(CStatus::Error, "Could not define '%s' as '%s'. (K00212)", name.c_str(),
                             rest.c_str());
    }
    return CStatus::MakeOK();
}

void KeywordProcessor(SSI_KeywordAPI& call)
{
    if (call.Keyword == "use") {
        if (!call.Engine)
            call.Status = CStatus::MakeDefaultError(__LINE__, "KestrelBase");
        else
            call.Status = UseDeclarations(*call.Engine, call.Argument);
    } else if (call.Keyword == "define") {
        call.Status = DefineClass(call.Argument);
    } else if (call.Keyword == "dll") {
        call.Status = DeclareDllFunction(call.Engine, call.Argument);
    }
}
