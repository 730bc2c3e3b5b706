#include "Data.h"

#include "Factory.h"
#include "FunctionApi.h"
#include "Variable.h"

CData::~CData() = default;

bool CData::boolean() { return false; }

CData& CData::operator=(CData& other)
{
    if (this != &other) CopyData(&other);
    return *this;
}

CData* CData::operator_plus(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_minus(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_multiply(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_modulous(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_divide(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_power(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_bit_and(CData*, OpInfoT*) { return nullptr; }
CData* CData::operator_bit_or(CData*, OpInfoT*) { return nullptr; }
CData* CData::negate(OpInfoT*) { return nullptr; }
CData* CData::operator_decrement(OpInfoT*) { return nullptr; }
CData* CData::operator_increment(OpInfoT*) { return nullptr; }

CData* CData::operator_equal(CData* other, OpInfoT*)
{
    return (other && CopyData(other)) ? this : nullptr;
}

bool CData::CopyData(CData*) { return false; }
CData* CData::MakeData() { return nullptr; }

bool CData::DeleteData(CData* data)
{
    delete data;
    return true;
}

bool CData::DataFromString(const String&) { return false; }
String CData::GetString() { return m_TypeName; }
int CData::SizeOf() { return 0; }
int CData::Register(int) { return 0; }
void CData::UnRegister() {}
CStatus CData::InitData() { return CStatus(); }

CStatus CData::AddFunction(CFunctionDecl& decl)
{
    if (!Factory_IsRegistered(m_Type)) return CStatus::MakeDefaultError(__LINE__, "Data");
    Factory_AddMemberFunction(m_Type, decl);
    return CStatus();
}

void CData::SSI_FunctionProcessor(SSI_FunctionAPI&) {}

CStatus CData::AddVariable(CVariable& variable)
{
    if (!Factory_IsRegistered(m_Type)) return CStatus::MakeDefaultError(__LINE__, "Data");
    Factory_AddMemberVariable(m_Type, variable.GetName(), variable.GetType());
    return CStatus();
}

CStatus CData::SSI_UpdateVariable(CVariable& variable, char)
{
    return CStatus::MakeError(String::Printf("'%s' is not a member of %s.", variable.GetName().c_str(),
                                             m_TypeName.c_str()));
}

CStatus CData::operator_compare(CData* other, int& out)
{
    out = 0;
    if (!other || other->GetType() != m_Type) {
        return CStatus::MakeError(String::Printf("Cannot compare %s with %s.", m_TypeName.c_str(),
                                                 other ? other->GetTypeName().c_str() : "nothing"));
    }
    const String mine = GetString();
    const String theirs = other->GetString();
    out = mine.str().compare(theirs.str());
    return CStatus();
}

String CData::DisplayMembers() { return GetMemberFunctions(); }
String CData::DisplayMembersHELP() { return GetMemberFunctions(); }

String CData::GetMemberFunctions()
{
    String out;
    const std::vector<CFunctionDecl>* decls = Factory_GetMemberFunctions(m_Type);
    if (!decls) return out;
    for (const CFunctionDecl& d : *decls) {
        if (!out.IsEmpty()) out += "\n";
        out += d.Name;
    }
    return out;
}

CData* CData::Clone()
{
    CData* copy = MakeData();
    if (!copy) return nullptr;
    if (!copy->CopyData(this)) {
        delete copy;
        return nullptr;
    }
    return copy;
}
