#include "GlobalFunctionTable.h"

#include "ClassWindow.h"

const GlobalFunctionEntry kGlobalFunctions[] = {
    {"Sleep", "r", 0},
    {"Sleep", "i", 0},
    {"Log", "s", 0},
    {"LogError", "s", 0},
    {"LogWarning", "s", 0},
    {"Version", "", 's'},
    {"Exit", "", 0},
    {"SetDelay", "i", 0},
    {"SetLookupTimeout", "r", 0},
    {"SetLookupTimeout", "i", 0},
    {"ListWindow", "w", 0},
    {"GetProcessID", "", 'i'},
    {"GetProcessID", "w", 'i'},
    {"KillProcess", "i", 'b'},
    {"GetClipboardText", "", 's'},
    {"SetClipboardText", "s", 0},
    {"Exists", "w", 'b'},
    {"WaitForWindow", "wi", 'b'},
    {"GetDesktopWindow", "", 'w'},
    {"GetForegroundWindow", "", 'w'},
    {"GetLength", "s", 'i'},
    {"Find", "ss", 'i'},
    {"SubString", "sii", 's'},
    {"Concat", "ss", 's'},
    {"IntToStr", "i", 's'},
    {"StrToInt", "s", 'i'},
    {"RealToStr", "r", 's'},
    {"StrToReal", "s", 'r'},
    {"GetTime", "", 's'},
    {"GetDate", "", 's'},
    {"GetDayOfWeek", "", 'i'},
    {"TypeKeys", "s", 0},
    {"KeyUp", "s", 0},
    {"KeyDown", "s", 0},
    {"MouseMove", "ii", 0},
    {"MouseClick", "iiii", 0},
    {"InputInt", "s", 'i'},
    {"InputReal", "s", 'r'},
    {"InputString", "s", 's'},
    {"PrintMessage", "s", 0},
    {"Alert", "s", 0},
    {"LoadPackageDLL", "s", 0},
    {"PlaySound", "s", 'b'},
    {"System", "s", 0},
    {"Run", "s", 'b'},
    {"ChangeDir", "s", 0},
    {"GetMachineName", "", 's'},
    {"GetDirContents", "ss", 's'},
    {"GetCurrentDir", "", 's'},
    {"MakeDir", "s", 'b'},
    {"GetUserName", "", 's'},
    {"CopyFile", "ss", 'b'},
    {"CopyDir", "ss", 'b'},
    {"DeleteFile", "s", 'b'},
    {"DeleteDir", "s", 'b'},
    {"MainWin", "ss", 'w'},
    {"MainWin", "is", 'w'},
    {"WriteFile", "fs", 'b'},
    {"OpenFile", "ss", 'f'},
    {"OpenFile", "fss", 'b'},
    {"CloseFile", "f", 'b'},
    {"ReadFile", "fs", 'b'},
    {"ReadAllFile", "f", 's'},
    {"FindFile", "ss", 's'},
    {"CheckScreenshot", "wsii", 'b'},
};

const int kGlobalFunctionCount = sizeof kGlobalFunctions / sizeof kGlobalFunctions[0];

int GlobalFunctionType(char code)
{
    switch (code) {
    case 'i': return CDataInt::GetRegisteredType();
    case 'r': return CDataReal::GetRegisteredType();
    case 's': return CDataString::GetRegisteredType();
    case 'b': return CDataBool::GetRegisteredType();
    case 'w': return CDataWindow::GetRegisteredType();
    case 'f': {
        // The file type belongs to the standard package; while it is not
        // registered the parameter accepts any value.
        int type = Factory_GetTypeByName("file");
        return type ? type : LOOM_TYPE_ANY;
    }
    default: return 0;
    }
}
