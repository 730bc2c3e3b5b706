#include "FunctionApi.h"

namespace {

// More parameters than any script call can have; a larger count is garbage.
constexpr int kMaxParams = 4096;

}  // namespace

void CFunctionDecl::Clear()
{
    Name = String();
    ReturnType = 0;
    ParamTypes.clear();
    ParamNames.clear();
    Processor = nullptr;
    MemberProcessor = nullptr;
}

void CFunctionDecl::addType(int type, const String& name)
{
    ParamTypes.push_back(type);
    ParamNames.push_back(name);
}

SSI_FunctionAPI::SSI_FunctionAPI() : m_Return(new CVariable) {}

SSI_FunctionAPI::~SSI_FunctionAPI()
{
    FreeParameters();
    delete m_Return;
}

void SSI_FunctionAPI::FreeParameters()
{
    for (size_t i = 0; i < m_Params.size(); ++i)
        if (m_Owned[i]) delete m_Params[i];
    m_Params.clear();
    m_Owned.clear();
}

CStatus SSI_FunctionAPI::SetReturnData(CData* data)
{
    if (!data) return CStatus::MakeError("No return value.");
    return m_Return->SetData(data, nullptr);
}

CStatus SSI_FunctionAPI::SetReturnData(CVariable* variable)
{
    if (!variable) return CStatus::MakeError("No return value.");
    const String name = m_Return->GetName();
    *m_Return = *variable;
    m_Return->SetName(name);
    return CStatus();
}

CVariable* SSI_FunctionAPI::GetReturnData() { return m_Return; }

void SSI_FunctionAPI::ClearParameters() { FreeParameters(); }

int SSI_FunctionAPI::GetNumParams() { return static_cast<int>(m_Params.size()); }

bool SSI_FunctionAPI::AddParameter(CVariable& variable, int& index)
{
    if (index < 0 || index >= static_cast<int>(m_Params.size())) return false;
    CVariable* copy = new CVariable(variable);
    if (m_Owned[static_cast<size_t>(index)]) delete m_Params[static_cast<size_t>(index)];
    m_Params[static_cast<size_t>(index)] = copy;
    m_Owned[static_cast<size_t>(index)] = true;
    return true;
}

bool SSI_FunctionAPI::InitParams(int count)
{
    FreeParameters();
    if (count < 0 || count > kMaxParams) return false;
    m_Params.assign(static_cast<size_t>(count), nullptr);
    m_Owned.assign(static_cast<size_t>(count), false);
    return true;
}

bool SSI_FunctionAPI::SetBorrowedParameter(int index, CVariable* variable)
{
    if (index < 0 || index >= static_cast<int>(m_Params.size()) || !variable) return false;
    if (m_Owned[static_cast<size_t>(index)]) delete m_Params[static_cast<size_t>(index)];
    m_Params[static_cast<size_t>(index)] = variable;
    m_Owned[static_cast<size_t>(index)] = false;
    return true;
}

CVariable* SSI_FunctionAPI::operator[](int index)
{
    if (index < 0 || index >= static_cast<int>(m_Params.size())) return nullptr;
    return m_Params[static_cast<size_t>(index)];
}

int SSI_FunctionAPI::GetParameterType(int index)
{
    CVariable* v = (*this)[index];
    return v ? v->GetType() : 0;
}
