#include "GlobalWindowFunctions.h"
#include "InternalErrors.h"

#include "ClassWindow.h"
#include "ScriptPaths.h"
#include "InputSynthesis.h"

#include "BoundedWait.h"

#include <windows.h>

namespace kestrel {

namespace {

// One lookup of the window, its own status not passed on.
// Every global window function resolves a value the same way: a value
// bound to a handle (from GetChild() and the like) by its handle, any other
// by its description.
bool FindOnce(CDataWindow& window)
{
    return window.ResolveNow();
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
    if (!ReadInt(call, 0, ms))
        return;
    call.m_ReturnStatus = CDataWindow::SetDelay(ms);
}

void CallSetLookupTimeout(SSI_FunctionAPI& call)
{
    double seconds = 0;
    if (!ReadReal(call, 0, seconds))
        return;
    call.m_ReturnStatus = CDataWindow::SetLookupTimeout(seconds);
}

void CallListWindow(SSI_FunctionAPI& call)
{
    if (CDataWindow* window = ReadValue<CDataWindow>(call, 0))
        window->ListToScreen(call.m_Engine);
}

void CallExists(SSI_FunctionAPI& call)
{
    CDataWindow* window = ReadValue<CDataWindow>(call, 0);
    if (!window)
        return;
    // The same answer as the value's truth: a value bound to a handle exists
    // while its window does.
    ReturnBool(call, window->boolean());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallWaitForWindow(SSI_FunctionAPI& call)
{
    CDataWindow* window = ReadValue<CDataWindow>(call, 0);
    int seconds = 0;
    if (!window || !ReadInt(call, 1, seconds))
        return;
    // seconds + 1 lookups, one second apart.
    const bool found = loom::WaitUntil([&] { return FindOnce(*window); }, seconds * 1000, 1000);
    ReturnBool(call, found);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetWindowProcessID(SSI_FunctionAPI& call)
{
    CDataWindow* window = ReadValue<CDataWindow>(call, 0);
    if (!window)
        return;
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
    if ((numeric ? !ReadInt(call, 0, tagNumber) : !ReadString(call, 0, tag)) ||
        !ReadString(call, 1, windowClass))
        return;
    loom::ValuePtr<CDataWindow> window = loom::MakeValue<CDataWindow>();
    if (!window) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kGlobalMainWinLine, kestrel::internal::kKestrelBase);
        return;
    }
    window->windowClass = windowClass;
    window->name = "";
    window->tag = tag;
    window->tagNumber = tagNumber;
    window->kind = "MainWin";
    window->isParent = 1;
    window->isChild = 0;
    window->depth = 0;
    call.SetReturnData(window.get());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallTypeKeys(SSI_FunctionAPI& call)
{
    String keys;
    if (!ReadString(call, 0, keys))
        return;
    call.m_ReturnStatus = TypeKeysToForeground(keys);
}

void CallKeyDown(SSI_FunctionAPI& call)
{
    String keys;
    if (!ReadString(call, 0, keys))
        return;
    call.m_ReturnStatus = KeyDownToForeground(keys);
}

void CallKeyUp(SSI_FunctionAPI& call)
{
    String keys;
    if (!ReadString(call, 0, keys))
        return;
    call.m_ReturnStatus = KeyUpToForeground(keys);
}

void CallMouseMove(SSI_FunctionAPI& call)
{
    int x = 0, y = 0;
    if (!ReadInt(call, 0, x) || !ReadInt(call, 1, y))
        return;
    call.m_ReturnStatus = KeyInput::MouseMoveTo(x, y);
}

void CallMouseClick(SSI_FunctionAPI& call)
{
    int button = 0, x = 0, y = 0, action = 0;
    if (!ReadInt(call, 0, button) || !ReadInt(call, 1, x) || !ReadInt(call, 2, y) ||
        !ReadInt(call, 3, action))
        return;
    call.m_ReturnStatus = KeyInput::MouseClickAt(button, x, y, action);
}

}  // namespace kestrel
