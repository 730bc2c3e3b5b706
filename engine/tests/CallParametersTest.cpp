// The call-parameter readers and MakeValue: the one rule for a parameter of
// the wrong type, the one widening, and values made through the factory.
#include "Loom.h"
#include "TypeRegistration.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A record lending the given values to a call, as the engine lends a
// script's variables, under the name of a script function.
class Record {
public:
    explicit Record(const char* function) { m_Call.m_FunctionName = function; }
    Record& With(CData* value)
    {
        m_Variables.emplace_back(new CVariable);
        m_Variables.back()->Adopt(value);
        return *this;
    }
    SSI_FunctionAPI& Call()
    {
        m_Call.InitParams(static_cast<int>(m_Variables.size()));
        for (size_t i = 0; i < m_Variables.size(); ++i)
            m_Call.SetBorrowedParameter(static_cast<int>(i), m_Variables[i].get());
        return m_Call;
    }

private:
    std::vector<std::unique_ptr<CVariable>> m_Variables;
    SSI_FunctionAPI m_Call;
};

// A package-style type registered with the shared macro; its prototype
// tries MakeValue while its own registration is under way.
class Widget : public CData {
public:
    Widget()
    {
        LOOM_REGISTER_ON_FIRST_USE(Widget, "widget");
        if (sType == 1) sMadeDuringRegistration = loom::MakeValue<Widget>() != nullptr;
    }
    CData* MakeData() override { return new Widget; }
    int Register(int type) override { sType = type; return 1; }
    void UnRegister() override { sType = 0; }
    static int GetRegisteredType();
    int size = 0;
    static int sType;
    static bool sMadeDuringRegistration;
};
int Widget::sType = 0;
bool Widget::sMadeDuringRegistration = true;
LOOM_DEFINE_GET_REGISTERED_TYPE(Widget)

}  // namespace

TEST(CallParameters, ValuesOfTheDeclaredTypeAreRead)
{
    Record record("Mix");
    SSI_FunctionAPI& call = record.With(new CDataInt(7)).With(new CDataString("text")).With(new CDataReal(2.5))
                                .With(new CDataBool(true)).Call();
    int i = 0;
    String s;
    double r = 0;
    bool b = false;
    EXPECT_TRUE(loom::ReadInt(call, 0, i));
    EXPECT_TRUE(loom::ReadString(call, 1, s));
    EXPECT_TRUE(loom::ReadReal(call, 2, r));
    EXPECT_TRUE(loom::ReadBool(call, 3, b));
    EXPECT_EQ(i, 7);
    EXPECT_EQ(s, "text");
    EXPECT_EQ(r, 2.5);
    EXPECT_TRUE(b);
    EXPECT_TRUE(call.m_ReturnStatus.IsSuccess());
}

TEST(CallParameters, AWrongOrMissingTypeIsAnErrorNamingFunctionAndParameter)
{
    Record record("SetPos");
    SSI_FunctionAPI& call = record.With(new CDataReal(3.9)).With(new CDataInt(1)).Call();
    int i = 42;
    EXPECT_FALSE(loom::ReadInt(call, 0, i));
    EXPECT_EQ(i, 42);  // no conversion, no truncation
    EXPECT_EQ(call.m_ReturnStatus.GetState(), CStatus::Error);
    EXPECT_EQ(call.m_ReturnStatus.GetStatusMessage(), "Internal error: parameter 1 of 'SetPos' is not an int.");

    String s = "kept";
    EXPECT_FALSE(loom::ReadString(call, 1, s));
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(call.m_ReturnStatus.GetStatusMessage(), "Internal error: parameter 2 of 'SetPos' is not a string.");

    EXPECT_FALSE(loom::ReadInt(call, 2, i));  // beyond the parameters
    EXPECT_EQ(call.m_ReturnStatus.GetStatusMessage(), "Internal error: parameter 3 of 'SetPos' is not an int.");

    EXPECT_EQ(loom::ReadValue<Widget>(call, 1), nullptr);
    EXPECT_EQ(call.m_ReturnStatus.GetStatusMessage(), "Internal error: parameter 2 of 'SetPos' is not a widget.");
}

TEST(CallParameters, AnIntIsWidenedForARealAsTheEngineDoes)
{
    Record record("Sleep");
    SSI_FunctionAPI& call = record.With(new CDataInt(-3)).With(new CDataString("1.5")).Call();
    double r = 0;
    EXPECT_TRUE(loom::ReadReal(call, 0, r));
    EXPECT_EQ(r, -3.0);
    EXPECT_FALSE(loom::ReadReal(call, 1, r));  // text is not a number here
    EXPECT_EQ(r, -3.0);

    double number = 0;
    CDataInt whole(4);
    CDataString text("4");
    EXPECT_TRUE(loom::NumberValue(&whole, number));
    EXPECT_EQ(number, 4.0);
    EXPECT_FALSE(loom::NumberValue(&text, number));
    EXPECT_FALSE(loom::NumberValue(nullptr, number));
}

TEST(CallParameters, APackageValueIsUsedInPlace)
{
    Widget* original = new Widget;
    original->size = 3;
    Record record("Grow");
    SSI_FunctionAPI& call = record.With(original).Call();
    Widget* read = loom::ReadValue<Widget>(call, 0);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read, original);
    EXPECT_EQ(read->size, 3);
}

TEST(MakeValue, RegistersTheTypeAndMakesAValueOfIt)
{
    loom::ValuePtr<Widget> made = loom::MakeValue<Widget>();
    ASSERT_NE(made, nullptr);
    EXPECT_GT(Widget::sType, LOOM_TYPE_ANY);
    EXPECT_EQ(made->GetType(), Widget::GetRegisteredType());
    EXPECT_EQ(made->GetTypeName(), "widget");
    // While the prototype was being built the type had no number yet, and
    // nothing was made (nor registered twice).
    EXPECT_FALSE(Widget::sMadeDuringRegistration);
    EXPECT_EQ(Factory_GetTypeByName("widget"), Widget::sType);

    loom::ValuePtr<CDataString> text = loom::MakeValue<CDataString>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetType(), CDataString::GetRegisteredType());
}

TEST(MakeValue, ARemovedTypeRegistersAgain)
{
    const int before = Widget::GetRegisteredType();
    Factory_RemoveData(before);
    EXPECT_EQ(Widget::sType, 0);
    loom::ValuePtr<Widget> made = loom::MakeValue<Widget>();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(Factory_IsRegistered(made->GetType()));
}
