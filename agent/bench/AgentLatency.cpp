// Latency of a call executed inside another process: GetCount on the list
// view of KestrelTarget's list-view dialog, 200 calls, median and 95th
// percentile. Run under Wine with ./kestrel exec.
#include "RemoteCall.h"
#include "TargetProcess.h"
#include "resource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    kt::test::TargetProcess target;
    HWND dialog = target.OpenDialog(ID_CONTROLS_LISTVIEW, "List View Dialog");
    if (!dialog) {
        std::fprintf(stderr, "no list-view dialog\n");
        return 1;
    }
    HWND list = GetDlgItem(dialog, IDC_LISTVIEW);
    std::vector<double> ms;
    for (int i = 0; i < 200; ++i) {
        SSI_FunctionAPI call;
        call.m_FunctionName = "GetCount";
        call.InitParams(0);
        call.GetReturnData()->SetType(CDataInt::GetRegisteredType());
        String cls("SysListView32");
        const auto start = std::chrono::steady_clock::now();
        SquireRemoteCall(call, list, cls);
        const auto end = std::chrono::steady_clock::now();
        if (!call.m_ReturnStatus) {
            std::fprintf(stderr, "call %d failed: %s\n", i, call.m_ReturnStatus.GetStatusMessage().c_str());
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("GetCount through the agent, 200 calls: median %.2f ms, p95 %.2f ms, max %.2f ms\n", ms[100],
                ms[189], ms.back());
    return 0;
}
