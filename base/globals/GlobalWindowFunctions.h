// Global functions about windows and input without a target window:
// SetDelay, ListWindow, Exists, WaitForWindow, GetProcessID (of a window),
// GetDesktopWindow, GetForegroundWindow, MainWin, TypeKeys, KeyDown,
// KeyUp, MouseMove and MouseClick.
#pragma once

#include "Loom.h"

namespace kestrel {

void CallSetDelay(SSI_FunctionAPI& call);
void CallSetLookupTimeout(SSI_FunctionAPI& call);
void CallListWindow(SSI_FunctionAPI& call);
void CallExists(SSI_FunctionAPI& call);
void CallWaitForWindow(SSI_FunctionAPI& call);
void CallGetWindowProcessID(SSI_FunctionAPI& call);
void CallGetDesktopWindow(SSI_FunctionAPI& call);
void CallGetForegroundWindow(SSI_FunctionAPI& call);
// Both overloads: an int first parameter is the numeric tag.
void CallMainWin(SSI_FunctionAPI& call);
void CallTypeKeys(SSI_FunctionAPI& call);
void CallKeyDown(SSI_FunctionAPI& call);
void CallKeyUp(SSI_FunctionAPI& call);
void CallMouseMove(SSI_FunctionAPI& call);
void CallMouseClick(SSI_FunctionAPI& call);

}  // namespace kestrel
