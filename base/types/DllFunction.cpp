#include "DllFunction.h"
#include "InternalErrors.h"

#include "DllCall.h"
#include "LibraryHandle.h"

#include <vector>

CDllFunc::~CDllFunc() = default;

namespace {

std::vector<CDllFunc>& DllFunctionTable()
{
    static std::vector<CDllFunc> table;
    return table;
}

CStatus Error(const char* message)
{
    CStatus status;
    status.Format(CStatus::Error, "%s", message);
    return status;
}

// Evaluates one declaration item that must give a string.
CStatus EvaluateString(CInterpreter& interpreter, const String& text, int position, String& value)
{
    CVariable result;
    CStatus status = interpreter.Evaluate(text, result);
    if (!status)
        return status;
    CData* data = result.GetWorkingData();
    if (!data || data->GetType() != CDataString::GetRegisteredType())
        return status.Format(CStatus::Error, "Keyword 'dll' parameter %d requires a string. (K00533)",
                             position);
    value = static_cast<CDataString*>(data)->Data;
    return CStatus::MakeOK();
}

}  // namespace

void AddDllFunction(const CDllFunc& record)
{
    DllFunctionTable().push_back(record);
}

const CDllFunc* FindDllFunction(const String& functionName)
{
    for (const CDllFunc& record : DllFunctionTable())
        if (record.functionName == functionName)
            return &record;
    return nullptr;
}

CStatus DeclareDllFunction(CEngine* engine, const String& argument)
{
    CInterpreter* interpreter = engine ? engine->GetInterpreter() : nullptr;
    if (!interpreter)
        return CStatus::MakeDefaultError(kestrel::internal::kDllDeclarationLine, kestrel::internal::kKestrelBase);

    String text(argument);
    String functionName;
    if (text.Parse("(", functionName) < 0)
        return Error("Keyword 'dll' expects an opening parenthesis '('. (K00530)");
    // Everything from the last ")" on is dropped.
    text.Reverse();
    String dropped;
    if (text.Parse(")", dropped) < 0)
        return Error("Keyword 'dll' expects a closing parenthesis ')'. (K00531)");
    text.Reverse();

    String item;
    if (text.Parse(",", item) < 0)
        return Error("Keyword 'dll' is missing parameters. (K00532)");
    String library;
    CStatus status = EvaluateString(*interpreter, item, 1, library);
    if (!status)
        return status;
    String libraryPath;
    status = engine->GetEnvironment()->GetAbsolutePath(library, libraryPath);
    if (!status)
        return status;

    if (text.Parse(",", item) < 0)
        return Error("Keyword 'dll' is missing parameters. (K00534)");
    String symbol;
    status = EvaluateString(*interpreter, item, 2, symbol);
    if (!status)
        return status;

    if (text.Parse(",", item) < 0)
        return Error("Keyword 'dll' is missing parameters. (K00535)");

    String returnName;
    bool parameters = text.Parse(",", returnName) >= 0;
    if (!parameters) {
        returnName = text;
        text = "";
    }
    returnName.Trim();
    int returnType = CInterpreter::GetVariableType(returnName);
    if (!returnType)
        return Error("Keyword 'dll' has invalid return type. (K00536)");

    CFunctionDecl decl;
    decl.Clear();
    decl.SetName(functionName);
    decl.SetReturnType(returnType);
    while (parameters) {
        text.Trim();
        String parameter;
        if (text.Parse(",", parameter) < 0) {
            parameter = text;
            parameters = false;
        }
        parameter.Trim();
        String typeName;
        String rest(parameter);
        if (rest.Parse(" ", typeName) <= 0)
            typeName = parameter;
        typeName.Trim();
        if (typeName.IsEmpty())
            break;
        int type = CInterpreter::GetVariableType(typeName);
        if (!type)
            return status.Format(CStatus::Error, "Keyword 'dll' has invalid variable type '%s'. (K00537)",
                                 typeName.c_str());
        decl.addType(type, "");
    }
    decl.SetProcessor(DllFunctionProcessor);
    engine->SetPackageName("User Defined");
    status = engine->AddFunction(decl);
    if (!status)
        return status;

    CDllFunc record;
    record.dllPath = libraryPath;
    record.exportName = symbol;
    record.functionName = functionName;
    record.returnType = returnType;
    AddDllFunction(record);
    return CStatus::MakeOK();
}

void* DllFunctionProcessor(SSI_FunctionAPI& call)
{
    const CDllFunc* found = FindDllFunction(call.m_FunctionName);
    if (!found) {
        call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kDllFunctionMissingLine, kestrel::internal::kKestrelBase);
        return nullptr;
    }
    // The table may grow while the library function runs (it cannot call
    // back into scripts, but keep a copy anyway).
    const CDllFunc record(*found);

    int count = call.GetNumParams();
    if (count > kMaxDllParameters) {
        call.m_ReturnStatus.Format(CStatus::Error,
                                   "Keyword 'dll' functions can not have more than %d parameters. (K00538)",
                                   kMaxDllParameters);
        return nullptr;
    }

    // String arguments go out as private copies, so a function that writes
    // into its text argument cannot damage the script's values.
    std::vector<std::vector<char>> texts;
    texts.reserve(kDllArgumentWords);
    uintptr_t words[kDllArgumentWords] = {};
    for (int i = 0; i < count; ++i) {
        CVariable* variable = call[i];
        CData* data = variable ? variable->GetWorkingData() : nullptr;
        if (!data) {
            call.m_ReturnStatus = CStatus::MakeDefaultError(kestrel::internal::kDllArgumentMissingLine, kestrel::internal::kKestrelBase);
            return nullptr;
        }
        int type = data->GetType();
        if (type == CDataInt::GetRegisteredType()) {
            words[i] = static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<CDataInt*>(data)->Data));
        } else if (type == CDataBool::GetRegisteredType()) {
            signed char byte = static_cast<signed char>(static_cast<CDataBool*>(data)->Data);
            words[i] = static_cast<uintptr_t>(static_cast<intptr_t>(byte));
        } else if (type == CDataString::GetRegisteredType()) {
            const std::string& s = static_cast<CDataString*>(data)->Data.str();
            texts.emplace_back(s.begin(), s.end());
            texts.back().push_back('\0');
            words[i] = reinterpret_cast<uintptr_t>(texts.back().data());
        } else {
            call.m_ReturnStatus.Format(CStatus::Error, "Parameter %d for dll function is invalid . (K00539)", i);
            return nullptr;
        }
    }

    LibraryHandle library(LoadLibraryA(record.dllPath.c_str()));
    if (!library) {
        call.m_ReturnStatus.Format(CStatus::Error, "Could not load dll file '%s'. (K00550)",
                                   record.dllPath.c_str());
        return nullptr;
    }
    FARPROC symbol = GetProcAddress(library.Get(), record.exportName.c_str());
    if (!symbol) {
        call.m_ReturnStatus.Format(CStatus::Error, "Could not load dll function '%s'. (K00551)",
                                   record.exportName.c_str());
        return nullptr;
    }
    uintptr_t result = CallWithWords(reinterpret_cast<const void*>(symbol), words);

    // The result is converted while the library is still loaded: a returned
    // text may live inside it.
    if (record.returnType == CDataInt::GetRegisteredType()) {
        CDataInt value(static_cast<int32_t>(static_cast<uint32_t>(result)));
        call.SetReturnData(&value);
    } else if (record.returnType == CDataBool::GetRegisteredType()) {
        CDataBool value;
        value.Data = static_cast<unsigned char>(result & 0xFF);
        call.SetReturnData(&value);
    } else if (record.returnType == CDataString::GetRegisteredType()) {
        const char* address = reinterpret_cast<const char*>(result);
        CDataString value(String(address ? address : ""));
        call.SetReturnData(&value);
    } else if (record.returnType != CDataVoid::GetRegisteredType()) {
        call.m_ReturnStatus.Format(CStatus::Error, "Return type from dll function not recognized. (K00552)");
        return nullptr;
    }
    call.m_ReturnStatus = CStatus::MakeOK();
    return nullptr;
}
