// Handing a plain value back from a processor. The engine copies the value
// into the call's return variable; the status says whether it could.
#pragma once

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

}  // namespace loom
