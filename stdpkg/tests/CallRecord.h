// Builds SSI_FunctionAPI records the way the engine does: each parameter is
// a variable the test owns and lends to the record, so a test can look at
// what a function wrote back into its arguments.
#pragma once

#include "Loom.h"

#include <memory>
#include <vector>

class CallRecord {
public:
    explicit CallRecord(const char* name, CEngine* engine = nullptr);

    CallRecord& Int(int value);
    CallRecord& Real(double value);
    CallRecord& Str(const char* value);
    CallRecord& Value(CData& value);  // a variable holding a copy of value
    CallRecord& IntArray(const std::vector<int>& values);
    CallRecord& RealArray(const std::vector<double>& values);

    // Hands the parameters to the record and calls the processor.
    CallRecord& Run(SSI_FunctionProcessorT processor);
    CallRecord& Run(CData& owner);

    SSI_FunctionAPI& Api() { return m_Api; }
    CVariable& Param(int i) { return *m_Vars.at(static_cast<size_t>(i)); }
    CStatus& Status() { return m_Api.m_ReturnStatus; }
    CVariable* Result() { return m_Api.GetReturnData(); }
    CData* ResultData() { return m_Api.GetReturnData()->GetWorkingData(); }
    int ResultInt();
    double ResultReal();
    String ResultString();
    bool ResultBool();
    // Element i (from 0) of an int array result.
    int ResultElement(int i);

private:
    void Lend();

    SSI_FunctionAPI m_Api;
    std::vector<std::unique_ptr<CVariable>> m_Vars;
};
