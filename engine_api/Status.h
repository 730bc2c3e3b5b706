// Result of every operation that can fail. State 1 ("OK") and 3 are
// success, 0 is an error and 2 a warning; the flag is 1 for anything that
// carries a message to report.
#pragma once

#include "String.h"

class LOOM_API CStatus {
public:
    enum State : signed char { Error = 0, Ok = 1, Warning = 2, Success = 3 };

    CStatus() : m_State(Ok), m_Message("OK"), m_Flag(0) {}
    CStatus(int state, const String& message, int flag = 1)
        : m_State(static_cast<signed char>(state)), m_Message(message), m_Flag(flag) {}

    static CStatus MakeOK() { return CStatus(); }
    // State 3, "Success", no message to report.
    static CStatus MakeSuccess() { return CStatus(Success, "Success", 0); }
    static CStatus MakeError(const String& message) { return CStatus(Error, message, 1); }
    static CStatus MakeWarning(const String& message) { return CStatus(Warning, message, 1); }
    // "Internal error in <source> at line <line>."
    static CStatus MakeDefaultError(int line, const char* source);

    // Sets state and a printf-formatted message; flag 1.
    CStatus& Format(int state, const char* fmt, ...) LOOM_PRINTF(3, 4);
    void Set(int state, const String& message);

    bool IsSuccess() const { return m_State == Ok || m_State == Success; }
    bool IsError() const { return m_State == Error; }
    bool IsWarning() const { return m_State == Warning; }
    explicit operator bool() const { return IsSuccess(); }

    signed char GetState() const { return m_State; }
    const String& GetStatusMessage() const { return m_Message; }
    int GetFlag() const { return m_Flag; }

private:
    signed char m_State;
    String m_Message;
    int m_Flag;
};
