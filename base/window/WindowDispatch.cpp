// The window-function dispatcher: every script call on a window value
// arrives here. It waits the window delay, resolves the value to the live
// window, checks that the function belongs to the window's class, and then
// performs the function itself (input, navigation, capture, menus) or hands
// it to the control function processor: in this process for most classes,
// inside the window's own process through the agent for the four common
// controls whose messages carry pointers.
#include "ClassWindow.h"

#include "Declarations.h"
#include "InputSettle.h"
#include "InputSynthesis.h"
#include "WindowChecker.h"

#include "DataBitmap.h"
#include "FunctionProcessor.h"
#include "MenuFunctions.h"
#include "MenuRemote.h"
#include "RemoteCall.h"

#include <windows.h>

namespace {

constexpr int kLookupPauseMs = 10;

// Functions that post to the application or change its windows from
// outside: the call returns once the window's thread has carried them out.
bool ActsThroughTheApplication(const String& function)
{
    static const char* const kNames[] = {"Click",    "Select",   "Close",   "PressButton", "MouseMove",
                                         "Minimize", "Maximize", "Restore", "MoveWin",     "ResizeWin",
                                         "SetActive", "BringToTop", "Blink"};
    for (const char* name : kNames) {
        if (function == name)
            return true;
    }
    return false;
}

using loom::ReadInt;
using loom::ReadString;
using loom::ReadValue;

HWND ToHandle(int value)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<unsigned>(value)));
}

int FromHandle(HWND wnd)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(wnd));
}

}  // namespace

void CDataWindow::Internal_FunctionProcessor(SSI_FunctionAPI& call, HWND window, String& className)
{
    CFunctionProcessor processor;
    processor.FunctionProcessor(call, window, className);
}

void CDataWindow::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    const String& function = call.m_FunctionName;
    if (function == "AddChild") {
        AddChildFunction(call);
        return;
    }
    if (iDelay > 0)
        Sleep(static_cast<DWORD>(iDelay));
    if (function == "MainWin") {
        MainWinFunction(call);
        return;
    }
    if (function == "SetHandle") {
        SetHandleFunction(call);
        return;
    }

    unsigned menuItemId = 0;
    HMENU menuHandle = nullptr;
    menuRemote = false;
    if (handle != 0) {
        HWND bound = ToHandle(handle);
        if (!IsWindow(bound)) {
            call.m_ReturnStatus.Format(CStatus::Error, "Window with handle '%d' no longer exists. (K00542)", handle);
            return;
        }
        foundWindow = bound;
        windowClass = GetClass(bound);
    } else {
        CStatus status;
        const int tries = LookupTimeoutMs() / kLookupPauseMs + 1;
        // The first try at once, a pause between tries, none after the last.
        for (int attempt = 0; attempt < tries; ++attempt) {
            status = FindMe(menuItemId, menuHandle);
            if (status.IsSuccess() || attempt + 1 == tries)
                break;
            Sleep(kLookupPauseMs);
        }
        if (!status.IsSuccess()) {
            call.m_ReturnStatus = status;
            return;
        }
    }

    // A class given as a pattern (e.g. "SysList*") is checked as the class
    // of the window it found.
    String effectiveClass = ResolveClassAlias(windowClass);
    if (effectiveClass.FindOneOf("*", -1) >= 0 && foundWindow) {
        String found = GetClass(foundWindow);
        effectiveClass = ResolveClassAlias(found);
    }
    CStatus check = CheckClassFunction(call, effectiveClass);
    if (!check.IsSuccess()) {
        call.m_ReturnStatus = check;
        return;
    }
    // Only the menu resolution sets a menu handle. A separator has the
    // command identifier 0 and is a menu object all the same.
    const bool isMenu = menuHandle != nullptr;
    if (DispatcherFunction(call, isMenu))
        return;
    if (isMenu) {
        MenuFunction(call, menuItemId, menuHandle);
    } else {
        String cls = effectiveClass;
        if (cls.FindOneOf("*", -1) >= 0)
            cls = GetClass(foundWindow);
        if (IsLocalClass(cls))
            Internal_FunctionProcessor(call, foundWindow, cls);
        else
            SquireRemoteCall(call, foundWindow, cls);
    }
    if (call.m_ReturnStatus.IsSuccess() && ActsThroughTheApplication(function)) {
        CStatus settled = KeyInput::SettlePosted(foundWindow);
        if (settled.IsWarning())
            call.m_ReturnStatus = settled;
    }
}

bool CDataWindow::DispatcherFunction(SSI_FunctionAPI& call, bool isMenu)
{
    const String& function = call.m_FunctionName;
    if (function == "GetHandle") {
        CDataInt value(handle != 0 ? handle : FromHandle(foundWindow));
        call.m_ReturnStatus = call.SetReturnData(&value);
    } else if (function == "CaptureBitmap") {
        CDataBitmap bitmap;
        CStatus status = CaptureBitmap(bitmap);
        call.m_ReturnStatus = status.IsSuccess() ? call.SetReturnData(&bitmap) : status;
    } else if (function == "GetChild" || function == "GetParent" || function == "GetNextSibling" ||
               function == "GetPrevSibling" || function == "GetTopParent") {
        if (!IsWindow(foundWindow)) {
            const int line = function == "GetChild"         ? 1157
                             : function == "GetParent"      ? 1170
                             : function == "GetNextSibling" ? 1183
                             : function == "GetPrevSibling" ? 1196
                                                            : 1209;
            call.m_ReturnStatus = CStatus::MakeDefaultError(line, "ClassWindow");
            return true;
        }
        HWND relative = nullptr;
        if (function == "GetChild")
            relative = GetWindow(foundWindow, GW_CHILD);
        else if (function == "GetParent")
            relative = ::GetParent(foundWindow);
        else if (function == "GetNextSibling")
            relative = GetWindow(foundWindow, GW_HWNDNEXT);
        else if (function == "GetPrevSibling")
            relative = GetWindow(foundWindow, GW_HWNDPREV);
        else
            relative = GetAncestor(foundWindow, GA_ROOT);
        CDataWindow value;
        value.InitializeFromWindow(relative);
        call.SetReturnData(&value);
        call.m_ReturnStatus = CStatus::MakeOK();
    } else if (function == "SetActive") {
        KeyInput::Activate(foundWindow);
        call.m_ReturnStatus = KeyInput::SettlePosted(foundWindow);
    } else if (function == "IsEnabled" && !isMenu) {
        CDataBool value(IsWindowEnabled(foundWindow) != FALSE);
        call.SetReturnData(&value);
        call.m_ReturnStatus = CStatus::MakeOK();
    } else if (function == "MouseClick") {
        int button = 0, x = 0, y = 0, action = 0;
        if (ReadInt(call, 0, button) && ReadInt(call, 1, x) && ReadInt(call, 2, y) && ReadInt(call, 3, action))
            call.m_ReturnStatus = KeyInput::MouseClick(foundWindow, button, x, y, action);
    } else if (function == "TypeKeys") {
        String keys;
        if (ReadString(call, 0, keys))
            call.m_ReturnStatus = KeyInput::TypeKeys(foundWindow, keys);
    } else if (function == "KeyDown") {
        String keys;
        if (ReadString(call, 0, keys))
            call.m_ReturnStatus = KeyInput::TypeKeys2(foundWindow, keys, 1);
    } else if (function == "KeyUp") {
        String keys;
        if (ReadString(call, 0, keys))
            call.m_ReturnStatus = KeyInput::TypeKeys2(foundWindow, keys, 2);
    } else {
        return false;
    }
    return true;
}

void CDataWindow::MenuFunction(SSI_FunctionAPI& call, unsigned menuItemId, HMENU menuHandle)
{
    if (!menuRemote) {
        RunMenuFunction(call, foundWindow, menuHandle, menuItemId, tagNumber, name, tagNumber);
        return;
    }
    MenuPath menuPath;
    menuPath.submenus = menuSubmenus;
    menuPath.item = tagNumber;
    String notFound = String::Printf("Window '%s' not found (Class='%s', Tag='%s'). (K00100)", name.c_str(),
                                     windowClass.c_str(), tag.c_str());
    RunMenuFunctionRemote(call, foundWindow, menuPath, name, tagNumber, notFound);
}

void CDataWindow::AddChildFunction(SSI_FunctionAPI& call)
{
    CDataWindow* child = ReadValue<CDataWindow>(call, 0);
    String childName;
    if (!child || !ReadString(call, 1, childName))
        return;
    CDataWindow copy;
    copy.operator_equal(child, nullptr);
    copy.handle = 0;
    copy.name = childName;
    WinDataPtr tree(copy.CreatePathTree());
    if (tree)
        BuildWindowMembers(*this, tree.get());
}

void CDataWindow::MainWinFunction(SSI_FunctionAPI& call)
{
    const bool numeric = call.GetParameterType(0) == CDataInt::GetRegisteredType();
    String windowTag, className;
    int tagValue = 0;
    if ((numeric ? !ReadInt(call, 0, tagValue) : !ReadString(call, 0, windowTag)) || !ReadString(call, 1, className))
        return;
    loom::ValuePtr<CDataWindow> value = loom::MakeValue<CDataWindow>();
    if (!value) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(1052, "ClassWindow");
        return;
    }
    value->windowClass = className;
    value->name = "MainWin_Generic";
    value->tag = windowTag;
    value->kind = "MainWin";
    value->isChild = 1;
    value->isParent = 1;
    value->tagNumber = tagValue;
    value->depth = depth + 1;
    ConstructChildPath(value.get());
    String memberName = "MainWin_Generic";
    CStatus added = AddLocalVariable(value.get(), memberName);
    call.m_ReturnStatus = added.IsSuccess() ? call.SetReturnData(value.get()) : added;
}

void CDataWindow::SetHandleFunction(SSI_FunctionAPI& call)
{
    int value = 0;
    if (!ReadInt(call, 0, value))
        return;
    HWND wnd = ToHandle(value);
    if (value != 0 && !IsWindow(wnd)) {
        call.m_ReturnStatus = CStatus::MakeError("Invalid window handle. (K00541)");
        return;
    }
    handle = value;
    FreeWinData(path);
    path = nullptr;
    windowClass = value != 0 ? GetClass(wnd) : String();
    tag = name = kind = String();
    tagNumber = isChild = isParent = depth = 0;
}
