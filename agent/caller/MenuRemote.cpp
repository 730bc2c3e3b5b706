#include "MenuRemote.h"

#include "RemoteCall.h"

void RunMenuFunctionRemote(SSI_FunctionAPI& call, HWND owner, const MenuPath& path, const String& objectName,
                           int tagNumber, const String& notFoundMessage)
{
    // The request carries the call's own parameters, then where the item is
    // and what to say when it is not there.
    SSI_FunctionAPI request;
    request.m_FunctionName = call.m_FunctionName;
    const int own = call.GetNumParams();
    request.InitParams(own + squire::kMenuRequestParams);
    for (int i = 0; i < own; ++i) {
        int index = i;
        if (call[i]) request.AddParameter(*call[i], index);
    }
    CDataString positions(squire::EncodePositions(path.submenus));
    CDataInt item(path.item);
    CDataString objectText(objectName);
    CDataInt tag(tagNumber);
    CDataString notFound(notFoundMessage);
    squire::AddMenuParam(request, own, positions);
    squire::AddMenuParam(request, own + 1, item);
    squire::AddMenuParam(request, own + 2, objectText);
    squire::AddMenuParam(request, own + 3, tag);
    squire::AddMenuParam(request, own + 4, notFound);
    CVariable* result = call.GetReturnData();
    if (result && result->GetType()) request.GetReturnData()->SetType(result->GetType());
    String cls(SQUIRE_MENU_CLASS);
    SquireRemoteCall(request, owner, cls);
    call.m_ReturnStatus = request.m_ReturnStatus;
    CVariable* answer = request.GetReturnData();
    if (answer && answer->GetWorkingData() && answer->GetType() != CDataVoid::GetRegisteredType())
        call.SetReturnData(answer);
}
