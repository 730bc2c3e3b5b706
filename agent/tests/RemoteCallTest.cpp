// The agent protocol end to end inside one process: a second thread owns
// the window and runs a message loop, the test thread is the caller.
#include <string>
#include "Hook.h"
#include "SquireProtocol.h"
#include "RemoteCall.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <thread>

namespace {

// A thread that owns a list view with three items and pumps messages until
// it is told to quit; optionally it stops pumping to play a hung target.
class WindowThread {
public:
    explicit WindowThread(bool pump = true) : m_Pump(pump)
    {
        m_Thread = std::thread([this] { Run(); });
        for (int i = 0; i < 500 && !m_Ready; ++i) Sleep(10);
    }
    ~WindowThread()
    {
        m_Release = true;
        if (m_ThreadId) PostThreadMessageA(m_ThreadId, WM_QUIT, 0, 0);
        m_Thread.join();
    }
    HWND Window() const { return m_Window; }
    DWORD ThreadId() const { return m_ThreadId; }

private:
    void Run()
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        m_Window = CreateWindowExA(0, WC_LISTVIEWA, "", WS_OVERLAPPEDWINDOW | LVS_REPORT, 0, 0, 200, 200, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 80;
        column.pszText = const_cast<char*>("Name");
        SendMessageA(m_Window, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        for (int i = 0; i < 3; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>("item");
            SendMessageA(m_Window, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // make the queue
        m_ThreadId = GetCurrentThreadId();
        m_Ready = true;
        if (!m_Pump) {
            while (!m_Release) Sleep(10);  // hung: takes nothing from its queue
        }
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DestroyWindow(m_Window);
    }

    bool m_Pump;
    std::thread m_Thread;
    std::atomic<bool> m_Ready{false};
    std::atomic<bool> m_Release{false};
    std::atomic<DWORD> m_ThreadId{0};
    HWND m_Window = nullptr;
};

void PrepareGetCount(SSI_FunctionAPI& call)
{
    call.m_FunctionName = "GetCount";
    call.InitParams(0);
    call.GetReturnData()->SetType(CDataInt::GetRegisteredType());
}

}  // namespace

TEST(RemoteCallTest, RunsTheCallOnTheWindowsThreadAndRemovesTheHook)
{
    WindowThread target;
    ASSERT_NE(target.Window(), nullptr);
    String cls("SysListView32");
    for (int round = 0; round < 3; ++round) {
        SSI_FunctionAPI call;
        PrepareGetCount(call);
        SquireRemoteCall(call, target.Window(), cls);
        ASSERT_TRUE(call.m_ReturnStatus.IsSuccess()) << call.m_ReturnStatus.GetStatusMessage().c_str();
        EXPECT_EQ(call.GetReturnData()->GetWorkingData()->GetString(), "3");
    }
    // The hook is gone after each call: removing it again fails.
    EXPECT_EQ(SetSquireHook(target.ThreadId(), 0), 0);
    EXPECT_EQ(squire::SharedSyncFlag(), 0);
}

TEST(RemoteCallTest, HungTargetTimesOutAndTheNextCallWorks)
{
    {
        WindowThread hung(false);
        SSI_FunctionAPI call;
        PrepareGetCount(call);
        String cls("SysListView32");
        SquireRemoteCall(call, hung.Window(), cls, 20);
        // The message says the application is not responding, with the
        // window, its class and the bound waited.
        EXPECT_TRUE(call.m_ReturnStatus.IsError());
        const std::string message = call.m_ReturnStatus.GetStatusMessage().c_str();
        EXPECT_EQ(message.rfind("The application is not responding: window '", 0), 0u) << message;
        EXPECT_NE(message.find("(class 'SysListView32') did not answer within 200 ms. (K00301)"), std::string::npos)
            << message;
    }
    WindowThread live;
    SSI_FunctionAPI call;
    PrepareGetCount(call);
    String cls("SysListView32");
    SquireRemoteCall(call, live.Window(), cls);
    EXPECT_TRUE(call.m_ReturnStatus.IsSuccess());
}

TEST(RemoteCallTest, DeadWindowCannotBeHooked)
{
    SSI_FunctionAPI call;
    PrepareGetCount(call);
    String cls("SysListView32");
    SquireRemoteCall(call, reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7ffff0)), cls);
    EXPECT_EQ(call.m_ReturnStatus.GetStatusMessage(), "Kestrel Internal Error: Squire not created. (K00300)");
}

TEST(HookTest, InstallAndRemoveEdgeCases)
{
    EXPECT_EQ(SetSquireHook(GetCurrentThreadId(), 0), 0);  // nothing installed
    ASSERT_EQ(SetSquireHook(GetCurrentThreadId(), 1), 1);
    EXPECT_EQ(SetSquireHook(GetCurrentThreadId(), 1), 0);  // one hook at a time
    EXPECT_EQ(SetSquireHook(GetCurrentThreadId(), 0), 1);
}
