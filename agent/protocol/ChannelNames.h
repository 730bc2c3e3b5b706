// Names of the kernel objects that pace the agent's call channel. They are
// derived from the shared block's name, so that every process that maps the
// block agrees on them without talking:
//   - the reply event of one target thread, which the hook sets once the
//     answer is in the block: "<block>.Reply.<process>.<thread>", so that
//     two targets (or two threads of one) never share an event;
//   - the channel mutex, which one caller holds from writing its request to
//     reading its reply: "<block>.Channel".
#pragma once

#include "SquireApi.h"

#include <windows.h>

#include <cstddef>

namespace squire {

// Writes the reply event's name for the given target thread; false when
// `size` is too small.
SQUIRE_API bool ReplyEventName(DWORD process, DWORD thread, wchar_t* name, size_t size);

// The channel mutex's name.
SQUIRE_API const wchar_t* ChannelMutexName();

}  // namespace squire
