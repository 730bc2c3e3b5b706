// CFunctionProcessor: runs one script call against one window in the
// process that owns it. It picks the control handler by the window's class
// name, lets it run the named function and leaves the outcome in the call's
// status and return value.
#pragma once

#include "SquireApi.h"

#include "FunctionApi.h"

#include <windows.h>

class SQUIRE_API CFunctionProcessor {
public:
    CFunctionProcessor() = default;
    CFunctionProcessor(const CFunctionProcessor&) = default;
    CFunctionProcessor& operator=(const CFunctionProcessor&) = default;
    virtual ~CFunctionProcessor();

    void FunctionProcessor(SSI_FunctionAPI& call, HWND window, String& className);
    // Creates one prototype of each control handler, unless the registry
    // holds them already; they register themselves. Always 1.
    int InitWindows();

    HWND GetWindowHandle() const { return m_hWnd; }

private:
    void Run(SSI_FunctionAPI& call, HWND window, String& className);

    HWND m_hWnd = nullptr;
};
