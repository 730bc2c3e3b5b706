#include "BarrierHook.h"

#include "BarrierProtocol.h"


namespace squire {

namespace {

// The idle request waiting for its timer, on the hooked thread.
UINT_PTR gIdleTimer = 0;
LONG gIdleNumber = 0;
int gIdleTicks = 0;

void Signal(LONG number)
{
    wchar_t name[64];
    BarrierEventName(number, name, sizeof(name) / sizeof(name[0]));
    // A caller that gave up has closed its event: nothing to signal then.
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
    if (!event) return;
    SetEvent(event);
    CloseHandle(event);
}

// Every message queued before the mark has been dispatched. Handling them
// may have posted more (a dialog that ends posts itself a message before it
// is destroyed): let those go first by queueing the mark behind them.
void Drain(LONG number, int round)
{
    const bool posted = (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) != 0;
    if (posted && round < kBarrierDrainRounds &&
        PostThreadMessageW(GetCurrentThreadId(), BarrierMessage(),
                           kBarrierDrain | (static_cast<WPARAM>(round + 1) << 8), number))
        return;
    Signal(number);
}

void HandleRequest(WPARAM request, LONG number)
{
    switch (request & 0xFF) {
    case kBarrierPosted:
        Drain(number, 0);
        break;
    case kBarrierDrain:
        Drain(number, static_cast<int>(request >> 8));
        break;
    case kBarrierIdle:
        // WM_TIMER comes only when no posted or input message is left.
        if (gIdleTimer) KillTimer(nullptr, gIdleTimer);
        gIdleNumber = number;
        gIdleTicks = 0;
        gIdleTimer = SetTimer(nullptr, 0, 0, nullptr);
        if (!gIdleTimer) Signal(number);
        break;
    case kBarrierFocus:
        SetFocus(FocusRequestWindow());
        Signal(number);
        break;
    default:
        break;
    }
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

}  // namespace

LRESULT CALLBACK BarrierHookProc(int code, WPARAM removing, LPARAM lParam)
{
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && msg && (removing & PM_REMOVE)) {
        if (msg->message == BarrierMessage() && !msg->hwnd) {
            HandleRequest(msg->wParam, static_cast<LONG>(msg->lParam));
            msg->message = WM_NULL;
        } else if (IsKeyMessage(msg->message) && msg->wParam == kBarrierKey) {
            // The release is the last event of the mark.
            const LONG number = KeyMarkNumber();
            const BYTE scan = static_cast<BYTE>((msg->lParam >> 16) & 0xFF);
            if ((msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) && scan == KeyMarkScan(number))
                Drain(number, 0);
            msg->message = WM_NULL;
        } else if (msg->message == WM_TIMER && !msg->hwnd && gIdleTimer && msg->wParam == gIdleTimer) {
            msg->message = WM_NULL;
            // Input that reached the queue after the timer was armed keeps
            // it running: the next tick comes once that input is handled.
            if ((HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) && ++gIdleTicks < kBarrierDrainRounds)
                return CallNextHookEx(nullptr, code, removing, lParam);
            KillTimer(nullptr, gIdleTimer);
            gIdleTimer = 0;
            Drain(gIdleNumber, 0);
            msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, removing, lParam);
}

}  // namespace squire
