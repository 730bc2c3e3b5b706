// The agent's hook: installed on the thread that owns a target window, it
// receives the caller's type tags and call message, runs the call on that
// thread and signals completion through words shared by every process that
// loads this library.
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

// Tries of 10 ms the agent waits for the five type tags before it gives up
// on a call. The caller posts the tags before the call message, so they are
// normally handled already; a call without them is garbage.
constexpr int kSquireTagTries = 100;

SQUIRE_ENTRY int SetSquireHook(DWORD threadId, int install);
SQUIRE_ENTRY int WaitForSync(int tries);
SQUIRE_ENTRY void ClearSquireSync();

namespace squire {

// Read-only views of the shared words, for the caller and for tests.
SQUIRE_API LONG SharedSyncFlag();
SQUIRE_API LONG SharedTagCount();
SQUIRE_API LONG SharedStateFlags();

}  // namespace squire
