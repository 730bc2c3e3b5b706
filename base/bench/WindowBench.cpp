// Benchmark (not a test) of window functions with no delay: median time of
// GetText on an edit control of KestrelTarget, of IsChecked on its check
// box (both through the dispatcher: lookup, checker, control processor),
// and of one failed lookup among 1,000 sibling windows.
#include "ClassWindow.h"
#include "DescribeControl.h"
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

}  // namespace

int main()
{
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
    HWND parent = CreateWindowExA(0, "STATIC", "bench parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    for (int i = 0; i < 1000; ++i)
        CreateWindowExA(0, "BUTTON", std::to_string(i).c_str(), WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr,
                        nullptr);
    CDataWindow top, missing;
    top.windowClass = "Static";
    top.tag = "bench parent";
    missing.windowClass = "Button";
    missing.tag = "no such text*";
    top.ConstructChildPath(&missing);
    bool found = true;
    double failed = Median([&] {
        unsigned id = 0;
        HMENU menu = nullptr;
        found = missing.FindMe(id, menu).IsSuccess();
    }, 200);
    std::printf("failed FindMe among 1,000 sibling windows: median %.3f ms (found: %s)\n", failed,
                found ? "yes" : "no");
    DestroyWindow(parent);
    return 0;
}
