// An action that stands for a user's click can find the part it clicks not
// ready yet: a tool bar button or menu item that is hidden (K01621) or
// disabled (K01622), as a window can be. Such an answer is tried again
// within the lookup bound; both sides of the agent agree on the codes.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

namespace squire {

constexpr const char* kNotVisibleCode = "K01621";
constexpr const char* kDisabledCode = "K01622";

// Whether the status is one of those answers.
SQUIRE_API bool IsNotReadyYet(const CStatus& status);

}  // namespace squire
