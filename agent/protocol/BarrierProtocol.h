// What the caller and the barrier hook inside the application agree on.
//
// A barrier tells the caller when the thread of an application has taken
// everything sent to it. The caller installs the barrier hook (a
// WH_GETMESSAGE hook of this library) on the thread, writes the request's
// number into the words shared by every process that loads this library,
// makes a named event for that number, and then sends one of these marks
// behind what it sent before:
//   - a key press and release of a virtual key no keyboard has, for input
//     typed or clicked into the thread that owns the keyboard focus: it is
//     queued behind that input in the same hardware queue;
//   - a posted registered message, for posted commands: it is queued behind
//     the command among the posted messages;
//   - a posted request to wait until the thread's input is drained, for a
//     click on a thread that does not own the focus: the hook arms a
//     zero-delay thread timer, and WM_TIMER is retrieved only once no posted
//     or input message is left.
// When the hook retrieves the mark, every message before it has been
// dispatched. It then lets the thread drain the posted messages that
// handling caused (re-posting the mark behind them, a bounded number of
// times) and sets the event.
#pragma once

#include <windows.h>

namespace squire {

// Virtual key 0xE8 is unassigned on every keyboard; the hook swallows it.
constexpr BYTE kBarrierKey = 0xE8;

// wParam of the registered barrier message.
enum BarrierRequest : WPARAM {
    kBarrierPosted = 1,  // mark behind posted messages
    kBarrierIdle = 2,    // wait until input and posted messages are gone
    kBarrierDrain = 3,   // re-posted mark: drain once more
    kBarrierFocus = 4,   // give the keyboard focus to the shared window
};

// Times the mark is re-posted behind messages the application keeps posting.
constexpr int kBarrierDrainRounds = 64;

// The registered message that carries a request (lParam: its number).
UINT BarrierMessage();

// Name of the event of request `number`.
void BarrierEventName(LONG number, wchar_t* name, size_t size);

// A new request number, unique among every process that loads the agent.
LONG NextBarrierNumber();
// The number that the next key mark stands for.
void SetKeyMarkNumber(LONG number);
LONG KeyMarkNumber();
// The window that a focus request gives the focus to.
void SetFocusRequestWindow(HWND window);
HWND FocusRequestWindow();
// The scan code that the key mark of request `number` carries (1..128).
BYTE KeyMarkScan(LONG number);

}  // namespace squire
