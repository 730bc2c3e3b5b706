#include "AgentTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) TestFrame::Commands().push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

namespace {

class SharedFrameEnvironment : public ::testing::Environment {
public:
    void TearDown() override { frame.reset(); }
    std::unique_ptr<TestFrame> frame;
};

SharedFrameEnvironment* gSharedFrame =
    static_cast<SharedFrameEnvironment*>(::testing::AddGlobalTestEnvironment(new SharedFrameEnvironment));

}  // namespace

HWND SharedFrame()
{
    if (!gSharedFrame->frame) gSharedFrame->frame = std::make_unique<TestFrame>("Kestrel agent tests");
    return *gSharedFrame->frame;
}

void InitTestControls()
{
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                 ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&init);
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = TestFrame::ClassName();
    RegisterClassA(&frameClass);
    done = true;
}

TestWindow::TestWindow(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                       HWND parent, int id, DWORD exStyle)
{
    InitTestControls();
    m_hWnd = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                             (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr,
                             GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
    PumpPending();
}

TestFrame::TestFrame(const char* title, HWND owner, DWORD style)
    : TestWindow(ClassName(), title, style ? style : (WS_POPUP | WS_BORDER | WS_VISIBLE), 100, 100, 400, 300, owner)
{
}

std::vector<WPARAM>& TestFrame::Commands()
{
    static std::vector<WPARAM> commands;
    return commands;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

AgentCall::AgentCall(const char* function)
{
    m_Api.m_FunctionName = function;
}

AgentCall& AgentCall::Int(int value)
{
    CDataInt data(value);
    auto variable = std::make_unique<CVariable>(String("p"), data.GetType());
    variable->SetData(&data);
    m_Vars.push_back(std::move(variable));
    return *this;
}

AgentCall& AgentCall::Str(const char* value)
{
    CDataString data{String(value)};
    auto variable = std::make_unique<CVariable>(String("p"), data.GetType());
    variable->SetData(&data);
    m_Vars.push_back(std::move(variable));
    return *this;
}

AgentCall& AgentCall::Arrive(const CStatus& status)
{
    m_Api.m_ReturnStatus = status;
    return *this;
}

AgentCall& AgentCall::Run(HWND window, const char* className)
{
    m_Api.InitParams(static_cast<int>(m_Vars.size()));
    for (size_t i = 0; i < m_Vars.size(); ++i) m_Api.SetBorrowedParameter(static_cast<int>(i), m_Vars[i].get());
    String name(className);
    CFunctionProcessor processor;
    processor.FunctionProcessor(m_Api, window, name);
    return *this;
}

CData* AgentCall::Result()
{
    CVariable* result = m_Api.GetReturnData();
    return result ? result->GetWorkingData() : nullptr;
}

bool AgentCall::HasResult()
{
    return Result() != nullptr;
}

int AgentCall::ResultInt()
{
    CData* data = Result();
    if (!data || data->GetType() != CDataInt::GetRegisteredType()) return -999999;
    return static_cast<CDataInt*>(data)->Data;
}

bool AgentCall::ResultBool()
{
    CData* data = Result();
    return data && data->GetType() == CDataBool::GetRegisteredType() && static_cast<CDataBool*>(data)->Data != 0;
}

std::string AgentCall::ResultString()
{
    CData* data = Result();
    if (!data || data->GetType() != CDataString::GetRegisteredType()) return "<no string result>";
    return static_cast<CDataString*>(data)->Data.str();
}

bool AgentCall::HasBoolResult()
{
    CData* data = Result();
    return data && data->GetType() == CDataBool::GetRegisteredType();
}
