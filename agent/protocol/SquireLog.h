// The agent's log sink. Every progress text of the agent and of its callers
// goes through SquireLog; both entry points accept their input and discard it.
#pragma once

#include "SquireApi.h"

SQUIRE_ENTRY void SquireLog(const char* text);
SQUIRE_ENTRY void SquireClear();
