// Benchmark (not a test) of the actions that wait for the application:
// median time of TypeKeys("a") into an edit of KestrelTarget, of a
// MouseClick on that edit and of Click on a check box, each through the
// dispatcher with no delay (lookup, checks before the input, the input,
// and the wait until the target has taken it).
//   ./kestrel exec wine build/win64/bin/base_bench_input.exe
#include "ClassWindow.h"
#include "DescribeControl.h"
#include "TargetProcess.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Median milliseconds of `rounds` calls of `function` with the given
// parameters; `last` gets the last call's status message.
double CallMedian(CDataWindow& window, const char* function, const std::vector<CData*>& parameters, int rounds,
                  std::string& last)
{
    LARGE_INTEGER frequency, a, b;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        SSI_FunctionAPI call;
        call.m_FunctionName = function;
        call.InitParams(static_cast<int>(parameters.size()));
        for (size_t p = 0; p < parameters.size(); ++p) {
            CVariable value("", parameters[p]->GetType());
            value.SetData(parameters[p]);
            int index = static_cast<int>(p);
            call.AddParameter(value, index);
        }
        call.GetReturnData()->SetType(CDataVoid::GetRegisteredType());
        QueryPerformanceCounter(&a);
        window.SSI_FunctionProcessor(call);
        QueryPerformanceCounter(&b);
        last = call.m_ReturnStatus.GetStatusMessage().str();
        ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main()
{
    CDataWindow prototype;
    prototype.InitData();  // the checker learns the window functions
    CDataWindow::SetDelay(0);
    const int rounds = 200;
    kt::test::TargetProcess target("");
    std::string last;
    {
        HWND edit = target.OpenDialog(32815, "Edit Dialog");
        CDataWindow dialog, shortEdit;
        Describe(dialog, "Edit Dialog", shortEdit, "Edit", 2);
        CDataString key("a");
        double typeKeys = edit ? CallMedian(shortEdit, "TypeKeys", {&key}, rounds, last) : -1;
        std::printf("TypeKeys(\"a\") into an edit of the target: median %.3f ms (%d calls, status '%s')\n", typeKeys,
                    rounds, last.c_str());
        CDataInt zero(0), three(3);
        double click = edit ? CallMedian(shortEdit, "MouseClick", {&zero, &three, &three, &zero}, rounds, last) : -1;
        std::printf("MouseClick(0, 3, 3, 0) on that edit: median %.3f ms (%d calls, status '%s')\n", click, rounds,
                    last.c_str());
        kt::test::TargetProcess::Cancel(edit);
    }
    {
        HWND checks = target.OpenDialog(32778, "Check Box Dialog");
        CDataWindow dialog, checkBox;
        Describe(dialog, "Check Box Dialog", checkBox, "Button", 0, "CheckBox");
        double click = checks ? CallMedian(checkBox, "Click", {}, rounds, last) : -1;
        std::printf("Click() on a check box of the target: median %.3f ms (%d calls, status '%s')\n", click, rounds,
                    last.c_str());
        kt::test::TargetProcess::Cancel(checks);
    }
    return 0;
}
