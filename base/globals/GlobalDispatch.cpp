#include "GlobalDispatch.h"

#include "DirectoryFunctions.h"
#include "FileFunctions.h"
#include "GlobalFunctions.h"
#include "GlobalWindowFunctions.h"
#include "ScreenshotCheck.h"
#include "SystemFunctions.h"

#include <cstring>

namespace {

using namespace kestrel;

// GetProcessID of the script's process, or of a window's with a parameter.
void CallAnyProcessID(SSI_FunctionAPI& call)
{
    if (call.GetNumParams() > 0)
        CallGetWindowProcessID(call);
    else
        CallGetProcessID(call);
}

struct GlobalFunctionBinding {
    const char* name;
    GlobalFunctionBody body;
};

const GlobalFunctionBinding kBindings[] = {
    {"Sleep", CallSleep},
    {"Log", CallLog},
    {"LogError", CallLogError},
    {"LogWarning", CallLogWarning},
    {"Version", CallVersion},
    {"Exit", CallExit},
    {"SetDelay", CallSetDelay},
    {"SetLookupTimeout", CallSetLookupTimeout},
    {"ListWindow", CallListWindow},
    {"GetProcessID", CallAnyProcessID},
    {"KillProcess", CallKillProcess},
    {"GetClipboardText", CallGetClipboardText},
    {"SetClipboardText", CallSetClipboardText},
    {"Exists", CallExists},
    {"WaitForWindow", CallWaitForWindow},
    {"GetDesktopWindow", CallGetDesktopWindow},
    {"GetForegroundWindow", CallGetForegroundWindow},
    {"GetLength", CallGetLength},
    {"Find", CallFind},
    {"SubString", CallSubString},
    {"Concat", CallConcat},
    {"IntToStr", CallIntToStr},
    {"StrToInt", CallStrToInt},
    {"RealToStr", CallRealToStr},
    {"StrToReal", CallStrToReal},
    {"GetTime", CallGetTime},
    {"GetDate", CallGetDate},
    {"GetDayOfWeek", CallGetDayOfWeek},
    {"TypeKeys", CallTypeKeys},
    {"KeyUp", CallKeyUp},
    {"KeyDown", CallKeyDown},
    {"MouseMove", CallMouseMove},
    {"MouseClick", CallMouseClick},
    {"InputInt", CallInputInt},
    {"InputReal", CallInputReal},
    {"InputString", CallInputString},
    {"PrintMessage", CallPrintMessage},
    {"Alert", CallAlert},
    {"PlaySound", CallPlaySound},
    {"System", CallSystem},
    {"Run", CallRun},
    {"ChangeDir", CallChangeDir},
    {"GetMachineName", CallGetMachineName},
    {"GetDirContents", CallGetDirContents},
    {"GetCurrentDir", CallGetCurrentDir},
    {"MakeDir", CallMakeDir},
    {"GetUserName", CallGetUserName},
    {"CopyFile", CallCopy},
    {"CopyDir", CallCopy},
    {"DeleteFile", CallDelete},
    {"DeleteDir", CallDelete},
    {"MainWin", CallMainWin},
    {"WriteFile", CallWriteFile},
    {"OpenFile", CallOpenFile},
    {"CloseFile", CallCloseFile},
    {"ReadFile", CallReadFile},
    {"ReadAllFile", CallReadAllFile},
    {"FindFile", CallFindFile},
    {"CheckScreenshot", CallCheckScreenshot},
};

}  // namespace

GlobalFunctionBody FindGlobalFunction(const String& name)
{
    for (const GlobalFunctionBinding& binding : kBindings)
        if (name == binding.name)
            return binding.body;
    return nullptr;
}
