// Declarations of script functions and keywords, and the call record that
// a processor receives for each script call.
#pragma once

#include "Variable.h"

#include <vector>

class CEngine;
class SSI_FunctionAPI;
struct SSI_KeywordAPI;

// Processor of global functions; the result is not used.
typedef void* (*SSI_FunctionProcessorT)(SSI_FunctionAPI& call);
typedef void (*SSI_KeywordProcessorT)(SSI_KeywordAPI& call);

class LOOM_API CFunctionDecl {
public:
    String Name;
    int ReturnType = 0;  // 0: no result type
    std::vector<int> ParamTypes;
    std::vector<String> ParamNames;
    SSI_FunctionProcessorT Processor = nullptr;
    CData* MemberProcessor = nullptr;  // set for member functions of a type

    void Clear();
    void SetName(const String& name) { Name = name; }
    void SetReturnType(int type) { ReturnType = type; }
    void addType(int type, const String& name);
    void SetProcessor(SSI_FunctionProcessorT processor) { Processor = processor; MemberProcessor = nullptr; }
    void SetProcessor(CData* owner) { MemberProcessor = owner; Processor = nullptr; }
    int GetNumParams() const { return static_cast<int>(ParamTypes.size()); }
};

struct LOOM_API SSI_KeywordAPI {
    CEngine* Engine = nullptr;
    String Keyword;
    String Argument;
    CStatus Status;
};

class LOOM_API CKeywordDecl {
public:
    String Name;
    SSI_KeywordProcessorT Callback = nullptr;
    void SetName(const String& name) { Name = name; }
    void SetCallback(SSI_KeywordProcessorT callback) { Callback = callback; }
};

// The record of one call. Parameters are variables: either the script's
// own variable (borrowed) or a temporary owned by the record.
class LOOM_API SSI_FunctionAPI {
public:
    SSI_FunctionAPI();
    SSI_FunctionAPI(const SSI_FunctionAPI&) = delete;
    SSI_FunctionAPI& operator=(const SSI_FunctionAPI&) = delete;

    virtual ~SSI_FunctionAPI();
    // Both store a copy in the return variable.
    virtual CStatus SetReturnData(CData* data);
    virtual CStatus SetReturnData(CVariable* variable);
    virtual CVariable* GetReturnData();
    virtual void ClearParameters();
    virtual int GetNumParams();
    // Stores a copy of variable as parameter index; false when index is not
    // within the count given to InitParams.
    virtual bool AddParameter(CVariable& variable, int& index);
    // Makes room for count parameters (all empty); false for a negative or
    // absurd count.
    virtual bool InitParams(int count);

    CVariable* operator[](int index);  // null when out of range
    int GetParameterType(int index);   // 0 when out of range
    int GetVersion() const { return 1; }

    // Engine side: hands over a variable the record does not own.
    bool SetBorrowedParameter(int index, CVariable* variable);

    CStatus m_ReturnStatus;
    String m_FunctionName;
    CEngine* m_Engine = nullptr;

protected:
    void FreeParameters();

    std::vector<CVariable*> m_Params;
    std::vector<bool> m_Owned;
    CVariable* m_Return = nullptr;
};
