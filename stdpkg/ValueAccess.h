// Reading parameter values out of a call record. Values are recognised by
// their registered type ids (no RTTI across library boundaries); a value of
// an unexpected type reads as 0 or the empty text instead of being misread.
#pragma once

#include "Loom.h"

namespace almanac {

int TruncateToInt(double x);

inline CData* Arg(SSI_FunctionAPI& call, int index)
{
    CVariable* v = call[index];
    return v ? v->GetWorkingData() : nullptr;
}

inline bool IsType(const CData* data, int type)
{
    return data && type != 0 && data->GetType() == type;
}

// An int or real value as a double; false for anything else.
inline bool NumberOf(CData* data, double& value)
{
    if (IsType(data, CDataReal::GetRegisteredType())) {
        value = static_cast<CDataReal*>(data)->Data;
        return true;
    }
    if (IsType(data, CDataInt::GetRegisteredType())) {
        value = static_cast<CDataInt*>(data)->Data;
        return true;
    }
    return false;
}

inline int IntOf(CData* data)
{
    if (IsType(data, CDataInt::GetRegisteredType())) return static_cast<CDataInt*>(data)->Data;
    if (IsType(data, CDataReal::GetRegisteredType())) return TruncateToInt(static_cast<CDataReal*>(data)->Data);
    return 0;
}

inline String StringArg(SSI_FunctionAPI& call, int index)
{
    CData* data = Arg(call, index);
    if (IsType(data, CDataString::GetRegisteredType())) return static_cast<CDataString*>(data)->Data;
    return data ? data->GetString() : String();
}

inline int IntArg(SSI_FunctionAPI& call, int index)
{
    return IntOf(Arg(call, index));
}

inline double RealArg(SSI_FunctionAPI& call, int index)
{
    double value = 0.0;
    NumberOf(Arg(call, index), value);
    return value;
}

}  // namespace almanac
