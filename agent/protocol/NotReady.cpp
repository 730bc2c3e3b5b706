#include "NotReady.h"

namespace squire {

bool IsNotReadyYet(const CStatus& status)
{
    if (!status.IsError()) return false;
    const String& message = status.GetStatusMessage();
    for (const char* code : {kNotVisibleCode, kDisabledCode}) {
        if (message.Find(String::Printf("(%s)", code)) >= 0) return true;
    }
    return false;
}

}  // namespace squire
