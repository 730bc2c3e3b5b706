// CWindowHandler: runs one script call against one attached window. The base
// class offers the window functions every window supports (text, showing
// state, geometry, activation, mouse, caret, blink); each control handler
// derives from it, answers its own function names and hands every other name
// back to the base.
#pragma once

#include "SquireApi.h"
#include "WindowObject.h"

#include "CallParameters.h"
#include "CallValues.h"
#include "FunctionApi.h"
#include "Values.h"

#include <windows.h>

#include <memory>

class SQUIRE_API CWindowHandler {
public:
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
    // Runs the call named call.m_FunctionName; 1 when the name is known.
    virtual int ProcessFunction(SSI_FunctionAPI& call);
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

protected:
    // The activation step: brings the window's top-level owner to the
    // foreground when another thread owns the foreground window.
    CStatus Activate();
    // SendMessage within the response bound; 0 when the window does not
    // answer in time (and NotResponding() is true from then on).
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    LRESULT SendWide(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Parameters are read with the engine's readers (CallParameters.h) and
    // results handed back with its Return* helpers (CallValues.h).
    static void SetOk(SSI_FunctionAPI& call);
    static void SetError(SSI_FunctionAPI& call, const char* fmt, ...) LOOM_PRINTF(2, 3);

private:
    typedef void (CWindowHandler::*GenericFunction)(SSI_FunctionAPI& call);
    struct GenericEntry {
        const char* name;
        GenericFunction function;
    };
    static const GenericEntry kGenericFunctions[];

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
