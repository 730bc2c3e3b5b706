// The window-function dispatcher: every script call on a window value
// arrives here. It waits the window delay, resolves the value to the live
// window, checks that the function belongs to the window's class, and then
// performs the function: its own rows below (input, navigation, capture),
// the menu rows for a menu object, and otherwise the control handlers'
// rows through the agent's doorway (agent/caller/WindowFunctions.h), which
// runs each where its row says.
#include "ClassWindow.h"

#include "Declarations.h"
#include "InputSettle.h"
#include "InputSynthesis.h"
#include "InternalErrors.h"
#include "Actionability.h"
#include "WindowChecker.h"

#include "BoundedWait.h"
#include "DataBitmap.h"
#include "NotReady.h"
#include "WindowFunctions.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr int kLookupPauseMs = 10;

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

// Functions of the value itself, run before any lookup.
const CDataWindow::DispatchRow CDataWindow::kValueRows[] = {
    {"AddChild", "ws", 0, &CDataWindow::AddChildFunction},
    {"MainWin", "ss", 'w', &CDataWindow::MainWinFunction},
    {"MainWin", "is", 'w', &CDataWindow::MainWinFunction},
    {"SetHandle", "i", 0, &CDataWindow::SetHandleFunction},
};

// Functions the dispatcher performs on the window the lookup found.
const CDataWindow::DispatchRow CDataWindow::kFoundRows[] = {
    {"KeyDown", "s", 0, &CDataWindow::KeyDownFunction},
    {"KeyUp", "s", 0, &CDataWindow::KeyUpFunction},
    {"SetActive", "", 0, &CDataWindow::SetActiveFunction},
    {"MouseClick", "iiii", 0, &CDataWindow::MouseClickFunction},
    {"TypeKeys", "s", 0, &CDataWindow::TypeKeysFunction},
    {"GetHandle", "", 'i', &CDataWindow::GetHandleFunction},
    {"CaptureBitmap", "", 'm', &CDataWindow::CaptureBitmapFunction},
    {"IsEnabled", "", 'b', &CDataWindow::IsEnabledFunction},
    {"GetChild", "", 'w', &CDataWindow::GetChildFunction},
    {"GetParent", "", 'w', &CDataWindow::GetParentFunction},
    {"GetNextSibling", "", 'w', &CDataWindow::GetNextSiblingFunction},
    {"GetPrevSibling", "", 'w', &CDataWindow::GetPrevSiblingFunction},
    {"GetTopParent", "", 'w', &CDataWindow::GetTopParentFunction},
};

std::vector<squire::WindowFunction> CDataWindow::Functions()
{
    std::vector<squire::WindowFunction> list;
    auto add = [&list](const DispatchRow& row) {
        list.push_back({"MainWin", row.name, row.params, row.result, row.where, row.effect});
    };
    for (const DispatchRow& row : kValueRows) add(row);
    for (const DispatchRow& row : kFoundRows) add(row);
    // A generic function the dispatcher performs itself (SetActive) is
    // declared once.
    auto listed = [&list](const squire::WindowFunction& function) {
        for (const squire::WindowFunction& known : list) {
            if (known.windowClass == function.windowClass && std::strcmp(known.name, function.name) == 0 &&
                std::strcmp(known.params, function.params) == 0)
                return true;
        }
        return false;
    };
    for (squire::WindowFunction& function : squire::WindowFunctions())
        if (!listed(function)) list.push_back(function);
    return list;
}

void CDataWindow::DeclareWindowFunctions()
{
    for (const squire::WindowFunction& function : Functions()) {
        CFunctionDecl decl = loom::MakeDecl(function.name, function.params, function.result);
        decl.SetProcessor(this);
        String className = function.windowClass;
        AddFunction(decl, className);
    }
}

void CDataWindow::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    const DispatchRow* valueRow = loom::FindRow(kValueRows, call);
    if (!valueRow || valueRow->body != &CDataWindow::AddChildFunction) {
        if (iDelay > 0)
            Sleep(static_cast<DWORD>(iDelay));
    }
    if (valueRow) {
        (this->*valueRow->body)(call);
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
        loom::WaitUntil([&] { return (status = FindMe(menuItemId, menuHandle)).IsSuccess(); }, LookupTimeoutMs(),
                        kLookupPauseMs);
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
    const DispatchRow* own = loom::FindRow(kFoundRows, call);
    if (own && !(isMenu && own->body == &CDataWindow::IsEnabledFunction)) {
        (this->*own->body)(call);
        return;
    }
    String cls = effectiveClass;
    if (!isMenu && cls.FindOneOf("*", -1) >= 0)
        cls = GetClass(foundWindow);
    const loom::Effect effect = isMenu ? squire::MenuEffectOf(call) : squire::EffectOf(call, cls);
    auto run = [&] {
        if (isMenu)
            MenuFunction(call, menuItemId, menuHandle);
        else
            squire::CallWindowFunction(call, foundWindow, cls);
    };
    if (effect == loom::Effect::Clicks) {
        CStatus ready = ReadyForClick(isMenu);
        if (!ready) {
            call.m_ReturnStatus = ready;
            return;
        }
        // The part the function clicks (a tool bar button, a menu item) may
        // not be ready yet either: tried again within the lookup bound.
        loom::WaitUntil(
            [&] {
                call.m_ReturnStatus = CStatus::MakeOK();
                run();
                return !squire::IsNotReadyYet(call.m_ReturnStatus);
            },
            LookupTimeoutMs(), kLookupPauseMs);
    } else {
        run();
    }
    if (call.m_ReturnStatus.IsSuccess() && effect != loom::Effect::Reads) {
        CStatus settled = KeyInput::SettlePosted(foundWindow);
        if (settled.IsWarning())
            call.m_ReturnStatus = settled;
    }
}

CStatus CDataWindow::ReadyForClick(bool isMenu) const
{
    // A control is clicked at its centre, which must not be covered; a
    // menu's owner and a tool bar need only be visible and enabled (the
    // part clicked is checked by the function itself).
    POINT point{-32768, -32768};
    if (!isMenu && GetClass(foundWindow) != "ToolbarWindow32") {
        RECT rect{};
        GetWindowRect(foundWindow, &rect);
        point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    return KeyInput::WaitUntilClickable(foundWindow, point);
}

void CDataWindow::GetHandleFunction(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, handle != 0 ? handle : FromHandle(foundWindow));
}

void CDataWindow::CaptureBitmapFunction(SSI_FunctionAPI& call)
{
    CDataBitmap bitmap;
    CStatus status = CaptureBitmap(bitmap);
    call.m_ReturnStatus = status.IsSuccess() ? call.SetReturnData(&bitmap) : status;
}

void CDataWindow::ReturnRelative(SSI_FunctionAPI& call, int internalLine, HWND (*step)(HWND))
{
    if (!IsWindow(foundWindow)) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(internalLine, kestrel::internal::kClassWindow);
        return;
    }
    CDataWindow value;
    value.InitializeFromWindow(step(foundWindow));
    call.m_ReturnStatus = call.SetReturnData(&value);
}

void CDataWindow::GetChildFunction(SSI_FunctionAPI& call)
{
    ReturnRelative(call, kestrel::internal::kGetChildLine, [](HWND w) { return GetWindow(w, GW_CHILD); });
}

void CDataWindow::GetParentFunction(SSI_FunctionAPI& call)
{
    ReturnRelative(call, kestrel::internal::kGetParentLine, [](HWND w) { return ::GetParent(w); });
}

void CDataWindow::GetNextSiblingFunction(SSI_FunctionAPI& call)
{
    ReturnRelative(call, kestrel::internal::kGetNextSiblingLine, [](HWND w) { return GetWindow(w, GW_HWNDNEXT); });
}

void CDataWindow::GetPrevSiblingFunction(SSI_FunctionAPI& call)
{
    ReturnRelative(call, kestrel::internal::kGetPrevSiblingLine, [](HWND w) { return GetWindow(w, GW_HWNDPREV); });
}

void CDataWindow::GetTopParentFunction(SSI_FunctionAPI& call)
{
    ReturnRelative(call, kestrel::internal::kGetTopParentLine, [](HWND w) { return GetAncestor(w, GA_ROOT); });
}

void CDataWindow::SetActiveFunction(SSI_FunctionAPI& call)
{
    KeyInput::Activate(foundWindow);
    call.m_ReturnStatus = KeyInput::SettlePosted(foundWindow);
}

void CDataWindow::IsEnabledFunction(SSI_FunctionAPI& call)
{
    loom::ReturnBool(call, IsWindowEnabled(foundWindow) != FALSE);
}

void CDataWindow::MouseClickFunction(SSI_FunctionAPI& call)
{
    int button = 0, x = 0, y = 0, action = 0;
    if (ReadInt(call, 0, button) && ReadInt(call, 1, x) && ReadInt(call, 2, y) && ReadInt(call, 3, action))
        call.m_ReturnStatus = KeyInput::MouseClick(foundWindow, button, x, y, action);
}

void CDataWindow::TypeKeysFunction(SSI_FunctionAPI& call)
{
    String keys;
    if (ReadString(call, 0, keys))
        call.m_ReturnStatus = KeyInput::TypeKeys(foundWindow, keys);
}

void CDataWindow::KeyDownFunction(SSI_FunctionAPI& call)
{
    String keys;
    if (ReadString(call, 0, keys))
        call.m_ReturnStatus = KeyInput::TypeKeys2(foundWindow, keys, 1);
}

void CDataWindow::KeyUpFunction(SSI_FunctionAPI& call)
{
    String keys;
    if (ReadString(call, 0, keys))
        call.m_ReturnStatus = KeyInput::TypeKeys2(foundWindow, keys, 2);
}

loom::Effect CDataWindow::MenuFunction(SSI_FunctionAPI& call, unsigned menuItemId, HMENU menuHandle)
{
    squire::MenuObject object;
    object.owner = foundWindow;
    object.menu = menuHandle;
    object.itemId = menuItemId;
    object.path.submenus = menuSubmenus;
    object.path.item = tagNumber;
    object.objectName = name;
    object.tagNumber = tagNumber;
    object.remote = menuRemote;
    object.notFound = String::Printf("Window '%s' not found (Class='%s', Tag='%s'). (K00100)", name.c_str(),
                                     windowClass.c_str(), tag.c_str());
    return squire::CallMenuFunction(call, object);
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
        call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kMainWinLine, kestrel::internal::kClassWindow);
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
