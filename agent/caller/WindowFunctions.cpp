#include "WindowFunctions.h"

#include "FunctionProcessor.h"
#include "HandlerRegistry.h"
#include "MenuFunctions.h"
#include "MenuRemote.h"
#include "RemoteCall.h"
#include "WindowHandler.h"

namespace squire {

namespace {

// The registry of this process, with every handler of the table.
CHandlerRegistry& Registry()
{
    CFunctionProcessor().InitWindows();
    return CHandlerRegistry::Instance();
}

void AddRows(std::vector<WindowFunction>& list, const String& windowClass, const CWindowHandler::RowList& rows)
{
    for (const CWindowHandler::Row& row : rows)
        list.push_back(WindowFunction{windowClass, row.name, row.params, row.result, row.where, row.effect});
}

// The row the call would run on a window of className, copied (the
// handler that holds it lives for this lookup only); a row that reads in
// this process when no row has the name.
CWindowHandler::Row RowOf(SSI_FunctionAPI& call, const String& className)
{
    std::unique_ptr<CWindowHandler> handler(Registry().Find(className));
    const CWindowHandler::Row* row = handler ? handler->RowFor(call) : nullptr;
    return row ? *row : CWindowHandler::Row{"", "", 0, nullptr};
}

}  // namespace

std::vector<WindowFunction> WindowFunctions()
{
    std::vector<WindowFunction> list;
    AddRows(list, "MainWin", CWindowHandler::GenericRows());
    for (const CWindowHandler* prototype : Registry().Prototypes())
        AddRows(list, prototype->GetHandlerClassName(), prototype->OwnRows());
    size_t count = 0;
    const MenuRow* rows = MenuRows(count);
    for (const char* menuClass : {"MenuItem", "Menu"}) {
        for (size_t i = 0; i < count; ++i)
            list.push_back(WindowFunction{menuClass, rows[i].name, rows[i].params, rows[i].result, rows[i].where,
                                          rows[i].effect});
    }
    return list;
}

loom::Effect EffectOf(SSI_FunctionAPI& call, const String& className)
{
    return RowOf(call, className).effect;
}

loom::Effect MenuEffectOf(SSI_FunctionAPI& call)
{
    size_t count = 0;
    const MenuRow* rows = MenuRows(count);
    const MenuRow* row = loom::FindRow(rows, count, call);
    return row ? row->effect : loom::Effect::Reads;
}

loom::Effect CallWindowFunction(SSI_FunctionAPI& call, HWND window, const String& className)
{
    String name = className;
    const CWindowHandler::Row row = RowOf(call, className);
    if (row.where == loom::RunsIn::Application)
        SquireRemoteCall(call, window, name);
    else
        CFunctionProcessor().FunctionProcessor(call, window, name);
    return row.effect;
}

loom::Effect CallMenuFunction(SSI_FunctionAPI& call, const MenuObject& object)
{
    const loom::Effect effect = MenuEffectOf(call);
    if (object.remote) {
        RunMenuFunctionRemote(call, object.owner, object.path, object.objectName, object.tagNumber, object.notFound);
        return effect;
    }
    MenuItemRef item;
    item.owner = object.owner;
    item.menu = object.menu;
    item.itemId = object.itemId;
    item.position = object.path.item;
    item.popupPosition = object.path.submenus.empty() ? -1 : object.path.submenus.back();
    item.objectName = object.objectName;
    item.tagNumber = object.tagNumber;
    RunMenuFunction(call, item);
    return effect;
}

}  // namespace squire
