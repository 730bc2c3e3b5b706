#include "TestData.h"

#include "TypeRegistration.h"

#include <cstdint>

int TestData::sType = 0;

namespace {

bool IsInt(const CData* data)
{
    return data && CDataInt::GetRegisteredType() != 0 && data->GetType() == CDataInt::GetRegisteredType();
}

}  // namespace

TestData::TestData() { LOOM_REGISTER_ON_FIRST_USE(TestData, "tst"); }

TestData::~TestData() = default;

LOOM_DEFINE_GET_REGISTERED_TYPE(TestData)

CData* TestData::operator_plus(CData* other, OpInfoT*)
{
    if (!IsInt(other)) return nullptr;
    // Wraps around like the 32-bit addition it stands for, without overflow.
    m_Value = static_cast<int>(static_cast<uint32_t>(m_Value) + static_cast<uint32_t>(static_cast<CDataInt*>(other)->Data));
    return this;
}

CData* TestData::operator_equal(CData* other, OpInfoT*)
{
    if (!IsInt(other)) return nullptr;
    m_Value = static_cast<CDataInt*>(other)->Data;
    return this;
}

bool TestData::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    m_Value = static_cast<TestData*>(other)->m_Value;
    return true;
}

CData* TestData::MakeData() { return new TestData; }

bool TestData::DataFromString(const String&) { return false; }

String TestData::GetString() { return String::Printf("%d", m_Value); }

int TestData::SizeOf() { return 4; }

int TestData::Register(int type)
{
    sType = type;
    return 1;
}

void TestData::UnRegister() { sType = 0; }
