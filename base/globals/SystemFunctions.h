// Global functions about processes, the clipboard, sound, starting
// programs and the machine: GetProcessID (of the script), KillProcess,
// GetClipboardText, SetClipboardText, PlaySound, System, Run,
// GetMachineName and GetUserName.
#pragma once

#include "Loom.h"

namespace kestrel {

void CallGetProcessID(SSI_FunctionAPI& call);
void CallKillProcess(SSI_FunctionAPI& call);
void CallGetClipboardText(SSI_FunctionAPI& call);
void CallSetClipboardText(SSI_FunctionAPI& call);
void CallPlaySound(SSI_FunctionAPI& call);
void CallSystem(SSI_FunctionAPI& call);
void CallRun(SSI_FunctionAPI& call);
void CallRunWait(SSI_FunctionAPI& call);
void CallStartProgram(SSI_FunctionAPI& call);
void CallProcessExists(SSI_FunctionAPI& call);
void CallWaitForProcessExit(SSI_FunctionAPI& call);
void CallGetMachineName(SSI_FunctionAPI& call);
void CallGetUserName(SSI_FunctionAPI& call);

}  // namespace kestrel
