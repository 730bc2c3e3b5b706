// Every row of the window-function table is served: each function is
// called, through the dispatcher, on a live window of its class (on a
// thread of its own, so that calls that go through the agent are answered)
// and must not come back as a function the handler does not know.
#include "ClassWindow.h"
#include "WindowFunctionTable.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

namespace {

// One window of each class of the table, made and pumped on its own thread.
class ClassWindows {
public:
    ClassWindows()
    {
        m_Thread = std::thread([this] { Run(); });
        while (!m_Ready) Sleep(5);
    }
    ~ClassWindows()
    {
        PostThreadMessageA(m_ThreadId, WM_QUIT, 0, 0);
        m_Thread.join();
    }
    HWND Of(const std::string& cls) const
    {
        auto found = m_Windows.find(cls);
        return found == m_Windows.end() ? nullptr : found->second;
    }

private:
    void Run()
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        m_ThreadId = GetCurrentThreadId();
        HWND frame = CreateWindowExA(0, "STATIC", "table frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                     nullptr, nullptr, nullptr, nullptr);
        m_Windows["MainWin"] = frame;
        const char* classes[] = {"Button", "ScrollBar", "ComboBox", "ListBox", WC_TABCONTROLA, WC_TREEVIEWA,
                                 WC_LISTVIEWA, TOOLBARCLASSNAMEA};
        int y = 0;
        for (const char* cls : classes) {
            m_Windows[cls] = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, y, 100, 20, frame, nullptr,
                                             nullptr, nullptr);
            y += 22;
        }
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        m_Ready = true;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DestroyWindow(frame);
    }

    std::thread m_Thread;
    std::atomic<bool> m_Ready{false};
    DWORD m_ThreadId = 0;
    std::map<std::string, HWND> m_Windows;
};

TEST(WindowFunctionTable, EveryRowIsServedByItsClass)
{
    CDataWindow prototype;
    prototype.InitData();  // the checker learns the window functions
    CDataWindow::SetDelay(0);
    ClassWindows windows;
    int count = 0;
    const WindowFunctionEntry* rows = WindowFunctionRows(count);
    ASSERT_GT(count, 50);
    for (int r = 0; r < count; ++r) {
        const WindowFunctionEntry& row = rows[r];
        const std::string cls = row.windowClass;
        // Menus are covered by the menu tests; these need a menu object.
        if (cls == "Menu" || cls == "MenuItem") continue;
        // Functions that would end or replace the window under test.
        const std::string name = row.name;
        if (name == "Close" || name == "SetHandle" || name == "Blink") continue;
        HWND window = windows.Of(cls);
        ASSERT_NE(window, nullptr) << cls;
        CDataWindow value;
        value.handle = static_cast<int>(reinterpret_cast<intptr_t>(window));
        value.windowClass = CDataWindow::GetClass(window);
        SSI_FunctionAPI call;
        call.m_FunctionName = row.name;
        const int params = static_cast<int>(std::string(row.params).size());
        call.InitParams(params);
        for (int p = 0; p < params; ++p) {
            const char code = row.params[p];
            CDataInt zero(0);
            CDataString empty("");
            CDataWindow none;
            CData* data = code == 'i' ? static_cast<CData*>(&zero) : code == 's' ? static_cast<CData*>(&empty)
                                                                                 : static_cast<CData*>(&none);
            CVariable v("", data->GetType());
            v.SetData(data);
            int index = p;
            call.AddParameter(v, index);
        }
        value.SSI_FunctionProcessor(call);
        const std::string message = call.m_ReturnStatus.GetStatusMessage().c_str();
        EXPECT_EQ(message.find("not supported by window class"), std::string::npos) << cls << "." << name;
        EXPECT_EQ(message.find("is not a member of class"), std::string::npos) << cls << "." << name;
        EXPECT_EQ(message.find("not responding"), std::string::npos) << cls << "." << name;
    }
}

}  // namespace
