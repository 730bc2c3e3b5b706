// The interpreter as packages see it.
#pragma once

#include "Variable.h"

class LOOM_API CInterpreter {
public:
    virtual ~CInterpreter();
    // Evaluates an expression in the current variables into result.
    virtual CStatus Evaluate(const String& text, CVariable& result) = 0;
    // Stops the running script after the current statement.
    virtual void SetStopFlag() = 0;
    // Writes a variable back to the script variable of the same name.
    virtual CStatus AssignVariable(CVariable& variable) = 0;
    // Defines (or redefines) a variable in the script's global scope.
    virtual CStatus DefineVariable(CData& data, const String& name) = 0;
    // Type number of a type name, 0 when the name is no type.
    static int GetVariableType(const String& name);
};
