#include "Factory.h"
#include "Interpreter.h"

CInterpreter::~CInterpreter() = default;

int CInterpreter::GetVariableType(const String& name)
{
    return Factory_GetTypeByName(name);
}
