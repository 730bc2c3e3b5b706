#include "SquireProtocol.h"

#include "SquireLog.h"

// Shared by every process that loads the agent: the caller's process and
// the application's see the same copy.
#define SQUIRE_SHARED __attribute__((section(".shr"), shared))

namespace squire {
namespace shared {
volatile LONG hookHandle SQUIRE_SHARED = 0;
volatile LONG tagCount SQUIRE_SHARED = 0;
volatile LONG stateFlags SQUIRE_SHARED = 0;
volatile LONG syncFlag SQUIRE_SHARED = 0;
volatile LONG callNumber SQUIRE_SHARED = 0;
}  // namespace shared

LONG SharedSyncFlag() { return shared::syncFlag; }
LONG SharedTagCount() { return shared::tagCount; }
LONG SharedStateFlags() { return shared::stateFlags; }
LONG SharedHookHandle() { return shared::hookHandle; }

}  // namespace squire

void ClearSquireSync()
{
    squire::shared::syncFlag = 0;
    squire::shared::tagCount = 0;
    squire::shared::stateFlags = 0;
}
