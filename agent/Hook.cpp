#include "Hook.h"

#include "BarrierHook.h"
#include "FunctionProcessor.h"
#include "Marshal.h"
#include "MenuFunctions.h"
#include "MemoryMapper.h"
#include "SquireFunctionApi.h"
#include "SquireLog.h"
#include "TypeMap.h"

#include <atomic>
#include <memory>

// Words shared by every process that loads the agent: the caller's process
// and the target's see the same copy.
#define SQUIRE_SHARED __attribute__((section(".shr"), shared))
volatile LONG gHookHandle SQUIRE_SHARED = 0;
volatile LONG gTagCount SQUIRE_SHARED = 0;
volatile LONG gStateFlags SQUIRE_SHARED = 0;
volatile LONG gSyncFlag SQUIRE_SHARED = 0;

namespace {

constexpr LONG kStateCalled = 0x01;

HINSTANCE gInstance = nullptr;

// Hook handles fit in 32 bits on both targets.
HHOOK HookHandle() { return reinterpret_cast<HHOOK>(static_cast<ULONG_PTR>(static_cast<ULONG>(gHookHandle))); }

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

// A view of the block, unmapped on every path out.
class BlockView {
public:
    BlockView() : m_View(static_cast<unsigned char*>(m_Mapper.GetPointer())) {}
    ~BlockView() { m_Mapper.UnMap(m_View); }
    BlockView(const BlockView&) = delete;
    BlockView& operator=(const BlockView&) = delete;
    unsigned char* Data() const { return m_View; }

private:
    CMemoryMapper m_Mapper;
    unsigned char* m_View;
};

void RunCall(HWND target)
{
    SQUIRE_FunctionAPI call;
    CVariable returnVariable;
    call.SetReturnData(&returnVariable);

    SquireLog("function call received");
    int tries = 0;
    while (gTagCount < 5) {
        if (++tries > kSquireTagTries) {
            // The tags never came: without them no type can be read.
            SquireLog("Less Data Here");
            return;
        }
        Sleep(10);
        SquireLog("Sleeping...");
    }
    SquireLog(gTagCount == 5 ? "All Data Here" : "Greater Data Here");

    std::unique_ptr<CData> className;
    {
        BlockView block;
        if (!block.Data()) {
            SquireLog("Bad aptr");
            return;
        }
        int used = 0;
        className.reset(ReadDataObject(block.Data(), &used));
        if (!className || className->GetType() != CDataString::GetRegisteredType()) {
            ShowInternalError("Squire Internal Error 1");
            return;
        }
        if (!ReadFunctionAPI(block.Data() + used, &call)) {
            ShowInternalError("Squire Internal Error 2");
            return;
        }
    }
    String name = static_cast<CDataString*>(className.get())->Data;
    if (name == SQUIRE_MENU_CLASS) {
        squire::RunMenuRequest(call, target);
    } else {
        CFunctionProcessor processor;
        processor.FunctionProcessor(call, target, name);
    }
    className.reset();
    {
        BlockView block;
        if (block.Data()) WriteFunctionAPI(block.Data(), &call);
    }
    SquireLog("Finished Proc");
    gSyncFlag = 1;
}

LRESULT CALLBACK SquireHookProc(int code, WPARAM removing, LPARAM lParam)
{
    SquireLog("Got Message");
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (!msg || code < 0 || !removing || msg->message != WM_COMMAND)
        return CallNextHookEx(HookHandle(), code, removing, lParam);
    if (msg->wParam == SQUIRE_CMD_CALL) {
        if (gStateFlags & kStateCalled) return 0;
        gStateFlags = gStateFlags | kStateCalled;
        RunCall(reinterpret_cast<HWND>(msg->lParam));
        return 0;
    }
    for (const TagInfo& tag : kTags) {
        if (msg->wParam != tag.code) continue;
        if (gStateFlags & tag.bit) break;
        SquireLog(tag.text);
        CTypeMap::Instance().Add(static_cast<int32_t>(msg->lParam), LocalTypeOf(tag.code));
        gTagCount = gTagCount + 1;
        gStateFlags = gStateFlags | tag.bit;
        return 0;
    }
    return CallNextHookEx(HookHandle(), code, removing, lParam);
}

}  // namespace

namespace squire {

HINSTANCE ModuleInstance() { return gInstance; }

LONG SharedSyncFlag() { return gSyncFlag; }
LONG SharedTagCount() { return gTagCount; }
LONG SharedStateFlags() { return gStateFlags; }

}  // namespace squire

int SetSquireHook(DWORD threadId, int install)
{
    if (install) {
        if (gHookHandle) {
            SquireLog("ghook!=null");
            return 0;
        }
        HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, SquireHookProc, gInstance, threadId);
        gHookHandle = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(hook));
        return hook ? 1 : 0;
    }
    if (!gHookHandle) return 0;
    if (!UnhookWindowsHookEx(HookHandle())) {
        String error;
        error.Format("Error: %d", static_cast<int>(GetLastError()));
        SquireLog(error.c_str());
    }
    gHookHandle = 0;
    return 1;
}

int WaitForSync(int tries)
{
    int counter = 0;
    while (gSyncFlag == 0) {
        Sleep(10);
        if (++counter > tries) return 0;
    }
    SquireLog("Synced...");
    return 1;
}

void ClearSquireSync()
{
    gSyncFlag = 0;
    gTagCount = 0;
    gStateFlags = 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        SquireLog("InitInstance SQUIRE");
        gInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
