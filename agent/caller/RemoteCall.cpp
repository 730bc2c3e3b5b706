#include "RemoteCall.h"

#include "ChannelLock.h"
#include "Hook.h"
#include "ReplyEvent.h"
#include "SquireProtocol.h"
#include "Marshal.h"
#include "MemoryMapper.h"
#include "ResponseBound.h"
#include "SquireFunctionApi.h"
#include "SquireLog.h"
#include "TargetLink.h"
#include "TypeMap.h"

namespace {

const char* const kNotCreated = "Kestrel Internal Error: Squire not created. (K00300)";
const char* const kNotSynchronised = "Kestrel Internal Error: Squire not synchronized. (K00301)";
// No answer in time: the application's thread did not get to the call.
const char* const kNotAnswering = "The application is not responding: window '%s' (class '%s') did not answer within %lu ms. (K00301)";
// Another caller kept the channel for longer than any call may take.
const char* const kChannelBusy = "The application is not responding: the agent's channel stayed busy for %lu ms. (K00301)";
const char* const kTooLarge = "Kestrel Internal Error: Squire request does not fit the shared block. (K00302)";

// The hook on the target thread, removed on every path out.
class HookGuard {
public:
    explicit HookGuard(DWORD thread) : m_Thread(thread), m_Installed(SetSquireHook(thread, 1) != 0) {}
    ~HookGuard()
    {
        if (m_Installed) SetSquireHook(m_Thread, 0);
    }
    HookGuard(const HookGuard&) = delete;
    HookGuard& operator=(const HookGuard&) = delete;
    bool Installed() const { return m_Installed; }

private:
    DWORD m_Thread;
    bool m_Installed;
};

void PostTag(DWORD thread, WPARAM code, int type)
{
    PostThreadMessageA(thread, WM_COMMAND, code, static_cast<LPARAM>(type));
}

}  // namespace

int SetSquireHook(DWORD threadId, int install)
{
    volatile LONG& handle = squire::shared::hookHandle;
    // Hook handles fit in 32 bits on both targets.
    HHOOK held = reinterpret_cast<HHOOK>(static_cast<ULONG_PTR>(static_cast<ULONG>(handle)));
    if (install) {
        if (held) {
            SquireLog("ghook!=null");
            return 0;
        }
        HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, squire::SquireHookProc, squire::ModuleInstance(), threadId);
        handle = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(hook));
        return hook ? 1 : 0;
    }
    if (!held) return 0;
    if (!UnhookWindowsHookEx(held)) {
        String error;
        error.Format("Error: %d", static_cast<int>(GetLastError()));
        SquireLog(error.c_str());
    }
    handle = 0;
    return 1;
}

void SquireRemoteCall(SSI_FunctionAPI& call, HWND window, String& className, int tries)
{
    if (tries < 0) tries = static_cast<int>(squire::ResponseTimeoutMs() / 10) + 1;
    const int intType = CDataInt::GetRegisteredType();
    const int boolType = CDataBool::GetRegisteredType();
    const int stringType = CDataString::GetRegisteredType();
    const int realType = CDataReal::GetRegisteredType();
    const int voidType = CDataVoid::GetRegisteredType();
    for (int t : {intType, boolType, stringType, realType, voidType}) LocalAddMap(t, t);

    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    // The channel is ours from before the hook is installed until after it
    // is removed: the lock is made first, so it is released last. A holder
    // keeps it for at most one bound (its own wait) and the hook's set-up,
    // so twice the bound is enough unless the holder itself is stuck.
    const DWORD waitMs = static_cast<DWORD>(tries) * 10ul;
    const DWORD lockMs = 2 * waitMs + 1000;
    squire::ChannelLock lock(lockMs);
    if (!lock.Owned()) {
        call.m_ReturnStatus = CStatus::MakeError(String::Printf(kChannelBusy, static_cast<unsigned long>(lockMs)));
        return;
    }
    HookGuard hook(thread);
    unsigned char* block = squire::SharedBlock(squire::BlockAccess::Create);
    if (!hook.Installed() || thread == 0) {
        call.m_ReturnStatus = CStatus::MakeError(kNotCreated);
        return;
    }
    squire::TargetLink* link = squire::TargetLink::For(process, thread);
    if (!block || !link) {
        call.m_ReturnStatus = CStatus::MakeError(kNotSynchronised);
        return;
    }
    // A function without a result still carries a value in its record.
    if (call.GetReturnData() && !call.GetReturnData()->GetWorkingData()) call.GetReturnData()->SetType(voidType);
    CDataString name(className);
    const int used = WriteDataObject(block, &name);
    if (used == 0 || !WriteFunctionAPI(block + used, &call)) {
        call.m_ReturnStatus = CStatus::MakeError(kTooLarge);
        return;
    }
    ClearSquireSync();
    InterlockedIncrement(&squire::shared::callNumber);
    SquireLog("--- Sending Tags...");
    PostTag(thread, SQUIRE_CMD_TAG_INT, intType);
    PostTag(thread, SQUIRE_CMD_TAG_STRING, stringType);
    PostTag(thread, SQUIRE_CMD_TAG_BOOL, boolType);
    PostTag(thread, SQUIRE_CMD_TAG_REAL, realType);
    PostTag(thread, SQUIRE_CMD_TAG_VOID, voidType);
    PostThreadMessageA(thread, WM_COMMAND, SQUIRE_CMD_CALL, reinterpret_cast<LPARAM>(window));

    const squire::ReplyEvent::WaitResult waited =
        link->Wait(waitMs, [] { return squire::shared::syncFlag != 0; });
    if (waited == squire::ReplyEvent::Answered) {
        SquireLog("Attempting Read");
        SQUIRE_FunctionAPI answer;
        if (ReadFunctionAPI(block, &answer)) {
            call.m_ReturnStatus = answer.m_ReturnStatus;
            call.SetReturnData(answer.GetReturnData());
        } else {
            call.m_ReturnStatus = CStatus::MakeError(kNotSynchronised);
        }
    } else if (waited == squire::ReplyEvent::ThreadEnded) {
        SquireLog("Target thread ended");
        squire::TargetLink::Forget();
        call.m_ReturnStatus = CStatus::MakeError(kNotCreated);
    } else {
        SquireLog("No Sync Flag");
        call.m_ReturnStatus = CStatus::MakeError(String::Printf(kNotAnswering, squire::StoredWindowText(window).c_str(),
                                                                className.c_str(),
                                                                static_cast<unsigned long>(waitMs)));
    }
    // An answer still to come belongs to no call any more.
    InterlockedIncrement(&squire::shared::callNumber);
    ClearSquireSync();
}
