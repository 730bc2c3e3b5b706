#include "GlobalFunctions.h"
#include "InternalErrors.h"

#include "ScriptPaths.h"

#include <windows.h>

#include <ctime>
#include <vector>

namespace kestrel {

namespace {

// Writes the prompt without ending the line and reads one line from the
// engine's stream. False when there is no engine or no stream; the end of
// the input reads as an empty line.
bool ReadInput(SSI_FunctionAPI& call, const String& prompt, String& input)
{
    if (!call.m_Engine)
        return false;
    ssi_stream* stream = call.m_Engine->GetOutStream();
    if (!stream)
        return false;
    stream->Write(prompt, 0);
    std::vector<char> buffer(4096, '\0');
    if (stream->ReadLine(buffer.data(), 4095) < 0)
        buffer[0] = '\0';
    input = String(buffer.data());
    return true;
}

void WriteLine(SSI_FunctionAPI& call, const String& text)
{
    if (call.m_Engine && call.m_Engine->GetOutStream())
        call.m_Engine->GetOutStream()->Write(text, 1);
}

}  // namespace

unsigned SleepMilliseconds(double seconds, bool& negative)
{
    const double ms = seconds * 1000.0;
    // Truncated toward zero: below one millisecond of either sign is 0 and
    // not negative.
    negative = ms <= -1.0;
    if (!(ms >= 1.0))
        return 0;
    if (ms >= 4294967294.0)
        return 4294967294u;  // the longest finite system sleep
    return static_cast<unsigned>(ms);
}

void CallSleep(SSI_FunctionAPI& call)
{
    double seconds = 0.0;
    if (!ReadReal(call, 0, seconds))
        return;
    bool negative = false;
    const unsigned ms = SleepMilliseconds(seconds, negative);
    if (negative)
        call.m_ReturnStatus.Format(CStatus::Warning,
                                   "Sleep duration %g is negative; slept 0 ms. (K00512)", seconds);
    ::Sleep(ms);
}

void CallLog(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text))
        return;
    WriteLine(call, text);
    if (call.m_Engine)
        call.m_Engine->Log(text);
}

void CallLogError(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text))
        return;
    call.m_ReturnStatus = CStatus(CStatus::Error, text, 1);
}

void CallLogWarning(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text))
        return;
    call.m_ReturnStatus = CStatus(CStatus::Warning, text, 1);
}

void CallVersion(SSI_FunctionAPI& call)
{
    ReturnString(call, "2.0");
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallExit(SSI_FunctionAPI& call)
{
    CInterpreter* interpreter = call.m_Engine ? call.m_Engine->GetInterpreter() : nullptr;
    if (!interpreter) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kExitLine, kestrel::internal::kKestrelBase);
        return;
    }
    interpreter->SetStopFlag();
}

void CallPrintMessage(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text))
        return;
    WriteLine(call, text);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallAlert(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text))
        return;
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxA(nullptr, text.c_str(), "Kestrel Alert", MB_OK);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetLength(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s))
        return;
    ReturnInt(call, s.GetLength());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallFind(SSI_FunctionAPI& call)
{
    String s, sub;
    if (!ReadString(call, 0, s) || !ReadString(call, 1, sub))
        return;
    ReturnInt(call, s.Find(sub, -1, -1));
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallSubString(SSI_FunctionAPI& call)
{
    String s;
    int start = 0, end = 0;
    if (!ReadString(call, 0, s))
        return;
    if (!ReadInt(call, 1, start) || !ReadInt(call, 2, end))
        return;
    ReturnString(call, s.SubString(start, end));
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallConcat(SSI_FunctionAPI& call)
{
    String a, b;
    if (!ReadString(call, 0, a) || !ReadString(call, 1, b))
        return;
    ReturnString(call, a + b);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallIntToStr(SSI_FunctionAPI& call)
{
    int value = 0;
    if (!ReadInt(call, 0, value))
        return;
    CDataInt number(value);
    ReturnString(call, number.GetString());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallStrToInt(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s))
        return;
    CDataInt number;
    if (number.DataFromString(s))
        call.m_ReturnStatus = CStatus::MakeOK();
    else
        call.m_ReturnStatus.Format(CStatus::Error, "Can not convert '%s' to an integer. (K00510)", s.c_str());
    // Handed back on failure too, holding the object's initial value.
    call.SetReturnData(&number);
}

void CallRealToStr(SSI_FunctionAPI& call)
{
    double value = 0.0;
    if (!ReadReal(call, 0, value))
        return;
    CDataReal number(value);
    ReturnString(call, number.GetString());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallStrToReal(SSI_FunctionAPI& call)
{
    String s;
    if (!ReadString(call, 0, s))
        return;
    CDataReal number;
    if (number.DataFromString(s))
        call.m_ReturnStatus = CStatus::MakeOK();
    else
        call.m_ReturnStatus.Format(CStatus::Error, "Can not convert '%s' to a real. (K00511)", s.c_str());
    call.SetReturnData(&number);
}

void CallGetTime(SSI_FunctionAPI& call)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    ReturnString(call, String::Printf("%02d:%02d:%02d.%03d", now.wHour, now.wMinute, now.wSecond,
                                      now.wMilliseconds));
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetDate(SSI_FunctionAPI& call)
{
    __time64_t now = _time64(nullptr);
    const struct tm* local = _localtime64(&now);
    String date;
    if (local)
        date.Format("%02d\\%02d\\%04d", local->tm_mon + 1, local->tm_mday, local->tm_year + 1900);
    ReturnString(call, date);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetDayOfWeek(SSI_FunctionAPI& call)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    ReturnInt(call, now.wDayOfWeek + 1);  // 1 Sunday .. 7 Saturday
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallInputInt(SSI_FunctionAPI& call)
{
    String prompt, input;
    if (!ReadString(call, 0, prompt))
        return;
    if (!ReadInput(call, prompt, input)) {
        call.m_ReturnStatus = CStatus::MakeError("Must enter an integer. (K00451)");
        return;
    }
    CDataInt number;
    if (!number.DataFromString(input)) {
        call.m_ReturnStatus = CStatus::MakeError("Must enter an integer. (K00450)");
        return;
    }
    call.SetReturnData(&number);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallInputReal(SSI_FunctionAPI& call)
{
    String prompt, input;
    if (!ReadString(call, 0, prompt))
        return;
    if (!ReadInput(call, prompt, input)) {
        call.m_ReturnStatus = CStatus::MakeError("Must enter a real. (K00453)");
        return;
    }
    CDataReal number;
    if (!number.DataFromString(input)) {
        call.m_ReturnStatus = CStatus::MakeError("Must enter a real. (K00452)");
        return;
    }
    call.SetReturnData(&number);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallInputString(SSI_FunctionAPI& call)
{
    String prompt, input;
    if (!ReadString(call, 0, prompt))
        return;
    if (!ReadInput(call, prompt, input)) {
        call.m_ReturnStatus = CStatus::MakeError("Must enter a string. (K00454)");
        return;
    }
    ReturnString(call, input);
    call.m_ReturnStatus = CStatus::MakeOK();
}

}  // namespace kestrel
