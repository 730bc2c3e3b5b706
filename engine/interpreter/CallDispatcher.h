// Calls of functions that packages registered: choosing the overload by
// the argument types, building the call record, running the processor (a
// global one, or the receiving value's own for member functions) and
// turning its status and return variable into the call's value.
#pragma once

#include "InternalVisibility.h"

#include "Diagnostics.h"
#include "FunctionApi.h"
#include "ScriptValue.h"

#include <string>
#include <vector>

class CEngine;

LOOM_INTERNAL_BEGIN
namespace loom {

// One argument: the script's own variable when the argument is a plain
// variable, a value otherwise.
struct CallArgument {
    CVariable* variable = nullptr;
    Value value;

    int TypeId() const { return variable ? variable->GetType() : value.TypeId(); }
    std::string TypeName() const;
};

class CallDispatcher {
public:
    CallDispatcher(CEngine& engine, Diagnostics& diagnostics) : m_Engine(engine), m_Diagnostics(diagnostics) {}

    // The declaration that takes these arguments: one whose parameter types
    // all match (type 1 takes any) first, else one where int arguments go
    // to real parameters. Null when none does.
    // Only declarations named name are considered when name is not empty.
    static const CFunctionDecl* Choose(const std::vector<CFunctionDecl>& decls, const String& name,
                                       const std::vector<CallArgument>& args);
    // "(int, string)".
    static std::string DescribeArguments(const std::vector<CallArgument>& args);
    // "F(int), F(string, real)".
    static std::string DescribeCandidates(const std::vector<CFunctionDecl>& decls, const String& name);

    // Runs the call; an error or warning status is reported at line. On an
    // error the value is the declared result type's default.
    Value Invoke(const CFunctionDecl& decl, CData* receiver, std::vector<CallArgument>& args, int line);

private:
    CEngine& m_Engine;
    Diagnostics& m_Diagnostics;
};

}  // namespace loom
LOOM_INTERNAL_END
