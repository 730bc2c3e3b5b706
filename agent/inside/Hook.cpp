#include "Hook.h"

#include "FunctionProcessor.h"
#include "Marshal.h"
#include "MenuFunctions.h"
#include "MemoryMapper.h"
#include "ReplyEvent.h"
#include "SquireFunctionApi.h"
#include "SquireProtocol.h"
#include "SquireLog.h"
#include "TypeMap.h"

#include <atomic>
#include <memory>
#include <mutex>

using squire::shared::stateFlags;
using squire::shared::syncFlag;
using squire::shared::tagCount;

namespace {

constexpr LONG kStateCalled = 0x01;

HINSTANCE gInstance = nullptr;

struct TagInfo {
    WPARAM code;
    LONG bit;
    const char* text;
};

const TagInfo kTags[] = {
    {SQUIRE_CMD_TAG_INT, 0x02, "int type received"},
    {SQUIRE_CMD_TAG_STRING, 0x04, "string type received"},
    {SQUIRE_CMD_TAG_REAL, 0x08, "real type received"},
    {SQUIRE_CMD_TAG_BOOL, 0x20, "bool type received"},
    {SQUIRE_CMD_TAG_VOID, 0x10, "void type received"},
};

int LocalTypeOf(WPARAM code)
{
    switch (code) {
    case SQUIRE_CMD_TAG_INT: { CDataInt d; return d.GetType(); }
    case SQUIRE_CMD_TAG_STRING: { CDataString d; return d.GetType(); }
    case SQUIRE_CMD_TAG_REAL: { CDataReal d; return d.GetType(); }
    case SQUIRE_CMD_TAG_BOOL: { CDataBool d; return d.GetType(); }
    default: { CDataVoid d; return d.GetType(); }
    }
}

// The agent reports a request it cannot read in a message box. The box runs
// on a thread of its own, so that the target's GUI thread never waits for
// somebody to close it, and only one is shown at a time, so that garbage
// written into the block cannot flood the screen.
std::atomic<bool> gErrorBoxShown{false};

DWORD WINAPI ErrorBoxThread(LPVOID caption)
{
    MessageBoxA(nullptr, "Kestrel Error", static_cast<const char*>(caption), MB_OK);
    gErrorBoxShown = false;
    // The thread holds a reference to this library until it is done.
    FreeLibraryAndExitThread(gInstance, 0);
    return 0;
}

void ShowInternalError(const char* caption)
{
    bool expected = false;
    if (!gErrorBoxShown.compare_exchange_strong(expected, true)) return;
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&ShowInternalError),
                            &self)) {
        gErrorBoxShown = false;
        return;
    }
    HANDLE thread = CreateThread(nullptr, 0, ErrorBoxThread, const_cast<char*>(caption), 0, nullptr);
    if (thread) CloseHandle(thread);
    else {
        FreeLibrary(self);
        gErrorBoxShown = false;
    }
}

// Sets the reply event of this thread (ReplyEvent.h). The event is opened
// on the first answer of a thread and kept for the next ones; one thread's
// at a time, so that the handles of this process stay few.
void SignalReply()
{
    static std::mutex guard;
    static DWORD thread = 0;
    static std::unique_ptr<squire::ReplyEvent> reply;
    std::lock_guard<std::mutex> lock(guard);
    const DWORD self = GetCurrentThreadId();
    if (!reply || !*reply || thread != self) {
        reply.reset(new squire::ReplyEvent(squire::ReplyEvent::Open, GetCurrentProcessId(), self));
        thread = self;
    }
    reply->Set();
}

void RunCall(HWND target)
{
    SQUIRE_FunctionAPI call;
    CVariable returnVariable;
    call.SetReturnData(&returnVariable);

    SquireLog("function call received");
    // The caller posts the tags ahead of the call from one thread, so they
    // have been handled by now; without them no type can be read.
    if (tagCount < 5) {
        SquireLog("Less Data Here");
        return;
    }
    SquireLog(tagCount == 5 ? "All Data Here" : "Greater Data Here");
    const LONG number = squire::shared::callNumber;

    // The block stays mapped in this process from the first call on.
    unsigned char* block = squire::SharedBlock(squire::BlockAccess::Open);
    if (!block) {
        SquireLog("Bad aptr");
        return;
    }
    int used = 0;
    std::unique_ptr<CData> className(ReadDataObject(block, &used));
    if (!className || className->GetType() != CDataString::GetRegisteredType()) {
        ShowInternalError("Squire Internal Error 1");
        return;
    }
    if (!ReadFunctionAPI(block + used, &call)) {
        ShowInternalError("Squire Internal Error 2");
        return;
    }
    String name = static_cast<CDataString*>(className.get())->Data;
    if (name == SQUIRE_MENU_CLASS) {
        squire::RunMenuRequest(call, target);
    } else {
        CFunctionProcessor processor;
        processor.FunctionProcessor(call, target, name);
    }
    className.reset();
    // A caller that gave up has moved the number on: its block may hold the
    // next request by now.
    if (squire::shared::callNumber != number) {
        SquireLog("Late answer dropped");
        return;
    }
    WriteFunctionAPI(block, &call);
    SquireLog("Finished Proc");
    syncFlag = 1;
    SignalReply();
}

}  // namespace

namespace squire {

LRESULT CALLBACK SquireHookProc(int code, WPARAM removing, LPARAM lParam)
{
    SquireLog("Got Message");
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (!msg || code < 0 || !removing || msg->message != WM_COMMAND)
        return CallNextHookEx(nullptr, code, removing, lParam);
    if (msg->wParam == SQUIRE_CMD_CALL) {
        if (stateFlags & kStateCalled) return 0;
        stateFlags = stateFlags | kStateCalled;
        RunCall(reinterpret_cast<HWND>(msg->lParam));
        return 0;
    }
    for (const TagInfo& tag : kTags) {
        if (msg->wParam != tag.code) continue;
        if (stateFlags & tag.bit) break;
        SquireLog(tag.text);
        CTypeMap::Instance().Add(static_cast<int32_t>(msg->lParam), LocalTypeOf(tag.code));
        tagCount = tagCount + 1;
        stateFlags = stateFlags | tag.bit;
        return 0;
    }
    return CallNextHookEx(nullptr, code, removing, lParam);
}

HINSTANCE ModuleInstance() { return gInstance; }

}  // namespace squire

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        SquireLog("InitInstance SQUIRE");
        gInstance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded while the process goes on: give back the block's view.
        squire::ReleaseSharedBlock();
    }
    return TRUE;
}
