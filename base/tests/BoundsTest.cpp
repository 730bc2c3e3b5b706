// The bounds of the toolkit's waits: a refused program start is tried again
// within its bound and no other failure is; CheckScreenshot looks its
// window up within the lookup bound; an agent call waits for its answer
// within the response bound, whatever the lookup bound.
#include "ClassWindow.h"
#include "ProcessStart.h"
#include "PackageEntry.h"
#include "TargetProcess.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// A start that Wine refuses `refusals` times, then a real start of a
// process that ends at once.
int gRefusals = 0;
int gAttempts = 0;
DWORD gFailure = ERROR_INTERNAL_ERROR;

BOOL FakeCreate(char* commandLine, const char* folder, BOOL inherit, STARTUPINFOA* startup,
                PROCESS_INFORMATION* info)
{
    ++gAttempts;
    if (gAttempts <= gRefusals) {
        SetLastError(gFailure);
        return FALSE;
    }
    return CreateProcessA(nullptr, commandLine, nullptr, nullptr, inherit, 0, nullptr, folder, startup, info);
}

bool FakeStart(int refusals, DWORD failure, int boundMs, DWORD& error)
{
    gRefusals = refusals;
    gAttempts = 0;
    gFailure = failure;
    kestrel::ProgramStart start;
    start.commandLine = "cmd.exe /c exit 0";
    start.boundMs = boundMs;
    start.create = FakeCreate;
    PROCESS_INFORMATION info{};
    error = 0;
    const bool started = kestrel::StartProgram(start, info, &error);
    if (started) {
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    return started;
}

TEST(ProgramStart, ARefusedStartIsTriedAgainWithinTheBound)
{
    DWORD error = 0;
    EXPECT_TRUE(FakeStart(2, ERROR_INTERNAL_ERROR, 5000, error));
    EXPECT_EQ(gAttempts, 3);

    // Refused every time: tries every 50 ms until the bound, then the
    // system's error.
    const DWORD start = GetTickCount();
    EXPECT_FALSE(FakeStart(1000, ERROR_INTERNAL_ERROR, 300, error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INTERNAL_ERROR));
    EXPECT_EQ(gAttempts, 7);
    EXPECT_LT(GetTickCount() - start, 3000u);

    // A program that is not there is not tried again.
    EXPECT_FALSE(FakeStart(1000, ERROR_FILE_NOT_FOUND, 5000, error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(gAttempts, 1);
}

// CheckScreenshot of a window that never appears: its lookup gives up at
// the lookup bound.
DWORD ScreenshotOfMissingWindow(double lookupSeconds, std::string& message)
{
    CDataWindow::SetLookupTimeout(lookupSeconds);
    CDataWindow missing;
    missing.windowClass = "KestrelNoSuchClass";
    missing.tag = "Never shown";
    SSI_FunctionAPI call;
    call.m_FunctionName = "CheckScreenshot";
    call.InitParams(4);
    CDataString name("never");
    CDataInt zero(0);
    CData* values[] = {&missing, &name, &zero, &zero};
    for (int i = 0; i < 4; ++i) {
        CVariable v("", values[i]->GetType());
        v.SetData(values[i]);
        int index = i;
        call.AddParameter(v, index);
    }
    const DWORD start = GetTickCount();
    StandardFunctionProcessor(call);
    const DWORD spent = GetTickCount() - start;
    message = call.m_ReturnStatus.GetStatusMessage().str();
    CDataWindow::SetLookupTimeout(5);
    return spent;
}

TEST(LookupBound, CheckScreenshotHonoursSetLookupTimeout)
{
    std::string message;
    const DWORD quick = ScreenshotOfMissingWindow(0.2, message);
    EXPECT_NE(message.find("K00100"), std::string::npos) << message;
    EXPECT_LT(quick, 2000u);
    const DWORD longer = ScreenshotOfMissingWindow(2.5, message);
    EXPECT_NE(message.find("K00100"), std::string::npos) << message;
    EXPECT_GE(longer, 2400u);
    EXPECT_LT(longer, 5000u);
}

TEST(ResponseBound, AnAgentCallAnsweredAfterSixSecondsSucceedsWhateverTheLookupBound)
{
    kt::test::TargetProcess target;
    ASSERT_NE(target.frame(), nullptr);
    HWND toolbar = FindWindowExA(target.frame(), nullptr, "ToolbarWindow32", nullptr);
    ASSERT_NE(toolbar, nullptr);
    CDataWindow prototype;
    prototype.InitData();  // the checker learns the window functions
    CDataWindow::SetDelay(0);
    ASSERT_TRUE(CDataWindow::SetLookupTimeout(0));
    // The target's thread sleeps 6 s before it looks at its queue again: the
    // agent's request waits there.
    PostMessageA(target.frame(), RegisterWindowMessageA("KestrelTarget.Busy"), 6000, 0);
    CDataWindow value;
    value.handle = static_cast<int>(reinterpret_cast<intptr_t>(toolbar));
    value.windowClass = "ToolbarWindow32";
    SSI_FunctionAPI call;
    call.m_FunctionName = "GetCount";
    call.InitParams(0);
    call.GetReturnData()->SetType(CDataInt::GetRegisteredType());
    const DWORD start = GetTickCount();
    value.SSI_FunctionProcessor(call);
    const DWORD spent = GetTickCount() - start;
    CDataWindow::SetLookupTimeout(5);
    EXPECT_TRUE(call.m_ReturnStatus.IsSuccess()) << call.m_ReturnStatus.GetStatusMessage().c_str();
    CData* count = call.GetReturnData()->GetWorkingData();
    ASSERT_NE(count, nullptr);
    EXPECT_GT(static_cast<CDataInt*>(count)->Data, 0);
    EXPECT_GE(spent, 5500u);
}

}  // namespace
