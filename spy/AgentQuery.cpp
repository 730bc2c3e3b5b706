#include "AgentQuery.h"

#include "RemoteCall.h"
#include "Values.h"

#include <memory>

namespace spy {

namespace {

// Calls the agent; the answer stays in `call`.
bool Run(SSI_FunctionAPI& call, HWND window, const char* windowClass, const char* function,
         const std::vector<int>& args, int resultType, std::string& error)
{
    call.m_FunctionName = function;
    std::vector<std::unique_ptr<CVariable>> vars;
    for (int value : args) {
        CDataInt data(value);
        auto variable = std::make_unique<CVariable>(String("p"), data.GetType());
        variable->SetData(&data);
        vars.push_back(std::move(variable));
    }
    call.InitParams(static_cast<int>(vars.size()));
    for (size_t i = 0; i < vars.size(); ++i) call.SetBorrowedParameter(static_cast<int>(i), vars[i].get());
    call.GetReturnData()->SetType(resultType);
    String cls(windowClass);
    SquireRemoteCall(call, window, cls);
    // The parameters are borrowed from `vars`: they go before the record
    // could read them again.
    call.InitParams(0);
    if (!call.m_ReturnStatus.IsSuccess()) {
        error = call.m_ReturnStatus.GetStatusMessage().str();
        return false;
    }
    return true;
}

CData* Answer(SSI_FunctionAPI& call)
{
    CVariable* result = call.GetReturnData();
    return result ? result->GetWorkingData() : nullptr;
}

}  // namespace

bool AgentInt(HWND window, const char* windowClass, const char* function, const std::vector<int>& args,
              int& result, std::string& error)
{
    SSI_FunctionAPI call;
    if (!Run(call, window, windowClass, function, args, CDataInt::GetRegisteredType(), error)) return false;
    CData* data = Answer(call);
    if (!data || data->GetType() != CDataInt::GetRegisteredType()) {
        error = std::string(function) + " gave no number";
        return false;
    }
    result = static_cast<CDataInt*>(data)->Data;
    return true;
}

bool AgentText(HWND window, const char* windowClass, const char* function, const std::vector<int>& args,
               std::string& result, std::string& error)
{
    SSI_FunctionAPI call;
    if (!Run(call, window, windowClass, function, args, CDataString::GetRegisteredType(), error)) return false;
    CData* data = Answer(call);
    if (!data || data->GetType() != CDataString::GetRegisteredType()) {
        error = std::string(function) + " gave no text";
        return false;
    }
    result = static_cast<CDataString*>(data)->Data.str();
    return true;
}

RemoteBuffer::RemoteBuffer(HWND window, size_t size) : m_Size(size)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!pid) return;
    m_Process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!m_Process) return;
    m_Address = VirtualAllocEx(m_Process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer()
{
    if (m_Address) VirtualFreeEx(m_Process, m_Address, 0, MEM_RELEASE);
    if (m_Process) CloseHandle(m_Process);
}

bool RemoteBuffer::Write(const void* data, size_t size, size_t offset)
{
    if (!m_Address || offset + size > m_Size) return false;
    SIZE_T written = 0;
    return WriteProcessMemory(m_Process, static_cast<char*>(m_Address) + offset, data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(void* data, size_t size, size_t offset) const
{
    if (!m_Address || offset + size > m_Size) return false;
    SIZE_T read = 0;
    return ReadProcessMemory(m_Process, static_cast<char*>(m_Address) + offset, data, size, &read) && read == size;
}

}  // namespace spy
