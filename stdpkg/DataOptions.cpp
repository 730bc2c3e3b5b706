#include "DataOptions.h"

#include "CallValues.h"
#include "TypeRegistration.h"


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
    return loom::AddMemberRows(*this);
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

// SetToken and SetComment: a single character.
void CDataOptions::SetMark(SSI_FunctionAPI& call, bool token)
{
    String text;
    if (!ReadString(call, 0, text)) return;
    if (text.GetLength() != 1) {
        call.m_ReturnStatus = CStatus::MakeError(token ? "Token must be a single character. (5121)"
                                                       : "Comment indicator must be a single character. (5122)");
        return;
    }
    if (token) m_Store.SetToken(text.c_str());
    else m_Store.SetComment(text.c_str());
}

const loom::MemberRow<CDataOptions>* CDataOptions::Rows(size_t& count)
{
    using O = CDataOptions;
    using A = SSI_FunctionAPI;
    static const loom::MemberRow<CDataOptions> kRows[] = {
        {"Load", "s", 'i', [](O& o, A& c) { o.LoadOrSave(c, false); }},
        {"Save", "s", 'i', [](O& o, A& c) { o.LoadOrSave(c, true); }},
        {"GetOption", "s", 's',
         [](O& o, A& c) {
             String key, value;
             if (!ReadString(c, 0, key)) return;
             if (!o.m_Store.GetOption(key, value)) {
                 c.m_ReturnStatus.Format(CStatus::Error, "Option '%s' not found. (5124)", key.c_str());
                 return;
             }
             loom::ReturnString(c, value);
         }},
        {"SetOption", "ss", 'v',
         [](O& o, A& c) {
             String key, value;
             if (!ReadString(c, 0, key) || !ReadString(c, 1, value)) return;
             if (!o.m_Store.HasKey(key)) {
                 c.m_ReturnStatus.Format(CStatus::Error, "Option '%s' not found. (5125)", key.c_str());
                 return;
             }
             o.m_Store.SetOption(key, value);
         }},
        {"AddOption", "ss", 'i',
         [](O& o, A& c) {
             String key, value;
             if (ReadString(c, 0, key) && ReadString(c, 1, value)) loom::ReturnInt(c, o.m_Store.AddOption(key, value));
         }},
        {"GetCount", "", 'i', [](O& o, A& c) { loom::ReturnInt(c, o.m_Store.GetCount()); }},
        {"List", "", 's', [](O& o, A& c) { loom::ReturnString(c, o.m_Store.List()); }},
        {"Clear", "", 0, [](O& o, A&) { o.m_Store.Clear(); }},
        {"SetToken", "s", 'v', [](O& o, A& c) { o.SetMark(c, true); }},
        {"SetComment", "s", 'v', [](O& o, A& c) { o.SetMark(c, false); }},
        {"GetKey", "i", 's',
         [](O& o, A& c) {
             int index = 0;
             if (!ReadInt(c, 0, index)) return;
             String key;
             if (!o.m_Store.GetKey(index, key)) {
                 c.m_ReturnStatus.Format(CStatus::Error, "Option index '%d' not found. (5123)", index);
                 return;
             }
             loom::ReturnString(c, key);
         }},
        {"HasKey", "s", 'b',
         [](O& o, A& c) {
             String key;
             if (ReadString(c, 0, key)) loom::ReturnBool(c, o.m_Store.HasKey(key));
         }},
    };
    count = sizeof kRows / sizeof kRows[0];
    return kRows;
}

void CDataOptions::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    loom::RunMemberRow(*this, call);
}
