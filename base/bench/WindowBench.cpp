// Benchmark (not a test) of window functions with no delay: median time of
// GetText on an edit control of KestrelTarget, of IsChecked on its check
// box (both through the dispatcher: lookup, checker, control processor),
// and of one failed lookup of a button among 1,000 sibling windows, once in
// this process and once in another (a copy of this program started with
// --siblings), where every question about a window goes to the server. The
// siblings are all buttons, or all statics but every hundredth.
#include "ClassWindow.h"
#include "DescribeControl.h"
#include "ProgramStart.h"
#include "TargetProcess.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

double Median(const std::function<void()>& work, int rounds)
{
    LARGE_INTEGER frequency, a, b;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QueryPerformanceCounter(&a);
        work();
        QueryPerformanceCounter(&b);
        ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double CallMedian(CDataWindow& window, const char* function, int resultType, int rounds, std::string& last)
{
    return Median([&] {
        SSI_FunctionAPI call;
        call.m_FunctionName = function;
        call.InitParams(0);
        call.GetReturnData()->SetType(resultType);
        window.SSI_FunctionProcessor(call);
        CData* data = call.GetReturnData()->GetWorkingData();
        last = call.m_ReturnStatus.IsSuccess() && data ? data->GetString().str()
                                                       : call.m_ReturnStatus.GetStatusMessage().str();
    }, rounds);
}

const char kSiblingsParent[] = "bench parent";
const char kOtherParent[] = "bench parent (other process)";
const char kMixed[] = " (mixed)";

// A popup with 1,000 children "0".."999": buttons, or statics with a
// button every hundredth.
HWND MakeSiblings(const std::string& title, bool mixed)
{
    HWND parent = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    for (int i = 0; i < 1000; ++i)
        CreateWindowExA(0, mixed && i % 100 ? "STATIC" : "BUTTON", std::to_string(i).c_str(), WS_CHILD, 0, 0, 1, 1,
                        parent, nullptr, nullptr, nullptr);
    return parent;
}

// The median of a failed partial lookup below the parent with that title.
double FailedLookup(const std::string& parentTitle, bool& found)
{
    CDataWindow top, missing;
    top.windowClass = "Static";
    top.tag = parentTitle.c_str();
    missing.windowClass = "Button";
    missing.tag = "no such text*";
    top.ConstructChildPath(&missing);
    found = true;
    return Median([&] {
        unsigned id = 0;
        HMENU menu = nullptr;
        found = missing.FindMe(id, menu).IsSuccess();
    }, 200);
}

// This program again, holding the siblings in its own process until it is
// ended (on every path out).
class SiblingProcess {
public:
    SiblingProcess()
    {
        char exe[MAX_PATH];
        if (!GetModuleFileNameA(nullptr, exe, MAX_PATH)) return;
        std::string command = std::string("\"") + exe + "\" --siblings";
        PROCESS_INFORMATION info = {};
        if (!kt::test::StartProgram(command, nullptr, info)) return;
        CloseHandle(info.hThread);
        m_Process = info.hProcess;
        WaitForInputIdle(m_Process, 10000);
    }
    ~SiblingProcess()
    {
        if (!m_Process) return;
        TerminateProcess(m_Process, 0);
        WaitForSingleObject(m_Process, 10000);
        CloseHandle(m_Process);
    }
    SiblingProcess(const SiblingProcess&) = delete;
    SiblingProcess& operator=(const SiblingProcess&) = delete;
    // The parent window with that title once it has all its children; null
    // after 10 s.
    HWND Parent(const std::string& title) const
    {
        for (int waited = 0; m_Process && waited < 10000; waited += 20) {
            HWND parent = FindWindowA("Static", title.c_str());
            int children = 0;
            for (HWND c = parent ? GetWindow(parent, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
                ++children;
            if (children == 1000) return parent;
            Sleep(20);
        }
        return nullptr;
    }

private:
    HANDLE m_Process = nullptr;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--siblings") {
        MakeSiblings(kOtherParent, false);
        MakeSiblings(std::string(kOtherParent) + kMixed, true);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }
    CDataWindow prototype;
    prototype.InitData();  // the checker learns the window functions
    CDataWindow::SetDelay(0);
    const int rounds = 1000;
    {
        kt::test::TargetProcess target("/log");
        HWND edit = target.OpenDialog(32815, "Edit Dialog");
        CDataWindow dialog, shortEdit;
        Describe(dialog, "Edit Dialog", shortEdit, "Edit", 2);
        std::string last;
        double getText = edit ? CallMedian(shortEdit, "GetText", CDataString::GetRegisteredType(), rounds, last) : -1;
        std::printf("GetText on an edit of the target: median %.3f ms (%d calls, text '%s')\n", getText, rounds,
                    last.c_str());
        kt::test::TargetProcess::Cancel(edit);
        HWND checks = target.OpenDialog(32778, "Check Box Dialog");
        CDataWindow checkDialog, checkBox;
        Describe(checkDialog, "Check Box Dialog", checkBox, "Button", 0, "CheckBox");
        double isChecked =
            checks ? CallMedian(checkBox, "IsChecked", CDataBool::GetRegisteredType(), rounds, last) : -1;
        std::printf("IsChecked on a check box of the target: median %.3f ms (%d calls, result %s)\n", isChecked,
                    rounds, last.c_str());
    }
    HWND parents[] = {MakeSiblings(kSiblingsParent, false),
                      MakeSiblings(std::string(kSiblingsParent) + kMixed, true)};
    bool found = true;
    SiblingProcess other;  // holds both layouts
    for (bool mixed : {false, true}) {
        const char* suffix = mixed ? kMixed : "";
        const char* layout = mixed ? "10 buttons among 1,000 windows" : "1,000 sibling buttons";
        double failed = FailedLookup(kSiblingsParent + std::string(suffix), found);
        std::printf("failed FindMe among %s: median %.3f ms (found: %s)\n", layout, failed, found ? "yes" : "no");
        if (other.Parent(kOtherParent + std::string(suffix))) {
            failed = FailedLookup(kOtherParent + std::string(suffix), found);
            std::printf("failed FindMe among %s of another process: median %.3f ms (found: %s)\n", layout, failed,
                        found ? "yes" : "no");
        } else {
            std::printf("no sibling process\n");
        }
    }
    for (HWND parent : parents) DestroyWindow(parent);
    return 0;
}
