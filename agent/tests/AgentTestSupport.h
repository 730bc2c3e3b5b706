// Test support for the agent's unit tests: windows that destroy themselves,
// a call record that runs through CFunctionProcessor, and bounded message
// pumping.
#pragma once

#include "FunctionProcessor.h"

#include "FunctionApi.h"
#include "Values.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

// Registers the common controls and the test frame class once.
void InitTestControls();

// A window created by the test and destroyed when this object goes.
class TestWindow {
public:
    TestWindow(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
               HWND parent = nullptr, int id = 0, DWORD exStyle = 0);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// A visible top-level frame of the test class, which records the WM_COMMAND
// wParams it receives (tool-bar commands arrive there). By default it is a
// pop-up without caption: Wine leaves such windows unmanaged, and destroying
// a managed window without a window manager (Xvfb) waits two seconds for a
// withdrawal that never comes.
class TestFrame : public TestWindow {
public:
    explicit TestFrame(const char* title = "Kestrel agent test", HWND owner = nullptr, DWORD style = 0);
    static const char* ClassName() { return "KestrelAgentTestFrame"; }
    // The WM_COMMAND wParams received by any test frame so far.
    static std::vector<WPARAM>& Commands();
};

// A frame shared by all tests of the program, made on first use and
// destroyed when the tests end: controls are made and destroyed per test as
// its children, which is quick, while each top-level window costs Wine two
// seconds to destroy under Xvfb.
HWND SharedFrame();

// Dispatches messages of this thread until done() holds or timeoutMs passes;
// returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Dispatches the messages waiting now.
void PumpPending();

// One script call: parameters, then Run against a window of a class name.
class AgentCall {
public:
    explicit AgentCall(const char* function);
    AgentCall(const AgentCall&) = delete;
    AgentCall& operator=(const AgentCall&) = delete;

    AgentCall& Int(int value);
    AgentCall& Str(const char* value);
    // The status the call arrives with (the engine's default is OK).
    AgentCall& Arrive(const CStatus& status);
    AgentCall& Run(HWND window, const char* className);

    int State() const { return m_Api.m_ReturnStatus.GetState(); }
    int Flag() const { return m_Api.m_ReturnStatus.GetFlag(); }
    std::string Message() const { return m_Api.m_ReturnStatus.GetStatusMessage().str(); }
    bool HasResult();
    int ResultInt();
    bool ResultBool();
    bool HasBoolResult();
    std::string ResultString();
    SSI_FunctionAPI& Api() { return m_Api; }

private:
    CData* Result();

    SSI_FunctionAPI m_Api;
    std::vector<std::unique_ptr<CVariable>> m_Vars;
};
