#include "Loom.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

// Runs a binary slot the way the interpreter does: on a copy of the left
// operand, taking ownership of whatever comes back.
std::unique_ptr<CData> Apply(CData& left, CData& right, CData* (CData::*slot)(CData*, OpInfoT*), OpInfoT& info)
{
    std::unique_ptr<CData> receiver(left.Clone());
    CData* result = ((*receiver).*slot)(&right, &info);
    if (!result) return nullptr;
    if (result == receiver.get()) return receiver;
    return std::unique_ptr<CData>(result);
}

}  // namespace

TEST(ValuesTest, IntArithmeticWrapsAndRejectsDivisionByZero)
{
    CDataInt a(7), b(-3), zero(0), big(INT_MAX), one(1);
    OpInfoT info;
    EXPECT_EQ(Apply(a, b, &CData::operator_plus, info)->GetString(), "4");
    EXPECT_EQ(Apply(a, b, &CData::operator_divide, info)->GetString(), "-2");
    EXPECT_EQ(Apply(a, b, &CData::operator_modulous, info)->GetString(), "1");
    EXPECT_EQ(Apply(big, one, &CData::operator_plus, info)->GetString(), "-2147483648");
    CDataInt two(2), ten(10);
    EXPECT_EQ(Apply(two, ten, &CData::operator_power, info)->GetString(), "1024");
    EXPECT_TRUE(info.Status.IsSuccess());
    EXPECT_EQ(Apply(a, zero, &CData::operator_divide, info), nullptr);
    EXPECT_TRUE(info.Status.IsError());
    OpInfoT info2;
    EXPECT_EQ(Apply(a, zero, &CData::operator_modulous, info2), nullptr);
    EXPECT_TRUE(info2.Status.IsError());
    CDataInt minInt(INT_MIN), minusOne(-1);
    OpInfoT info3;
    EXPECT_EQ(Apply(minInt, minusOne, &CData::operator_divide, info3)->GetString(), "-2147483648");
}

TEST(ValuesTest, IntMixesWithRealAsReal)
{
    CDataInt three(3);
    CDataReal half(0.5);
    OpInfoT info;
    std::unique_ptr<CData> sum = Apply(three, half, &CData::operator_plus, info);
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->GetType(), CDataReal::GetRegisteredType());
    EXPECT_EQ(sum->GetString(), "3.5");
    std::unique_ptr<CData> other = Apply(half, three, &CData::operator_multiply, info);
    EXPECT_EQ(other->GetString(), "1.5");
    int cmp = 9;
    EXPECT_TRUE(three.operator_compare(&half, cmp).IsSuccess());
    EXPECT_GT(cmp, 0);
    CDataReal three2(3.0);
    EXPECT_TRUE(three2.operator_compare(&three, cmp).IsSuccess());
    EXPECT_EQ(cmp, 0);
}

TEST(ValuesTest, StringJoinsAndComparesAndBoolLogic)
{
    CDataString s("n=");
    CDataInt n(5);
    OpInfoT info;
    EXPECT_EQ(Apply(s, n, &CData::operator_plus, info)->GetString(), "n=5");
    CDataString a("abc"), b("abd");
    int cmp = 0;
    EXPECT_TRUE(a.operator_compare(&b, cmp).IsSuccess());
    EXPECT_LT(cmp, 0);
    EXPECT_FALSE(a.operator_compare(&n, cmp).IsSuccess());  // no order between text and numbers
    CDataBool t(true), f(false);
    EXPECT_EQ(Apply(t, f, &CData::operator_bit_and, info)->GetString(), "false");
    EXPECT_EQ(Apply(t, f, &CData::operator_bit_or, info)->GetString(), "true");
    EXPECT_EQ(Apply(s, n, &CData::operator_minus, info), nullptr);  // not defined for text
}

TEST(ValuesTest, LiteralParsing)
{
    CDataInt i;
    EXPECT_TRUE(i.DataFromString(" -42 "));
    EXPECT_EQ(i.Data, -42);
    EXPECT_TRUE(i.DataFromString("0x1F"));
    EXPECT_EQ(i.Data, 31);
    EXPECT_FALSE(i.DataFromString("12x"));
    EXPECT_FALSE(i.DataFromString("\"5\""));
    EXPECT_FALSE(i.DataFromString("99999999999"));
    EXPECT_FALSE(i.DataFromString(""));
    EXPECT_EQ(i.Data, 31);  // unchanged by failures

    CDataReal r;
    EXPECT_TRUE(r.DataFromString("2.5e2"));
    EXPECT_DOUBLE_EQ(r.Data, 250.0);
    EXPECT_TRUE(r.DataFromString("7"));
    EXPECT_FALSE(r.DataFromString("nan"));
    EXPECT_FALSE(r.DataFromString("1.5.2"));

    CDataString s;
    EXPECT_TRUE(s.DataFromString("\"a\\tb\\n\\\"q\\\"\\\\\""));
    EXPECT_EQ(s.Data, "a\tb\n\"q\"\\");
    EXPECT_TRUE(s.DataFromString(" \"5\" "));
    EXPECT_EQ(s.Data, "5");
    EXPECT_FALSE(s.DataFromString("5"));
    EXPECT_FALSE(s.DataFromString("\"a\" + \"b\""));
    EXPECT_FALSE(s.DataFromString("\""));
    EXPECT_EQ(s.Data, "5");

    CDataBool b;
    EXPECT_TRUE(b.DataFromString("true"));
    EXPECT_EQ(b.Data, 1);
    EXPECT_FALSE(b.DataFromString("TRUE"));
}

TEST(FactoryTest, TypesRegisterOnceAndByName)
{
    const int id = CDataInt::GetRegisteredType();
    for (int k = 0; k < 100; ++k) {
        CDataInt probe;
        EXPECT_EQ(probe.GetType(), id);
    }
    EXPECT_GE(id, 2);
    EXPECT_EQ(Factory_GetTypeByName("int"), id);
    EXPECT_EQ(Factory_GetTypeName(id), "int");
    EXPECT_EQ(CInterpreter::GetVariableType("real"), CDataReal::GetRegisteredType());
    EXPECT_EQ(CInterpreter::GetVariableType("integer"), 0);
    std::unique_ptr<CData> made(Factory_MakeData(CDataString::GetRegisteredType()));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetTypeName(), "string");
    EXPECT_EQ(Factory_MakeData(9999), nullptr);
}

namespace {

// A package-style type that can be removed and registered again.
class Gadget : public CData {
public:
    Gadget()
    {
        m_TypeName = "gadget";
        if (sType == 0) {
            sType = 1;
            sType = Factory_RegisterData(new Gadget);
        }
        m_Type = sType;
    }
    CData* MakeData() override { return new Gadget; }
    bool CopyData(CData* other) override { return other && other->GetType() == m_Type; }
    int Register(int type) override { sType = type; return 1; }
    void UnRegister() override { sType = 0; }
    CStatus InitData() override
    {
        ++sInits;
        CFunctionDecl decl;
        decl.SetName("Spin");
        decl.addType(CDataInt::GetRegisteredType(), "");
        decl.SetProcessor(this);
        return AddFunction(decl);
    }
    static int sType;
    static int sInits;
};
int Gadget::sType = 0;
int Gadget::sInits = 0;

}  // namespace

TEST(FactoryTest, RemovedTypeRegistersAfreshAndInitialisesMembersOnce)
{
    Gadget first;
    const int id = first.GetType();
    const std::vector<CFunctionDecl>* members = Factory_GetMemberFunctions(id);
    ASSERT_NE(members, nullptr);
    ASSERT_EQ(members->size(), 1u);
    EXPECT_EQ((*members)[0].Name, "Spin");
    Factory_GetMemberFunctions(id);
    EXPECT_EQ(Gadget::sInits, 1);

    Factory_RemoveData(id);
    EXPECT_EQ(Gadget::sType, 0);
    EXPECT_FALSE(Factory_IsRegistered(id));
    Gadget second;
    EXPECT_NE(second.GetType(), id);
    EXPECT_TRUE(Factory_IsRegistered(second.GetType()));
}
