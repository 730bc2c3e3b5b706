// Handing a plain value back from a processor. The engine copies the value
// into the call's return variable; the status says whether it could.
#pragma once

#include "Engine.h"
#include "Environment.h"
#include "FunctionApi.h"
#include "Values.h"

namespace loom {

inline CStatus ReturnInt(SSI_FunctionAPI& call, int value)
{
    CDataInt result(value);
    return call.SetReturnData(&result);
}

inline CStatus ReturnReal(SSI_FunctionAPI& call, double value)
{
    CDataReal result(value);
    return call.SetReturnData(&result);
}

inline CStatus ReturnBool(SSI_FunctionAPI& call, bool value)
{
    CDataBool result(value);
    return call.SetReturnData(&result);
}

inline CStatus ReturnString(SSI_FunctionAPI& call, const String& value)
{
    CDataString result(value);
    return call.SetReturnData(&result);
}

// Makes a path a script names absolute against the script's folder, through
// the engine's environment. Without an engine (a call made outside a script)
// the path stays as written. The status is that of resolving.
inline CStatus ResolveScriptPath(SSI_FunctionAPI& call, String& path)
{
    CEnvironment* env = call.m_Engine ? call.m_Engine->GetEnvironment() : nullptr;
    if (!env) return CStatus::MakeOK();
    String absolute;
    CStatus status = env->GetAbsolutePath(path, absolute);
    if (status) path = absolute;
    return status;
}

}  // namespace loom
