#include "StaticHandler.h"

CStaticHandler::CStaticHandler() : CControlHandler("Static") {}
