// CWindowHandler: runs one script call against one attached window. The base
// class offers the window functions every window supports (text, showing
// state, geometry, activation, mouse, caret, blink); each control handler
// derives from it and owns the rows of its own functions: name, signature,
// method and where the function runs. A call is run by the first row of the
// handler's own with its name, else by the generic rows. The same rows make
// the window type's declarations (agent/caller/WindowFunctions.h).
#pragma once

#include "SquireApi.h"
#include "WindowObject.h"

#include "CallParameters.h"
#include "CallValues.h"
#include "FunctionApi.h"
#include "FunctionRow.h"
#include "Values.h"

#include <windows.h>

#include <memory>
#include <new>

class SQUIRE_API CWindowHandler {
public:
    // A row's body: a function of the handler that serves the call.
    using Method = void (*)(CWindowHandler& handler, SSI_FunctionAPI& call);
    using Row = loom::FunctionRow<Method>;
    struct RowList {
        const Row* rows = nullptr;
        size_t count = 0;
        RowList() = default;
        template <size_t N>
        RowList(const Row (&table)[N]) : rows(table), count(N) {}
        const Row* begin() const { return rows; }
        const Row* end() const { return rows + count; }
    };

    // An unnamed handler; it does not register.
    CWindowHandler();
    // A handler for windows of className. A non-empty name registers the
    // handler with CHandlerRegistry and keeps the id it receives; when the
    // name was not registered yet, the registry keeps this object as the
    // prototype of that class and owns it from then on.
    explicit CWindowHandler(const String& className);
    CWindowHandler(const CWindowHandler&) = delete;
    CWindowHandler& operator=(const CWindowHandler&) = delete;

    virtual ~CWindowHandler();
    // A new handler of the same kind, owned by the caller.
    virtual CWindowHandler* Clone();
    // Runs the call by its row; 1 when a row has its name, else the call's
    // status names the function and the class.
    virtual int ProcessFunction(SSI_FunctionAPI& call);
    // The rows of the handler's own functions (none for the base).
    virtual RowList OwnRows() const;
    // The functions every window has, served by the base.
    static RowList GenericRows();
    // The row a call on this handler runs: its own, else a generic one; null
    // when no row has the name.
    const Row* RowFor(SSI_FunctionAPI& call) const;
    virtual int CanRegister();
    // Refers to window until Detach; 0 when it names no window.
    virtual int Attach(HWND window);
    virtual int Detach();

    const String& GetHandlerClassName() const { return m_ClassName; }
    void SetHandlerClassName(const String& name) { m_ClassName = name; }
    int GetRegistrationId() const { return m_RegistrationId; }
    HWND GetWindowHandle() const { return m_hWnd; }
    // Whether a message sent during the call got no answer within the
    // response bound; the processor then reports the window as not
    // responding.
    bool NotResponding() const { return m_NotResponding; }

    // What the row bodies use of the attached window.
    // The activation step (squire::Activate): brings the window's
    // top-level owner to the foreground when another thread owns the
    // foreground window.
    CStatus Activate();
    // SendMessage within the response bound; 0 when the window does not
    // answer in time (and NotResponding() is true from then on).
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    LRESULT SendWide(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Tells the window's parent what a user's change of the control would
    // tell it: WM_COMMAND with the control's id and `code`, posted (the
    // dispatcher's barrier waits until it is handled).
    void NotifyParent(WORD code) const;

    // Parameters are read with the engine's readers (CallParameters.h) and
    // results handed back with its Return* helpers (CallValues.h).
    static void SetOk(SSI_FunctionAPI& call);
    static void SetError(SSI_FunctionAPI& call, const char* fmt, ...) LOOM_PRINTF(2, 3);

private:
    // A generic function, a member of this class, as a row's body.
    template <void (CWindowHandler::*Function)(SSI_FunctionAPI&)>
    static void Generic(CWindowHandler& handler, SSI_FunctionAPI& call)
    {
        (handler.*Function)(call);
    }
    static const Row kGenericRows[];

    void GetText(SSI_FunctionAPI& call);
    void SetText(SSI_FunctionAPI& call);
    void Minimize(SSI_FunctionAPI& call);
    void Maximize(SSI_FunctionAPI& call);
    void Restore(SSI_FunctionAPI& call);
    void Close(SSI_FunctionAPI& call);
    void MoveWin(SSI_FunctionAPI& call);
    void ResizeWin(SSI_FunctionAPI& call);
    void MouseMove(SSI_FunctionAPI& call);
    void SetActiveFunction(SSI_FunctionAPI& call);
    void GetWindowX(SSI_FunctionAPI& call);
    void GetWindowY(SSI_FunctionAPI& call);
    void GetWindowWidth(SSI_FunctionAPI& call);
    void GetWindowHeight(SSI_FunctionAPI& call);
    void IsActive(SSI_FunctionAPI& call);
    void Blink(SSI_FunctionAPI& call);
    void GetCaretX(SSI_FunctionAPI& call);
    void GetCaretY(SSI_FunctionAPI& call);

    // The window rectangle, in the parent's client coordinates for a child
    // window and in screen coordinates otherwise.
    RECT PlacementRect() const;
    POINT CaretPosition() const;

    String m_ClassName;
    HWND m_hWnd = nullptr;
    int m_RegistrationId = 0;
    mutable bool m_NotResponding = false;
    std::unique_ptr<CWindowObject> m_Window;
};

// The base of each control handler: its class name, and Clone making a
// handler of its own kind.
template <class Derived>
class CControlHandler : public CWindowHandler {
public:
    explicit CControlHandler(const char* className) : CWindowHandler(String(className)) {}
    CWindowHandler* Clone() override { return new (std::nothrow) Derived(); }
};
