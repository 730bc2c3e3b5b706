#include "GlobalWindowFunctions.h"

#include "CallParameters.h"
#include "ClassWindow.h"
#include "InputSynthesis.h"

#include <windows.h>

namespace kestrel {

namespace {

// One lookup of the window, its own status not passed on.
bool FindOnce(CDataWindow& window)
{
    unsigned menuItemId = 0;
    HMENU menu = nullptr;
    return static_cast<bool>(window.FindMe(menuItemId, menu));
}

// A new window object initialised from a live window (when there is one).
void ReturnWindowOf(SSI_FunctionAPI& call, HWND wnd)
{
    CDataWindow window;
    if (wnd)
        window.InitializeFromWindow(wnd);
    call.SetReturnData(&window);
}

}  // namespace

void CallSetDelay(SSI_FunctionAPI& call)
{
    int ms = 0;
    if (!IntParameter(call, 0, ms)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = CDataWindow::SetDelay(ms);
}

void CallSetLookupTimeout(SSI_FunctionAPI& call)
{
    double seconds = 0;
    int whole = 0;
    if (IntParameter(call, 0, whole)) {
        seconds = whole;
    } else if (!RealParameter(call, 0, seconds)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = CDataWindow::SetLookupTimeout(seconds);
}

void CallListWindow(SSI_FunctionAPI& call)
{
    if (CDataWindow* window = WindowParameter(call, 0))
        window->ListToScreen(call.m_Engine);
}

void CallExists(SSI_FunctionAPI& call)
{
    CDataWindow* window = WindowParameter(call, 0);
    if (!window) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    // The same answer as the value's truth: a value bound to a handle exists
    // while its window does.
    ReturnBool(call, window->boolean());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallWaitForWindow(SSI_FunctionAPI& call)
{
    CDataWindow* window = WindowParameter(call, 0);
    int seconds = 0;
    if (!window || !IntParameter(call, 1, seconds)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    // seconds + 1 lookups, one second apart.
    bool found = false;
    for (int lookups = 0;;) {
        found = FindOnce(*window);
        if (found || ++lookups > seconds)
            break;
        ::Sleep(1000);
    }
    ReturnBool(call, found);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetWindowProcessID(SSI_FunctionAPI& call)
{
    CDataWindow* window = WindowParameter(call, 0);
    if (!window) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    DWORD id = 0;
    if (FindOnce(*window) && window->foundWindow)
        GetWindowThreadProcessId(window->foundWindow, &id);
    ReturnInt(call, static_cast<int>(id));
}

void CallGetDesktopWindow(SSI_FunctionAPI& call)
{
    ReturnWindowOf(call, ::GetDesktopWindow());
}

void CallGetForegroundWindow(SSI_FunctionAPI& call)
{
    ReturnWindowOf(call, ::GetForegroundWindow());
}

void CallMainWin(SSI_FunctionAPI& call)
{
    String tag, windowClass;
    int tagNumber = 0;
    const bool numeric = call.GetParameterType(0) == CDataInt::GetRegisteredType();
    if ((numeric ? !IntParameter(call, 0, tagNumber) : !StringParameter(call, 0, tag)) ||
        !StringParameter(call, 1, windowClass)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    CData* made = Factory_MakeData(CDataWindow::GetRegisteredType());
    if (!made) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(1158, "KestrelBase");
        return;
    }
    CDataWindow* window = static_cast<CDataWindow*>(made);
    window->windowClass = windowClass;
    window->name = "";
    window->tag = tag;
    window->tagNumber = tagNumber;
    window->kind = "MainWin";
    window->isParent = 1;
    window->isChild = 0;
    window->depth = 0;
    call.SetReturnData(window);
    made->DeleteData(made);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallTypeKeys(SSI_FunctionAPI& call)
{
    String keys;
    if (!StringParameter(call, 0, keys)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = TypeKeysToForeground(keys);
}

void CallKeyDown(SSI_FunctionAPI& call)
{
    String keys;
    if (!StringParameter(call, 0, keys)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = KeyDownToForeground(keys);
}

void CallKeyUp(SSI_FunctionAPI& call)
{
    String keys;
    if (!StringParameter(call, 0, keys)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = KeyUpToForeground(keys);
}

void CallMouseMove(SSI_FunctionAPI& call)
{
    int x = 0, y = 0;
    if (!IntParameter(call, 0, x) || !IntParameter(call, 1, y)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = KeyInput::MouseMoveTo(x, y);
}

void CallMouseClick(SSI_FunctionAPI& call)
{
    int button = 0, x = 0, y = 0, action = 0;
    if (!IntParameter(call, 0, button) || !IntParameter(call, 1, x) || !IntParameter(call, 2, y) ||
        !IntParameter(call, 3, action)) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = KeyInput::MouseClickAt(button, x, y, action);
}

}  // namespace kestrel
