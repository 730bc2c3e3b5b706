#include "Factory.h"

#include "FunctionApi.h"

#include <map>
#include <utility>

namespace {

struct TypeRecord {
    String name;
    CData* prototype = nullptr;
    bool initialised = false;
    std::vector<CFunctionDecl> functions;
    std::vector<std::pair<String, int>> variables;
    std::vector<std::pair<String, std::vector<CFunctionDecl>>> classes;  // for the reference
};

struct Registry {
    std::map<int, TypeRecord> types;
    int nextId = 2;  // 1 is "any"
};

// Never destroyed: prototypes belong to package libraries that may be gone
// by the time static destructors run.
Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

TypeRecord* FindRecord(int type)
{
    auto& types = TheRegistry().types;
    auto it = types.find(type);
    return it == types.end() ? nullptr : &it->second;
}

}  // namespace

int Factory_RegisterData(CData* prototype)
{
    if (!prototype) return 0;
    Registry& r = TheRegistry();
    const String name = prototype->GetTypeName();
    for (auto& entry : r.types) {
        if (!name.IsEmpty() && entry.second.name == name) {
            delete prototype;
            return entry.first;
        }
    }
    const int id = r.nextId++;
    TypeRecord& record = r.types[id];
    record.name = name;
    record.prototype = prototype;
    prototype->SetType(id);
    prototype->Register(id);
    return id;
}

CData* Factory_MakeData(int type)
{
    TypeRecord* record = FindRecord(type);
    if (!record || !record->prototype) return nullptr;
    CData* data = record->prototype->MakeData();
    if (data) data->SetType(type);
    return data;
}

void Factory_RemoveData(int type)
{
    auto& types = TheRegistry().types;
    auto it = types.find(type);
    if (it == types.end()) return;
    CData* prototype = it->second.prototype;
    types.erase(it);
    if (prototype) {
        prototype->UnRegister();
        delete prototype;
    }
}

int Factory_GetTypeByName(const String& name)
{
    for (auto& entry : TheRegistry().types)
        if (entry.second.name == name) return entry.first;
    return 0;
}

String Factory_GetTypeName(int type)
{
    if (type == LOOM_TYPE_ANY) return "any";
    TypeRecord* record = FindRecord(type);
    return record ? record->name : String();
}

bool Factory_IsRegistered(int type) { return FindRecord(type) != nullptr; }

const std::vector<CFunctionDecl>* Factory_GetMemberFunctions(int type)
{
    TypeRecord* record = FindRecord(type);
    if (!record) return nullptr;
    if (!record->initialised && record->prototype) {
        record->initialised = true;
        record->prototype->InitData();
        record = FindRecord(type);  // InitData may have changed the registry
        if (!record) return nullptr;
    }
    return &record->functions;
}

void Factory_AddMemberFunction(int type, const CFunctionDecl& decl)
{
    TypeRecord* record = FindRecord(type);
    if (!record) return;
    for (CFunctionDecl& existing : record->functions) {
        if (existing.Name == decl.Name && existing.ParamTypes == decl.ParamTypes) {
            existing = decl;
            return;
        }
    }
    record->functions.push_back(decl);
}

void Factory_AddMemberVariable(int type, const String& name, int varType)
{
    TypeRecord* record = FindRecord(type);
    if (!record) return;
    for (auto& v : record->variables)
        if (v.first == name) { v.second = varType; return; }
    record->variables.emplace_back(name, varType);
}

int Factory_GetMemberVariableType(int type, const String& name)
{
    TypeRecord* record = FindRecord(type);
    if (!record) return 0;
    for (auto& v : record->variables)
        if (v.first == name) return v.second;
    return 0;
}

std::vector<int> Factory_GetTypes()
{
    std::vector<int> types;
    for (auto& entry : TheRegistry().types) types.push_back(entry.first);
    return types;
}

std::vector<std::pair<String, int>> Factory_GetMemberVariables(int type)
{
    TypeRecord* record = FindRecord(type);
    return record ? record->variables : std::vector<std::pair<String, int>>();
}

void Factory_AddClassFunction(int type, const String& className, const CFunctionDecl& decl)
{
    TypeRecord* record = FindRecord(type);
    if (!record) return;
    for (auto& entry : record->classes) {
        if (entry.first == className) {
            entry.second.push_back(decl);
            return;
        }
    }
    record->classes.emplace_back(className, std::vector<CFunctionDecl>{decl});
}

std::vector<std::pair<String, std::vector<CFunctionDecl>>> Factory_GetClassFunctions(int type)
{
    TypeRecord* record = FindRecord(type);
    return record ? record->classes : std::vector<std::pair<String, std::vector<CFunctionDecl>>>();
}
