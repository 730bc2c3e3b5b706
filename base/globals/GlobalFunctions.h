// Global functions of timing, logging and messages, strings and
// conversions, date and time, and console input. Each takes the call
// record, reads its parameters, hands back its result and sets its status.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

namespace kestrel {

void CallSleep(SSI_FunctionAPI& call);
void CallLog(SSI_FunctionAPI& call);
void CallLogError(SSI_FunctionAPI& call);
void CallLogWarning(SSI_FunctionAPI& call);
void CallVersion(SSI_FunctionAPI& call);
void CallExit(SSI_FunctionAPI& call);
void CallPrintMessage(SSI_FunctionAPI& call);
void CallAlert(SSI_FunctionAPI& call);

void CallGetLength(SSI_FunctionAPI& call);
void CallFind(SSI_FunctionAPI& call);
void CallSubString(SSI_FunctionAPI& call);
void CallConcat(SSI_FunctionAPI& call);
void CallIntToStr(SSI_FunctionAPI& call);
void CallStrToInt(SSI_FunctionAPI& call);
void CallRealToStr(SSI_FunctionAPI& call);
void CallStrToReal(SSI_FunctionAPI& call);

void CallGetTime(SSI_FunctionAPI& call);
void CallGetDate(SSI_FunctionAPI& call);
void CallGetDayOfWeek(SSI_FunctionAPI& call);

void CallInputInt(SSI_FunctionAPI& call);
void CallInputReal(SSI_FunctionAPI& call);
void CallInputString(SSI_FunctionAPI& call);

// The milliseconds Sleep waits for a duration in seconds: the product
// truncated toward zero; a negative product gives 0 and sets `negative`.
KESTRELBASE_API unsigned SleepMilliseconds(double seconds, bool& negative);

}  // namespace kestrel
