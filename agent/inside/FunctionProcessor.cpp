#include "FunctionProcessor.h"

#include "ButtonHandler.h"
#include "ComboBoxHandler.h"
#include "HandlerRegistry.h"
#include "InternalErrors.h"
#include "ListBoxHandler.h"
#include "ListViewHandler.h"
#include "ResponseBound.h"
#include "ScrollBarHandler.h"
#include "StaticHandler.h"
#include "TabCtrlHandler.h"
#include "ToolbarHandler.h"
#include "TreeViewHandler.h"

#include <memory>
#include <new>

namespace {

// A prototype the registry kept belongs to it; one whose class was already
// registered (the registry survived a failed call) is released here.
template <class Handler>
void MakePrototype()
{
    std::unique_ptr<CWindowHandler> handler(new (std::nothrow) Handler());
    if (CHandlerRegistry::Instance().Holds(handler.get())) handler.release();
}

}  // namespace

CFunctionProcessor::~CFunctionProcessor() = default;

int CFunctionProcessor::InitWindows()
{
    // The registry lives as long as the process: the first call builds it,
    // and the next find the last class of the table registered already.
    if (CHandlerRegistry::Instance().GetId("ToolbarWindow32") != 0) return 1;
    MakePrototype<CTabCtrlHandler>();
    MakePrototype<CButtonHandler>();
    MakePrototype<CScrollBarHandler>();
    MakePrototype<CStaticHandler>();
    MakePrototype<CTreeViewHandler>();
    MakePrototype<CListViewHandler>();
    MakePrototype<CComboBoxHandler>();
    MakePrototype<CListBoxHandler>();
    MakePrototype<CToolbarHandler>();
    return 1;
}

void CFunctionProcessor::FunctionProcessor(SSI_FunctionAPI& call, HWND window, String& className)
{
    // Nothing may be thrown across the library boundary: running out of
    // memory in the engine's text and value types ends as an internal error.
    try {
        Run(call, window, className);
    } catch (...) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(__LINE__, kestrel::internal::kFunctionProcessor);
    }
}

void CFunctionProcessor::Run(SSI_FunctionAPI& call, HWND window, String& className)
{
    InitWindows();
    m_hWnd = window;
    std::unique_ptr<CWindowHandler> handler(CHandlerRegistry::Instance().Find(className));
    if (!handler) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kNoHandlerLine, kestrel::internal::kFunctionProcessor);
        return;
    }
    if (!handler->Attach(window)) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kNotAttachedLine, kestrel::internal::kFunctionProcessor);
        return;
    }
    handler->ProcessFunction(call);
    // A window that did not answer a message leaves no trustworthy result.
    if (handler->NotResponding()) call.m_ReturnStatus = CStatus::MakeError(squire::NotRespondingMessage(window));
    handler->Detach();
}
