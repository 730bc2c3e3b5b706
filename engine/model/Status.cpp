#include "Status.h"

CStatus CStatus::MakeDefaultError(int line, const char* source)
{
    return CStatus(Error, String::Printf("Internal error in %s at line %d.", source ? source : "", line), 1);
}

CStatus& CStatus::Format(int state, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    m_Message.FormatV(fmt, args);
    va_end(args);
    m_State = static_cast<signed char>(state);
    m_Flag = 1;
    return *this;
}

void CStatus::Set(int state, const String& message)
{
    m_State = static_cast<signed char>(state);
    m_Message = message;
    m_Flag = (state == Ok || state == Success) ? 0 : 1;
}
