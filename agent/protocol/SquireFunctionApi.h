// The call record used on both sides of the shared block.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

class SQUIRE_API SQUIRE_FunctionAPI : public SSI_FunctionAPI {
public:
    SQUIRE_FunctionAPI() = default;
    ~SQUIRE_FunctionAPI() override;
    // Parameters read from the block stay until the record is destroyed.
    void ClearParameters() override {}
};
