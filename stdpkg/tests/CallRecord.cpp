#include "CallRecord.h"

CallRecord::CallRecord(const char* name, CEngine* engine)
{
    m_Api.m_FunctionName = name;
    m_Api.m_Engine = engine;
}

CallRecord& CallRecord::Value(CData& value)
{
    auto v = std::make_unique<CVariable>(String("p") + String::Printf("%d", static_cast<int>(m_Vars.size())),
                                         value.GetType());
    v->SetData(&value);
    m_Vars.push_back(std::move(v));
    return *this;
}

CallRecord& CallRecord::Int(int value)
{
    CDataInt d(value);
    return Value(d);
}

CallRecord& CallRecord::Real(double value)
{
    CDataReal d(value);
    return Value(d);
}

CallRecord& CallRecord::Str(const char* value)
{
    CDataString d{String(value)};
    return Value(d);
}

CallRecord& CallRecord::IntArray(const std::vector<int>& values)
{
    auto v = std::make_unique<CVariable>(String("arr"), CDataInt::GetRegisteredType());
    for (size_t i = 0; i < values.size(); ++i) {
        CDataInt d(values[i]);
        DimensionList at(static_cast<int>(i) + 1);
        v->SetData(&d, at.Get());
    }
    m_Vars.push_back(std::move(v));
    return *this;
}

CallRecord& CallRecord::RealArray(const std::vector<double>& values)
{
    auto v = std::make_unique<CVariable>(String("arr"), CDataReal::GetRegisteredType());
    for (size_t i = 0; i < values.size(); ++i) {
        CDataReal d(values[i]);
        DimensionList at(static_cast<int>(i) + 1);
        v->SetData(&d, at.Get());
    }
    m_Vars.push_back(std::move(v));
    return *this;
}

void CallRecord::Lend()
{
    m_Api.InitParams(static_cast<int>(m_Vars.size()));
    for (size_t i = 0; i < m_Vars.size(); ++i) m_Api.SetBorrowedParameter(static_cast<int>(i), m_Vars[i].get());
}

CallRecord& CallRecord::Run(SSI_FunctionProcessorT processor)
{
    Lend();
    processor(m_Api);
    return *this;
}

CallRecord& CallRecord::Run(CData& owner)
{
    Lend();
    owner.SSI_FunctionProcessor(m_Api);
    return *this;
}

int CallRecord::ResultInt()
{
    CData* d = ResultData();
    return d && d->GetType() == CDataInt::GetRegisteredType() ? static_cast<CDataInt*>(d)->Data : -999999;
}

double CallRecord::ResultReal()
{
    CData* d = ResultData();
    return d && d->GetType() == CDataReal::GetRegisteredType() ? static_cast<CDataReal*>(d)->Data : -999999.0;
}

String CallRecord::ResultString()
{
    CData* d = ResultData();
    return d && d->GetType() == CDataString::GetRegisteredType() ? static_cast<CDataString*>(d)->Data
                                                                  : String("<no string>");
}

bool CallRecord::ResultBool()
{
    CData* d = ResultData();
    return d && d->GetType() == CDataBool::GetRegisteredType() && static_cast<CDataBool*>(d)->Data != 0;
}

int CallRecord::ResultElement(int i)
{
    CData* d = Result()->Get(i);
    return d && d->GetType() == CDataInt::GetRegisteredType() ? static_cast<CDataInt*>(d)->Data : -999999;
}
