#include "StaticHandler.h"

#include <new>

CStaticHandler::CStaticHandler() : CWindowHandler("Static") {}

CWindowHandler* CStaticHandler::Clone()
{
    return new (std::nothrow) CStaticHandler();
}

int CStaticHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    return CWindowHandler::ProcessFunction(call);
}
