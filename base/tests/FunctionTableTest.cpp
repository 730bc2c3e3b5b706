// The window functions are declared from their rows alone: every row of the
// dispatcher, the control handlers and the menus is declared to the engine
// for its class, every declared function has a row, and every row is
// served by its class on a live window.
#include "ClassWindow.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <thread>

namespace {

// "Class.Name(type,type)" of a row or of a declaration.
std::string Key(const std::string& cls, const std::string& name, const std::vector<int>& types)
{
    std::string key = cls + "." + name + "(";
    for (size_t i = 0; i < types.size(); ++i) key += (i ? "," : "") + std::to_string(types[i]);
    return key + ")";
}

std::vector<int> TypesOf(const char* params)
{
    std::vector<int> types;
    for (const char* p = params; *p; ++p) types.push_back(loom::TypeOfCode(*p));
    return types;
}

class WindowFunctionTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDataWindow prototype;
        prototype.InitData();  // the engine and the checker learn the window functions
    }
};

TEST_F(WindowFunctionTable, RowsAndDeclarationsAreTheSameSet)
{
    std::set<std::string> rows;
    for (const squire::WindowFunction& f : CDataWindow::Functions())
        rows.insert(Key(f.windowClass.str(), f.name, TypesOf(f.params)));
    std::set<std::string> declared;
    for (const auto& entry : Factory_GetClassFunctions(CDataWindow::GetRegisteredType())) {
        for (const CFunctionDecl& decl : entry.second) declared.insert(Key(entry.first.str(), decl.Name.str(), decl.ParamTypes));
    }
    ASSERT_GT(rows.size(), 70u);
    for (const std::string& row : rows) EXPECT_TRUE(declared.count(row)) << "row not declared: " << row;
    for (const std::string& decl : declared) EXPECT_TRUE(rows.count(decl)) << "declared without a row: " << decl;
    // The classes the handlers serve, the generic functions and the menus.
    std::set<std::string> classes;
    for (const squire::WindowFunction& f : CDataWindow::Functions()) classes.insert(f.windowClass.str());
    EXPECT_EQ(classes, (std::set<std::string>{"Button", "ComboBox", "ListBox", "MainWin", "Menu", "MenuItem",
                                              "ScrollBar", "SysListView32", "SysTabControl32", "SysTreeView32",
                                              "ToolbarWindow32"}));
}

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

// Each function is called, through the dispatcher, on a live window of its
// class (on a thread of its own, so that calls that go through the agent
// are answered) and must not come back as a function the handler does not
// know.
TEST_F(WindowFunctionTable, EveryRowIsServedByItsClass)
{
    CDataWindow::SetDelay(0);
    ClassWindows windows;
    for (const squire::WindowFunction& row : CDataWindow::Functions()) {
        const std::string cls = row.windowClass.str();
        // Menus are covered by the menu tests; these need a menu object.
        if (cls == "Menu" || cls == "MenuItem") continue;
        // Functions that would end or replace the window under test, or that
        // make a value rather than reach a window.
        const std::string name = row.name;
        if (name == "Close" || name == "SetHandle" || name == "Blink" || name == "AddChild" || name == "MainWin")
            continue;
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
