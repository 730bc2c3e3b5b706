// The agent's call protocol, shared by the caller and the hook inside the
// application: the thread messages that carry the type tags and the call,
// and the words shared by every process that loads the agent (the hook's
// handle, the tags received so far, the state and the answer's flag). The
// request itself travels in the shared block (MemoryMapper.h).
#pragma once

#include "SquireApi.h"

#include <windows.h>

// Codes carried by WM_COMMAND thread messages.
constexpr WPARAM SQUIRE_CMD_CALL = 101000;
constexpr WPARAM SQUIRE_CMD_TAG_INT = 102001;
constexpr WPARAM SQUIRE_CMD_TAG_STRING = 102002;
constexpr WPARAM SQUIRE_CMD_TAG_REAL = 102003;
constexpr WPARAM SQUIRE_CMD_TAG_BOOL = 102004;
constexpr WPARAM SQUIRE_CMD_TAG_VOID = 102005;

// The caller posts the five type tags before the call message, from one
// thread, so the hook has handled them when the call arrives; a call
// without them is garbage and is dropped at once.

// Clears the answer's flag, the tag count and the state before a call.
SQUIRE_ENTRY void ClearSquireSync();

namespace squire {

// The words themselves. Only the caller's side and the hook touch them.
namespace shared {
extern volatile LONG hookHandle;
extern volatile LONG tagCount;
extern volatile LONG stateFlags;
extern volatile LONG syncFlag;
// The number of the call in progress: the caller moves it on for each call
// and again when it gives up, and the hook answers only while it still
// holds the number it started with, so that a late answer can never land
// in the block (or wake the caller) of the next call.
extern volatile LONG callNumber;
}  // namespace shared

// Read-only views of the shared words, for the caller and for tests.
SQUIRE_API LONG SharedSyncFlag();
SQUIRE_API LONG SharedTagCount();
SQUIRE_API LONG SharedStateFlags();
SQUIRE_API LONG SharedHookHandle();

}  // namespace squire
