// The agent inside another process: KestrelTarget.exe is hooked, requests
// travel through the shared block, and garbage in the block must neither
// crash nor hang the target; a target killed in the middle of a call fails
// that call within its bound, and callers in two processes, or a caller
// beside a stream of garbage, each get their own answers.
#include "ChannelLock.h"
#include "Hook.h"
#include "SquireProtocol.h"
#include "Marshal.h"
#include "MemoryMapper.h"
#include "ProgramStart.h"
#include "RemoteCall.h"
#include "ResponseBound.h"
#include "TargetProcess.h"
#include "TypeMap.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

using kt::test::TargetProcess;

namespace {

HWND FindChildOfClass(HWND parent, const char* cls)
{
    return FindWindowExA(parent, nullptr, cls, nullptr);
}

CStatus RemoteGetCount(HWND window, const char* className, int& count)
{
    SSI_FunctionAPI call;
    call.m_FunctionName = "GetCount";
    call.InitParams(0);
    call.GetReturnData()->SetType(CDataInt::GetRegisteredType());
    String cls(className);
    SquireRemoteCall(call, window, cls);
    CData* value = call.GetReturnData()->GetWorkingData();
    count = value && value->GetType() == CDataInt::GetRegisteredType() ? static_cast<CDataInt*>(value)->Data : -1;
    return call.m_ReturnStatus;
}

// A list-view dialog of the target with two items added through the dialog.
HWND OpenListView(TargetProcess& target)
{
    HWND dialog = target.OpenDialog(ID_CONTROLS_LISTVIEW, "List View Dialog");
    if (!dialog) return nullptr;
    for (const char* text : {"alpha", "beta"}) {
        TargetProcess::SetText(dialog, IDC_LISTVIEW_EDIT, text);
        SendMessageA(GetDlgItem(dialog, IDC_LISTVIEW_ADDITEM), BM_CLICK, 0, 0);
    }
    return GetDlgItem(dialog, IDC_LISTVIEW);
}

// How many handles this process holds. WINE_DIFFERENCE: Wine does not count them
// (GetProcessHandleCount gives 0), but it hands out the lowest free slot, so
// there the value of a fresh handle grows when handles leak.
unsigned long HandleFootprint()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return count;
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const unsigned long value = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(probe));
    CloseHandle(probe);
    return value;
}

}  // namespace

TEST(AgentTargetTest, ReadsControlsInsideTheTargetAndKeepsHandlesFlat)
{
    TargetProcess target;
    ASSERT_NE(target.frame(), nullptr);
    HWND toolbar = FindChildOfClass(target.frame(), "ToolbarWindow32");
    ASSERT_NE(toolbar, nullptr);
    int count = 0;
    CStatus status = RemoteGetCount(toolbar, "ToolbarWindow32", count);
    ASSERT_TRUE(status.IsSuccess()) << status.GetStatusMessage().c_str();
    EXPECT_EQ(count, static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0)));

    HWND list = OpenListView(target);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(RemoteGetCount(list, "SysListView32", count).IsSuccess());
    EXPECT_EQ(count, 2);

    const unsigned long handlesBefore = HandleFootprint();
    const DWORD loopStart = GetTickCount();
    for (int i = 0; i < 10000; ++i) {
        ASSERT_TRUE(RemoteGetCount(list, "SysListView32", count).IsSuccess()) << "call " << i;
        ASSERT_EQ(count, 2);
    }
    const DWORD loopMs = GetTickCount() - loopStart;
    const unsigned long handlesAfter = HandleFootprint();
    std::printf("handle footprint of this process: %lu after the first calls, %lu after 10,000 more (%lu ms)\n",
                handlesBefore, handlesAfter, static_cast<unsigned long>(loopMs));
    EXPECT_LE(handlesAfter, handlesBefore);
    // No hook is left behind either: there is none to remove.
    EXPECT_EQ(SetSquireHook(GetWindowThreadProcessId(list, nullptr), 0), 0);
    EXPECT_TRUE(target.Running());
}

TEST(AgentTargetTest, DeadTargetFailsWithNotCreated)
{
    HWND frame = nullptr;
    {
        TargetProcess target;
        frame = target.frame();
    }
    int count = 0;
    CStatus status = RemoteGetCount(frame, "SysListView32", count);
    EXPECT_EQ(status.GetStatusMessage(), "Kestrel Internal Error: Squire not created. (K00300)");
}

TEST(AgentTargetTest, TargetKilledMidCallFailsWithinItsBoundAndANewTargetWorks)
{
    {
        TargetProcess target;
        HWND list = OpenListView(target);
        ASSERT_NE(list, nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(list, &process);
        HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
        ASSERT_NE(handle, nullptr);
        // The target's GUI thread is busy when the call's messages arrive
        // behind the busy one, so the call is still waiting when the target
        // is killed: once the hook is in, which the caller does under the
        // channel lock just before it posts.
        PostMessageA(target.frame(), RegisterWindowMessageA("KestrelTarget.Busy"), 30000, 0);
        std::atomic<bool> returned{false};
        std::thread killer([handle, &returned] {
            while (squire::SharedHookHandle() == 0 && !returned) SwitchToThread();
            TerminateProcess(handle, 9);
        });
        int count = 0;
        const DWORD start = GetTickCount();
        CStatus status = RemoteGetCount(list, "SysListView32", count);
        const DWORD elapsed = GetTickCount() - start;
        returned = true;  // a call that never got as far as the hook ends the killer too
        killer.join();
        WaitForSingleObject(handle, 10000);
        CloseHandle(handle);
        const std::string message = status.GetStatusMessage().c_str();
        EXPECT_TRUE(message.find("(K00300)") != std::string::npos || message.find("(K00301)") != std::string::npos)
            << message;
        EXPECT_LE(elapsed, squire::ResponseTimeoutMs() + 1000) << message;
        std::printf("the call on the killed target ended after %lu ms: %s\n", static_cast<unsigned long>(elapsed),
                    message.c_str());
    }
    TargetProcess next;
    HWND list = OpenListView(next);
    ASSERT_NE(list, nullptr);
    int count = 0;
    CStatus status = RemoteGetCount(list, "SysListView32", count);
    ASSERT_TRUE(status.IsSuccess()) << status.GetStatusMessage().c_str();
    EXPECT_EQ(count, 2);
}

namespace {

// Writes one request: a valid one, then mutated.
std::vector<unsigned char> ValidRequest(const char* className, const char* function)
{
    std::vector<unsigned char> bytes(256, 0);
    CMemoryMapper mapper;
    unsigned char* view = static_cast<unsigned char*>(mapper.MakePointer());
    CDataString cls(className);
    const int used = WriteDataObject(view, &cls);
    SSI_FunctionAPI call;
    call.m_FunctionName = function;
    call.InitParams(1);
    CVariable p("p", CDataInt::GetRegisteredType());
    int index = 0;
    call.AddParameter(p, index);
    call.GetReturnData()->SetType(CDataInt::GetRegisteredType());
    int written = 0;
    squire::WriteFunctionApiIn(view + used, view + 0x800000, &call, &written);
    bytes.assign(view, view + used + written);
    mapper.UnMap(view);
    return bytes;
}

// Waits until the agent took the call message and its thread is back in
// its message loop. A message sent to the thread is answered when it next
// looks at its queue, between two posted messages, so the thread is asked
// again and again until the call's flag is up (it goes up as the call
// starts); the answer to the next question comes after the call's end. A
// call message that never arrives is given up after 300 ms.
bool WaitUntilHandled(HWND frame)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const bool called = (squire::SharedStateFlags() & 0x01) != 0;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) return false;
        if (called || GetTickCount() - start > 300) return true;
    }
}

}  // namespace

// A caller on a thread of its own that reads a list view's count through
// the agent, again and again, until told to stop (and at least `least`
// times); counts the answers that failed or were wrong.
class SteadyCaller {
public:
    SteadyCaller(HWND list, int expected, int least)
        : m_Thread([this, list, expected, least] {
              while (!m_Stop || m_Calls < least) {
                  int count = 0;
                  if (!RemoteGetCount(list, "SysListView32", count).IsSuccess() || count != expected) ++m_Wrong;
                  ++m_Calls;
              }
          })
    {
    }
    ~SteadyCaller() { Finish(); }
    SteadyCaller(const SteadyCaller&) = delete;
    SteadyCaller& operator=(const SteadyCaller&) = delete;
    void Finish()
    {
        m_Stop = true;
        if (m_Thread.joinable()) m_Thread.join();
    }
    int Calls() const { return m_Calls; }
    int Wrong() const { return m_Wrong; }

private:
    std::atomic<bool> m_Stop{false};
    std::atomic<int> m_Calls{0};
    std::atomic<int> m_Wrong{0};
    std::thread m_Thread;
};

TEST(AgentTargetTest, GarbageRequestsNeitherCrashNorHangTheTarget)
{
    TargetProcess target;
    ASSERT_NE(target.frame(), nullptr);
    HWND toolbar = FindChildOfClass(target.frame(), "ToolbarWindow32");
    HWND list = OpenListView(target);
    ASSERT_NE(list, nullptr);
    const DWORD thread = GetWindowThreadProcessId(target.frame(), nullptr);
    for (int t : {CDataInt::GetRegisteredType(), CDataBool::GetRegisteredType(), CDataString::GetRegisteredType(),
                  CDataReal::GetRegisteredType(), CDataVoid::GetRegisteredType()})
        LocalAddMap(t, t);
    const std::vector<std::vector<unsigned char>> seeds = {ValidRequest("ToolbarWindow32", "GetCount"),
                                                           ValidRequest("SysListView32", "GetItemText"),
                                                           ValidRequest("Static", "GetText")};
    const int iterations = 10000;
    std::mt19937 random(20261209);
    CMemoryMapper mapper;
    unsigned char* view = static_cast<unsigned char*>(mapper.MakePointer());
    ASSERT_NE(view, nullptr);
    // Each garbage request is sent as a caller sends one: holding the
    // channel, with the hook installed for it. Meanwhile another caller's
    // requests arrive and wait for the channel; each of them must get its
    // own right answer.
    SteadyCaller other(list, 2, 50);
    int handled = 0;
    for (int i = 0; i < iterations; ++i) {
        squire::ChannelLock channel(10000);
        ASSERT_TRUE(channel.Owned()) << "request " << i;
        ASSERT_EQ(SetSquireHook(thread, 1), 1) << "request " << i;
        std::vector<unsigned char> request = seeds[random() % seeds.size()];
        switch (random() % 4) {
        case 0:  // flip bytes
            for (int k = 0; k < 4; ++k) request[random() % request.size()] = static_cast<unsigned char>(random());
            break;
        case 1: {  // an extreme 32-bit field somewhere
            const int32_t extremes[] = {-1, INT32_MIN, INT32_MAX, 2000000000, 0x800000, 0};
            const size_t at = (random() % (request.size() / 4)) * 4;
            std::memcpy(&request[at], &extremes[random() % 6], 4);
            break;
        }
        case 2:  // cut short, the rest of the block random
            request.resize(random() % request.size());
            while (request.size() < 64) request.push_back(static_cast<unsigned char>(random()));
            break;
        default:  // pure noise
            for (auto& b : request) b = static_cast<unsigned char>(random());
        }
        std::memcpy(view, request.data(), request.size());
        ClearSquireSync();
        // Type tags with the right numbers most of the time, wrong ones sometimes.
        const WPARAM tags[] = {SQUIRE_CMD_TAG_INT, SQUIRE_CMD_TAG_STRING, SQUIRE_CMD_TAG_BOOL, SQUIRE_CMD_TAG_REAL,
                               SQUIRE_CMD_TAG_VOID};
        const int types[] = {CDataInt::GetRegisteredType(), CDataString::GetRegisteredType(),
                             CDataBool::GetRegisteredType(), CDataReal::GetRegisteredType(),
                             CDataVoid::GetRegisteredType()};
        const bool wrongTypes = random() % 8 == 0;
        for (int k = 0; k < 5; ++k)
            PostThreadMessageA(thread, WM_COMMAND, tags[k], wrongTypes ? static_cast<LPARAM>(random()) : types[k]);
        PostThreadMessageA(thread, WM_COMMAND, SQUIRE_CMD_CALL, reinterpret_cast<LPARAM>(toolbar));
        const bool answered = WaitUntilHandled(target.frame());
        ClearSquireSync();
        SetSquireHook(thread, 0);
        ASSERT_TRUE(answered) << "target stopped answering at request " << i;
        ++handled;
    }
    other.Finish();
    mapper.UnMap(view);
    EXPECT_EQ(handled, iterations);
    std::printf("the other caller made %d calls meanwhile\n", other.Calls());
    EXPECT_EQ(other.Wrong(), 0);
    ASSERT_TRUE(target.Running());
    // A real call still works.
    int count = 0;
    CStatus status = RemoteGetCount(toolbar, "ToolbarWindow32", count);
    ASSERT_TRUE(status.IsSuccess()) << status.GetStatusMessage().c_str();
    EXPECT_EQ(count, static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0)));
}

namespace {

// The variable that turns this test program into the second caller of
// TwoCallerProcessesEachGetTheirOwnAnswers: "<window> <class> <count> <calls>".
const char* const kPeerVariable = "KESTREL_CHANNEL_PEER";

// A copy of this test program running only the peer's test, ended if it
// still runs when the test leaves.
class PeerProcess {
public:
    explicit PeerProcess(const std::string& request)
    {
        char exe[MAX_PATH];
        if (!GetModuleFileNameA(nullptr, exe, MAX_PATH)) return;
        std::string command = std::string("\"") + exe + "\" --gtest_filter=ChannelPeer.*";
        SetEnvironmentVariableA(kPeerVariable, request.c_str());
        PROCESS_INFORMATION info = {};
        if (kt::test::StartProgram(command, nullptr, info)) {
            CloseHandle(info.hThread);
            m_Process = info.hProcess;
        }
        SetEnvironmentVariableA(kPeerVariable, nullptr);
    }
    ~PeerProcess()
    {
        if (!m_Process) return;
        if (WaitForSingleObject(m_Process, 0) == WAIT_TIMEOUT) TerminateProcess(m_Process, 99);
        CloseHandle(m_Process);
    }
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;
    explicit operator bool() const { return m_Process != nullptr; }
    // The exit code, or -1 when it did not end within timeoutMs.
    long Wait(DWORD timeoutMs) const
    {
        DWORD code = 0;
        if (WaitForSingleObject(m_Process, timeoutMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(m_Process, &code))
            return -1;
        return static_cast<long>(code);
    }

private:
    HANDLE m_Process = nullptr;
};

// Calls GetCount `calls` times; the number of answers that failed or were
// not `expected`.
int WrongCounts(HWND window, const char* className, int expected, int calls)
{
    int wrong = 0;
    for (int i = 0; i < calls; ++i) {
        int count = 0;
        CStatus status = RemoteGetCount(window, className, count);
        if (!status.IsSuccess() || count != expected) {
            if (wrong == 0)
                std::printf("call %d on %s: %s, count %d\n", i, className, status.GetStatusMessage().c_str(), count);
            ++wrong;
        }
    }
    return wrong;
}

}  // namespace

// The second caller, in a process of its own; skipped when run by itself.
TEST(ChannelPeer, CallsTheTargetForItsParent)
{
    char request[256];
    if (!GetEnvironmentVariableA(kPeerVariable, request, sizeof request))
        GTEST_SKIP() << "runs only as the peer of TwoCallerProcessesEachGetTheirOwnAnswers";
    unsigned long long window = 0;
    char className[64] = {};
    int expected = 0;
    int calls = 0;
    ASSERT_EQ(std::sscanf(request, "%llu %63s %d %d", &window, className, &expected, &calls), 4);
    EXPECT_EQ(WrongCounts(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(window)), className, expected, calls), 0);
}

TEST(AgentTargetTest, TwoCallerProcessesEachGetTheirOwnAnswers)
{
    TargetProcess target;
    ASSERT_NE(target.frame(), nullptr);
    HWND toolbar = FindChildOfClass(target.frame(), "ToolbarWindow32");
    HWND list = OpenListView(target);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_NE(list, nullptr);
    const int buttons = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    // Different answers, so that one caller's answer read by the other shows.
    ASSERT_NE(buttons, 2);
    constexpr int kCalls = 1000;
    char request[128];
    std::snprintf(request, sizeof request, "%llu ToolbarWindow32 %d %d",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(toolbar)), buttons, kCalls);
    PeerProcess peer(request);
    ASSERT_TRUE(peer);
    EXPECT_EQ(WrongCounts(list, "SysListView32", 2, kCalls), 0);
    EXPECT_EQ(peer.Wait(300000), 0);
    EXPECT_TRUE(target.Running());
}
