#include "GlobalDispatch.h"

#include "DirectoryFunctions.h"
#include "ExpectFunctions.h"
#include "FileFunctions.h"
#include "GlobalFunctions.h"
#include "GlobalWindowFunctions.h"
#include "PackageEntry.h"
#include "ScreenshotCheck.h"
#include "SystemFunctions.h"

namespace {

using namespace kestrel;

const GlobalFunctionRow kGlobalFunctions[] = {
    {"Sleep", "r", 0, CallSleep},
    {"Sleep", "i", 0, CallSleep},
    {"Log", "s", 0, CallLog},
    {"LogError", "s", 0, CallLogError},
    {"LogWarning", "s", 0, CallLogWarning},
    {"Version", "", 's', CallVersion},
    {"Exit", "", 0, CallExit},
    {"SetDelay", "i", 0, CallSetDelay},
    {"SetLookupTimeout", "r", 0, CallSetLookupTimeout},
    {"SetLookupTimeout", "i", 0, CallSetLookupTimeout},
    {"ListWindow", "w", 0, CallListWindow},
    {"GetProcessID", "", 'i', CallGetProcessID},
    {"GetProcessID", "w", 'i', CallGetWindowProcessID},
    {"KillProcess", "i", 'b', CallKillProcess},
    {"GetClipboardText", "", 's', CallGetClipboardText},
    {"SetClipboardText", "s", 0, CallSetClipboardText},
    {"Exists", "w", 'b', CallExists},
    {"WaitForWindow", "wi", 'b', CallWaitForWindow},
    {"GetDesktopWindow", "", 'w', CallGetDesktopWindow},
    {"GetForegroundWindow", "", 'w', CallGetForegroundWindow},
    {"GetLength", "s", 'i', CallGetLength},
    {"Find", "ss", 'i', CallFind},
    {"SubString", "sii", 's', CallSubString},
    {"Concat", "ss", 's', CallConcat},
    {"IntToStr", "i", 's', CallIntToStr},
    {"StrToInt", "s", 'i', CallStrToInt},
    {"RealToStr", "r", 's', CallRealToStr},
    {"StrToReal", "s", 'r', CallStrToReal},
    {"GetTime", "", 's', CallGetTime},
    {"GetDate", "", 's', CallGetDate},
    {"GetDayOfWeek", "", 'i', CallGetDayOfWeek},
    {"TypeKeys", "s", 0, CallTypeKeys},
    {"KeyUp", "s", 0, CallKeyUp},
    {"KeyDown", "s", 0, CallKeyDown},
    {"MouseMove", "ii", 0, CallMouseMove},
    {"MouseClick", "iiii", 0, CallMouseClick},
    {"InputInt", "s", 'i', CallInputInt},
    {"InputReal", "s", 'r', CallInputReal},
    {"InputString", "s", 's', CallInputString},
    {"PrintMessage", "s", 0, CallPrintMessage},
    {"Alert", "s", 0, CallAlert},
    {"LoadPackageDLL", "s", 0, CallLoadPackageDLL},
    {"PlaySound", "s", 'b', CallPlaySound},
    {"System", "s", 0, CallSystem},
    {"Run", "s", 'b', CallRun},
    {"RunWait", "s", 'i', CallRunWait},
    {"StartProgram", "s", 'i', CallStartProgram},
    {"ProcessExists", "i", 'b', CallProcessExists},
    {"WaitForProcessExit", "ir", 'b', CallWaitForProcessExit},
    {"ChangeDir", "s", 0, CallChangeDir},
    {"GetMachineName", "", 's', CallGetMachineName},
    {"GetDirContents", "ss", 's', CallGetDirContents},
    {"GetCurrentDir", "", 's', CallGetCurrentDir},
    {"MakeDir", "s", 'b', CallMakeDir},
    {"GetUserName", "", 's', CallGetUserName},
    {"CopyFile", "ss", 'b', CallCopy},
    {"CopyDir", "ss", 'b', CallCopy},
    {"DeleteFile", "s", 'b', CallDelete},
    {"DeleteDir", "s", 'b', CallDelete},
    {"MainWin", "ss", 'w', CallMainWin},
    {"MainWin", "is", 'w', CallMainWin},
    {"WriteFile", "fs", 'b', CallWriteFile},
    {"OpenFile", "ss", 'f', CallOpenFile},
    {"OpenFile", "fss", 'b', CallOpenFile},
    {"CloseFile", "f", 'b', CallCloseFile},
    {"ReadFile", "fs", 'b', CallReadFile},
    {"ReadAllFile", "f", 's', CallReadAllFile},
    {"FindFile", "ss", 's', CallFindFile},
    {"CheckScreenshot", "wsii", 'b', CallCheckScreenshot},
};

}  // namespace

const std::vector<GlobalFunctionRow>& GlobalFunctionRows()
{
    static const std::vector<GlobalFunctionRow> rows = [] {
        std::vector<GlobalFunctionRow> all(std::begin(kGlobalFunctions), std::end(kGlobalFunctions));
        size_t count = 0;
        const GlobalFunctionRow* expect = ExpectFunctionRows(count);
        all.insert(all.end(), expect, expect + count);
        return all;
    }();
    return rows;
}

const GlobalFunctionRow* FindGlobalFunction(SSI_FunctionAPI& call)
{
    const std::vector<GlobalFunctionRow>& rows = GlobalFunctionRows();
    return loom::FindRow(rows.data(), rows.size(), call);
}
