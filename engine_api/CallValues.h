// Handing a value back from a processor. The engine copies the value into
// the call's return variable.
#pragma once

#include "Engine.h"
#include "Environment.h"
#include "FunctionApi.h"
#include "Values.h"

namespace loom {

// Each stores the value as the call's result. When it cannot be stored the
// call's status becomes that failure; otherwise the status is left as it is
// (an error set before stays). True when the value was stored.
inline bool ReturnData(SSI_FunctionAPI& call, CData& result)
{
    CStatus stored = call.SetReturnData(&result);
    if (!stored) call.m_ReturnStatus = stored;
    return stored.IsSuccess();
}

inline bool ReturnInt(SSI_FunctionAPI& call, int value)
{
    CDataInt result(value);
    return ReturnData(call, result);
}

inline bool ReturnReal(SSI_FunctionAPI& call, double value)
{
    CDataReal result(value);
    return ReturnData(call, result);
}

inline bool ReturnBool(SSI_FunctionAPI& call, bool value)
{
    CDataBool result(value);
    return ReturnData(call, result);
}

inline bool ReturnString(SSI_FunctionAPI& call, const String& value)
{
    CDataString result(value);
    return ReturnData(call, result);
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
