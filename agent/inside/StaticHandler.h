// CStaticHandler: static controls ("Static"). They have no functions of
// their own; every name goes to the generic window functions.
#pragma once

#include "WindowHandler.h"

class CStaticHandler : public CControlHandler<CStaticHandler> {
public:
    CStaticHandler();
};
