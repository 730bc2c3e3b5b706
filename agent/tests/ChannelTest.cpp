// The agent's call channel inside one process: the names of its kernel
// objects, the lock that serialises callers (busy and abandoned), and the
// reply event's wake-up, with threads of this process as target and callers.
#include "ChannelLock.h"
#include "ChannelNames.h"
#include "MemoryMapper.h"
#include "RemoteCall.h"
#include "ReplyEvent.h"
#include "SquireProtocol.h"
#include "TargetLink.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// A thread that owns a list box with `items` rows and pumps messages until
// it is told to quit.
class ListThread {
public:
    explicit ListThread(int items)
    {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_Thread = std::thread([this, items, ready] {
            m_Window = CreateWindowExA(0, "LISTBOX", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
            for (int i = 0; i < items; ++i) SendMessageA(m_Window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            m_ThreadId = GetCurrentThreadId();
            SetEvent(ready);
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
            DestroyWindow(m_Window);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~ListThread()
    {
        PostThreadMessageA(m_ThreadId, WM_QUIT, 0, 0);
        m_Thread.join();
    }
    ListThread(const ListThread&) = delete;
    ListThread& operator=(const ListThread&) = delete;
    HWND Window() const { return m_Window; }

private:
    std::thread m_Thread;
    HWND m_Window = nullptr;
    std::atomic<DWORD> m_ThreadId{0};
};

CStatus GetCount(HWND window, const char* className, int& count, int tries = kSquireAnswerTries)
{
    SSI_FunctionAPI call;
    call.m_FunctionName = "GetCount";
    call.InitParams(0);
    call.GetReturnData()->SetType(CDataInt::GetRegisteredType());
    String cls(className);
    SquireRemoteCall(call, window, cls, tries);
    CData* value = call.GetReturnData()->GetWorkingData();
    count = value && value->GetType() == CDataInt::GetRegisteredType() ? static_cast<CDataInt*>(value)->Data : -1;
    return call.m_ReturnStatus;
}

// The channel mutex held by another thread of this process until released
// or, with `abandon`, until that thread ends without releasing it.
class OtherHolder {
public:
    explicit OtherHolder(bool abandon)
    {
        HANDLE taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_Release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_Thread = std::thread([this, taken, abandon] {
            m_Mutex = CreateMutexW(nullptr, FALSE, squire::ChannelMutexName());
            WaitForSingleObject(m_Mutex, INFINITE);
            if (abandon) {
                // Mid-call: its hook word is set when it ends.
                SetSquireHook(GetCurrentThreadId(), 1);
                SetEvent(taken);
                return;  // the thread ends owning it
            }
            SetEvent(taken);
            WaitForSingleObject(m_Release, INFINITE);
            ReleaseMutex(m_Mutex);
        });
        WaitForSingleObject(taken, 10000);
        CloseHandle(taken);
        if (abandon) Join();
    }
    ~OtherHolder()
    {
        SetEvent(m_Release);
        Join();
        CloseHandle(m_Release);
        if (m_Mutex) CloseHandle(m_Mutex);
    }
    OtherHolder(const OtherHolder&) = delete;
    OtherHolder& operator=(const OtherHolder&) = delete;

private:
    void Join()
    {
        if (m_Thread.joinable()) m_Thread.join();
    }
    std::thread m_Thread;
    HANDLE m_Release;
    // Kept open, as another caller would, so that the mutex outlives the
    // thread that abandons it.
    HANDLE m_Mutex = nullptr;
};

}  // namespace

TEST(ChannelNamesTest, EventsOfTwoTargetsDifferAndDeriveFromTheBlock)
{
    wchar_t first[128];
    wchar_t second[128];
    wchar_t otherThread[128];
    ASSERT_TRUE(squire::ReplyEventName(100, 200, first, 128));
    ASSERT_TRUE(squire::ReplyEventName(101, 200, second, 128));
    ASSERT_TRUE(squire::ReplyEventName(100, 201, otherThread, 128));
    EXPECT_STREQ(first, L"SquireMappingObject.Reply.100.200");
    EXPECT_STRNE(first, second);
    EXPECT_STRNE(first, otherThread);
    EXPECT_STREQ(squire::ChannelMutexName(), L"SquireMappingObject.Channel");
    wchar_t tiny[8];
    EXPECT_FALSE(squire::ReplyEventName(100, 200, tiny, 8));

    // Events of two targets are separate objects: setting one leaves the
    // other unset.
    squire::ReplyEvent a(squire::ReplyEvent::Create, 100, 200);
    squire::ReplyEvent b(squire::ReplyEvent::Create, 101, 200);
    squire::ReplyEvent openedA(squire::ReplyEvent::Open, 100, 200);
    ASSERT_TRUE(a && b && openedA);
    openedA.Set();
    EXPECT_EQ(WaitForSingleObject(b.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(a.Handle(), 0), WAIT_OBJECT_0);
    // With nobody to create it, the hook's side finds no event.
    squire::ReplyEvent missing(squire::ReplyEvent::Open, 102, 200);
    EXPECT_FALSE(missing);
}

TEST(TargetLinkTest, KeptForOneThreadWakesOnlyForAnAnswerAndSeesTheThreadEnd)
{
    ListThread first(1);
    ListThread second(1);
    const DWORD process = GetCurrentProcessId();
    const DWORD firstThread = GetWindowThreadProcessId(first.Window(), nullptr);
    const DWORD secondThread = GetWindowThreadProcessId(second.Window(), nullptr);

    // The link of the last thread is kept; another thread's replaces it.
    squire::TargetLink* link = squire::TargetLink::For(process, firstThread);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(squire::TargetLink::For(process, firstThread), link);
    squire::TargetLink* other = squire::TargetLink::For(process, secondThread);
    ASSERT_NE(other, nullptr);

    // A signal without an answer (a late one of a call that gave up) does
    // not end the wait; a signal with the answer does, at once.
    squire::ReplyEvent hookSide(squire::ReplyEvent::Open, process, secondThread);
    ASSERT_TRUE(hookSide);
    std::atomic<bool> answered{false};
    hookSide.Set();
    DWORD start = GetTickCount();
    EXPECT_EQ(other->Wait(200, [&] { return answered.load(); }), squire::ReplyEvent::TimedOut);
    EXPECT_GE(GetTickCount() - start, 150u);
    std::thread answer([&] {
        answered = true;
        hookSide.Set();
    });
    start = GetTickCount();
    EXPECT_EQ(other->Wait(5000, [&] { return answered.load(); }), squire::ReplyEvent::Answered);
    EXPECT_LT(GetTickCount() - start, 2000u);
    answer.join();

    // A thread that ends while a call waits for it is seen at once.
    HANDLE end = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> endingThread{0};
    std::thread ending([&] {
        endingThread = GetCurrentThreadId();
        WaitForSingleObject(end, INFINITE);
    });
    while (endingThread == 0) SwitchToThread();
    squire::TargetLink* toEnding = squire::TargetLink::For(process, endingThread);
    ASSERT_NE(toEnding, nullptr);
    SetEvent(end);
    start = GetTickCount();
    EXPECT_EQ(toEnding->Wait(10000, [] { return false; }), squire::ReplyEvent::ThreadEnded);
    EXPECT_LT(GetTickCount() - start, 5000u);
    ending.join();
    CloseHandle(end);
    squire::TargetLink::Forget();
}

TEST(ChannelLockTest, BusyWaitIsBoundedAndAbandonedLockIsTakenOverWithTheChannelReset)
{
    unsigned char* block = squire::SharedBlock(squire::BlockAccess::Create);
    ASSERT_NE(block, nullptr);
    {
        OtherHolder holder(false);
        const DWORD start = GetTickCount();
        squire::ChannelLock lock(100);
        EXPECT_EQ(lock.GetState(), squire::ChannelLock::Busy);
        EXPECT_FALSE(lock.Owned());
        EXPECT_LT(GetTickCount() - start, 2000u);
    }
    {
        squire::ChannelLock lock(100);
        EXPECT_EQ(lock.GetState(), squire::ChannelLock::Held);
    }
    // A holder that ended mid-call: a stale hook word and a half-written
    // request.
    OtherHolder dead(true);
    ASSERT_NE(squire::SharedHookHandle(), 0);
    std::memset(block, 0x5a, 64);
    {
        squire::ChannelLock lock(1000);
        EXPECT_EQ(lock.GetState(), squire::ChannelLock::TakenOver);
        EXPECT_EQ(squire::SharedHookHandle(), 0);
        EXPECT_EQ(block[0], 0);
        EXPECT_EQ(block[63], 0);
    }
    // After the take-over the channel works.
    ListThread target(4);
    int count = 0;
    CStatus status = GetCount(target.Window(), "ListBox", count);
    ASSERT_TRUE(status.IsSuccess()) << status.GetStatusMessage().c_str();
    EXPECT_EQ(count, 4);
}

TEST(ChannelLockTest, CallWaitingForABusyChannelGivesNotResponding)
{
    ListThread target(1);
    OtherHolder holder(false);
    int count = 0;
    CStatus status = GetCount(target.Window(), "ListBox", count, 1);
    const std::string message = status.GetStatusMessage().c_str();
    EXPECT_EQ(message, "The application is not responding: the agent's channel stayed busy for 1020 ms. (K00301)");
}

TEST(ChannelTest, TwoCallerThreadsGetTheirOwnAnswers)
{
    ListThread first(3);
    ListThread second(7);
    std::atomic<int> wrong{0};
    auto caller = [&wrong](HWND window, int expected) {
        for (int i = 0; i < 200; ++i) {
            int count = 0;
            if (!GetCount(window, "ListBox", count).IsSuccess() || count != expected) ++wrong;
        }
    };
    std::thread a(caller, first.Window(), 3);
    std::thread b(caller, second.Window(), 7);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(ChannelTest, TargetThreadEndingMidCallFailsAtOnceAndTheNextCallWorks)
{
    // A thread with a queue that never takes the call: it ends when told.
    HANDLE end = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> threadId{0};
    HWND window = nullptr;
    std::thread silent([&] {
        window = CreateWindowExA(0, "LISTBOX", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        threadId = GetCurrentThreadId();
        SetEvent(ready);
        WaitForSingleObject(end, INFINITE);
    });
    WaitForSingleObject(ready, 10000);
    // The caller waits with a long bound; the thread ends once the hook is in.
    std::thread ender([&] {
        while (squire::SharedHookHandle() == 0) SwitchToThread();
        SetEvent(end);
    });
    int count = 0;
    const DWORD start = GetTickCount();
    CStatus status = GetCount(window, "ListBox", count, 3000);
    const DWORD elapsed = GetTickCount() - start;
    ender.join();
    silent.join();
    CloseHandle(end);
    CloseHandle(ready);
    EXPECT_EQ(status.GetStatusMessage(), "Kestrel Internal Error: Squire not created. (K00300)");
    EXPECT_LT(elapsed, 10000u);

    ListThread live(2);
    ASSERT_TRUE(GetCount(live.Window(), "ListBox", count).IsSuccess());
    EXPECT_EQ(count, 2);
}
