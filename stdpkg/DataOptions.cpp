#include "DataOptions.h"

#include "CallValues.h"
#include "TypeRegistration.h"

#include <initializer_list>

int CDataOptions::sType = 0;

using loom::ReadInt;
using loom::ReadString;

CDataOptions::CDataOptions() { LOOM_REGISTER_ON_FIRST_USE(CDataOptions, "options"); }

CDataOptions::CDataOptions(const CDataOptions& other) = default;
CDataOptions& CDataOptions::operator=(const CDataOptions& other)
{
    // CData's assignment takes a non-const reference: copy the fields here.
    SetType(other.GetType());
    SetTypeName(other.GetTypeName());
    m_Store = other.m_Store;
    return *this;
}
CDataOptions::~CDataOptions() = default;

LOOM_DEFINE_VALUE_TYPE(CDataOptions)

CData* CDataOptions::operator_equal(CData* other, OpInfoT*)
{
    if (!other || other->GetType() != GetType()) return nullptr;
    m_Store = static_cast<CDataOptions*>(other)->m_Store;
    return this;
}

bool CDataOptions::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    m_Store = static_cast<CDataOptions*>(other)->m_Store;
    return true;
}

bool CDataOptions::DataFromString(const String&) { return false; }

String CDataOptions::GetString() { return String::Printf("%d Keys", m_Store.GetCount()); }

int CDataOptions::SizeOf() { return 0; }

CStatus CDataOptions::SSI_UpdateVariable(CVariable&, char) { return CStatus(); }

CStatus CDataOptions::InitData()
{
    const int intType = CDataInt::GetRegisteredType();
    const int stringType = CDataString::GetRegisteredType();
    const int boolType = CDataBool::GetRegisteredType();
    const int voidType = CDataVoid::GetRegisteredType();
    struct Row {
        const char* name;
        std::initializer_list<int> params;
        int result;
    };
    const Row rows[] = {
        {"Load", {stringType}, intType},
        {"Save", {stringType}, intType},
        {"GetOption", {stringType}, stringType},
        {"SetOption", {stringType, stringType}, voidType},
        {"AddOption", {stringType, stringType}, intType},
        {"GetCount", {}, intType},
        {"List", {}, stringType},
        {"Clear", {}, 0},
        {"SetToken", {stringType}, voidType},
        {"SetComment", {stringType}, voidType},
        {"GetKey", {intType}, stringType},
        {"HasKey", {stringType}, boolType},
    };
    CFunctionDecl decl;
    for (const Row& row : rows) {
        decl.Clear();
        decl.SetName(row.name);
        if (row.result) decl.SetReturnType(row.result);
        for (int type : row.params) decl.addType(type, "");
        decl.SetProcessor(this);
        AddFunction(decl);
    }
    return CStatus();
}

void CDataOptions::LoadOrSave(SSI_FunctionAPI& call, bool save)
{
    String path;
    if (!ReadString(call, 0, path)) return;
    call.m_ReturnStatus = loom::ResolveScriptPath(call, path);
    if (!call.m_ReturnStatus) return;
    CDataInt result(save ? m_Store.SaveToFile(path.c_str()) : m_Store.LoadFromFile(path.c_str()));
    call.m_ReturnStatus = call.SetReturnData(&result);
}

void CDataOptions::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "Load") {
        LoadOrSave(call, false);
    } else if (name == "Save") {
        LoadOrSave(call, true);
    } else if (name == "GetOption") {
        String key, value;
        if (!ReadString(call, 0, key)) return;
        if (!m_Store.GetOption(key, value)) {
            call.m_ReturnStatus.Format(CStatus::Error, "Option '%s' not found. (5124)", key.c_str());
            return;
        }
        CDataString result(value);
        call.m_ReturnStatus = call.SetReturnData(&result);
    } else if (name == "SetOption") {
        String key, value;
        if (!ReadString(call, 0, key) || !ReadString(call, 1, value)) return;
        if (!m_Store.HasKey(key)) {
            call.m_ReturnStatus.Format(CStatus::Error, "Option '%s' not found. (5125)", key.c_str());
            return;
        }
        if (m_Store.SetOption(key, value)) call.m_ReturnStatus = CStatus();
    } else if (name == "AddOption") {
        String key, value;
        if (!ReadString(call, 0, key) || !ReadString(call, 1, value)) return;
        CDataInt result(m_Store.AddOption(key, value));
        call.m_ReturnStatus = call.SetReturnData(&result);
    } else if (name == "GetCount") {
        CDataInt result(m_Store.GetCount());
        call.m_ReturnStatus = call.SetReturnData(&result);
    } else if (name == "List") {
        CDataString result(m_Store.List());
        call.m_ReturnStatus = call.SetReturnData(&result);
    } else if (name == "Clear") {
        m_Store.Clear();
        call.m_ReturnStatus = CStatus();
    } else if (name == "SetToken" || name == "SetComment") {
        const bool token = name == "SetToken";
        String text;
        if (!ReadString(call, 0, text)) return;
        if (text.GetLength() != 1) {
            const int state = CStatus::MakeDefaultError(__LINE__, "DataOptions").GetState();
            call.m_ReturnStatus = CStatus(state,
                                          token ? "Token must be a single character. (5121)"
                                                : "Comment indicator must be a single character. (5122)",
                                          1);
            return;
        }
        if (token) m_Store.SetToken(text.c_str());
        else m_Store.SetComment(text.c_str());
        call.m_ReturnStatus = CStatus();
    } else if (name == "HasKey") {
        String key;
        if (!ReadString(call, 0, key)) return;
        CDataBool result(m_Store.HasKey(key));
        call.m_ReturnStatus = call.SetReturnData(&result);
    } else if (name == "GetKey") {
        int index = 0;
        if (!ReadInt(call, 0, index)) return;
        String key;
        if (!m_Store.GetKey(index, key)) {
            call.m_ReturnStatus.Format(CStatus::Error, "Option index '%d' not found. (5123)", index);
            return;
        }
        CDataString result(key);
        call.m_ReturnStatus = call.SetReturnData(&result);
    }
}
