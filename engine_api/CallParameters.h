// Reading the parameters of a call record: the one set of readers for the
// engine, the packages and the agent.
//
// What the engine guarantees: a processor receives its parameters in the
// types its declaration names. The engine chooses the declaration by the
// argument types, and an int given for a real parameter arrives as a real.
// A parameter that is absent or of another type therefore comes only from
// a record built by other code (a test, or the agent's channel), never from
// a script.
//
// The rule for such a parameter, the same for every reader: the reader
// gives false (or null), leaves the value as it was, and makes the call an
// error naming the function and the parameter. The processor then returns
// without acting. The only widening is the one the engine itself performs:
// ReadReal takes an int. A function that takes several types on purpose (a
// parameter declared "any", the elements of an array) asks for the type
// with ParameterData or converts explicitly with NumberValue.
#pragma once

#include "Factory.h"
#include "FunctionApi.h"
#include "Values.h"

namespace loom {

// The value of parameter index when it has the given type, else null; sets
// no status (for a parameter that may take several types).
inline CData* ParameterData(SSI_FunctionAPI& call, int index, int type)
{
    CVariable* variable = call[index];
    CData* data = variable ? variable->GetWorkingData() : nullptr;
    return data && type > LOOM_TYPE_ANY && data->GetType() == type ? data : nullptr;
}

// The error of a parameter that is absent or not of the type expected.
inline CStatus WrongParameter(SSI_FunctionAPI& call, int index, const char* expected)
{
    return CStatus::MakeError(String::Printf("Internal error: parameter %d of '%s' is not %s.", index + 1,
                                             call.m_FunctionName.c_str(), expected));
}

namespace detail {

// The Data member of parameter index when it is a DataT, else the error.
template <typename DataT, typename ValueT>
bool ReadData(SSI_FunctionAPI& call, int index, ValueT& value, const char* expected)
{
    if (CData* data = ParameterData(call, index, DataT::GetRegisteredType())) {
        value = static_cast<DataT*>(data)->Data;
        return true;
    }
    call.m_ReturnStatus = WrongParameter(call, index, expected);
    return false;
}

}  // namespace detail

inline bool ReadInt(SSI_FunctionAPI& call, int index, int& value)
{
    return detail::ReadData<CDataInt>(call, index, value, "an int");
}

inline bool ReadBool(SSI_FunctionAPI& call, int index, bool& value)
{
    return detail::ReadData<CDataBool>(call, index, value, "a bool");
}

inline bool ReadString(SSI_FunctionAPI& call, int index, String& value)
{
    return detail::ReadData<CDataString>(call, index, value, "a string");
}

// A real, or an int widened to one.
inline bool ReadReal(SSI_FunctionAPI& call, int index, double& value)
{
    if (ParameterData(call, index, CDataReal::GetRegisteredType()))
        return detail::ReadData<CDataReal>(call, index, value, "a real");
    int whole = 0;
    if (!detail::ReadData<CDataInt>(call, index, whole, "a real")) return false;
    value = whole;
    return true;
}

// The script's own value of a package type T (used in place), or null.
template <typename T>
T* ReadValue(SSI_FunctionAPI& call, int index)
{
    if (CData* data = ParameterData(call, index, T::GetRegisteredType())) return static_cast<T*>(data);
    const String expected = "a " + Factory_GetTypeName(T::GetRegisteredType());
    call.m_ReturnStatus = WrongParameter(call, index, expected.c_str());
    return nullptr;
}

// The number an int or real value holds; false for any other value. For
// values whose type is not fixed by a declaration (array elements).
inline bool NumberValue(CData* data, double& value)
{
    if (!data) return false;
    if (data->GetType() == CDataReal::GetRegisteredType()) {
        value = static_cast<CDataReal*>(data)->Data;
        return true;
    }
    if (data->GetType() == CDataInt::GetRegisteredType()) {
        value = static_cast<CDataInt*>(data)->Data;
        return true;
    }
    return false;
}

}  // namespace loom
