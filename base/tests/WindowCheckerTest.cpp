// The checker's signature table and class alias table.
#include "WindowChecker.h"

#include <gtest/gtest.h>

namespace {

// A prototype with a name and parameter types.
struct Prototype {
    SSI_FunctionAPI api;
    Prototype(const char* name, std::initializer_list<int> types)
    {
        api.m_FunctionName = name;
        api.InitParams(static_cast<int>(types.size()));
        int i = 0;
        for (int t : types) {
            CVariable v("", t);
            int index = i++;
            api.AddParameter(v, index);
        }
    }
};

class WindowCheckerTest : public ::testing::Test {
protected:
    void SetUp() override { DestroyWindowChecker(); }
    void TearDown() override { DestroyWindowChecker(); }
    int intType = CDataInt::GetRegisteredType();
    int stringType = CDataString::GetRegisteredType();
};


}  // namespace

TEST_F(WindowCheckerTest, SignaturesCollectTheirClasses)
{
    Prototype getText("GetText", {});
    String button("Button"), edit("Edit");
    EXPECT_EQ(RegisterClassFunction(getText.api, button), 1);
    EXPECT_EQ(RegisterClassFunction(getText.api, edit), 0);
    EXPECT_EQ(RegisterClassFunction(getText.api, button), 0);
    String classes[4];
    ASSERT_EQ(WindowCheckerClasses("GetText", nullptr, 0, classes, 4), 3);
    EXPECT_EQ(classes[0], "Button");
    EXPECT_EQ(classes[1], "Edit");
    EXPECT_EQ(classes[2], "Button");

    // Same name, other parameter types: a second entry; the result type and
    // the letter case of other names do not matter.
    Prototype selectInt("Select", {intType});
    Prototype selectString("Select", {stringType});
    Prototype selectTwo("Select", {intType, intType});
    String combo("ComboBox"), tree("SysTreeView32");
    EXPECT_EQ(RegisterClassFunction(selectInt.api, combo), 1);
    EXPECT_EQ(RegisterClassFunction(selectString.api, tree), 1);
    EXPECT_EQ(RegisterClassFunction(selectTwo.api, combo), 1);
    Prototype lower("gettext", {});
    EXPECT_EQ(RegisterClassFunction(lower.api, edit), 1);
    EXPECT_EQ(WindowCheckerEntryCount(), 5);
}

TEST_F(WindowCheckerTest, ChecksClassMainWinAndUnknownNames)
{
    Prototype probe("Anything", {});
    String edit("Edit");
    CStatus empty = CheckClassFunction(probe.api, edit);
    EXPECT_EQ(empty.GetStatusMessage(), "Internal error in WindowChecker at line 64.");

    Prototype click("Click", {});
    Prototype select("Select", {intType});
    Prototype close("Close", {});
    String button("Button"), combo("ComboBox"), mainWin("MainWin");
    RegisterClassFunction(click.api, button);
    RegisterClassFunction(select.api, combo);
    RegisterClassFunction(close.api, mainWin);

    EXPECT_TRUE(CheckClassFunction(click.api, button).IsSuccess());
    CStatus wrongClass = CheckClassFunction(click.api, edit);
    EXPECT_TRUE(wrongClass.IsError());
    EXPECT_EQ(wrongClass.GetStatusMessage(), "Function 'Click' is not a member of class 'Edit'. (K00213)");

    // The string form of Select is registered nowhere.
    Prototype selectString("Select", {stringType});
    EXPECT_EQ(CheckClassFunction(selectString.api, combo).GetStatusMessage(),
              "Function 'Select' is not a member of class 'ComboBox'. (K00214)");
    Prototype unknown("Fly", {});
    EXPECT_EQ(CheckClassFunction(unknown.api, button).GetStatusMessage(),
              "Function 'Fly' is not a member of class 'Button'. (K00214)");

    // MainWin functions hold for every class.
    EXPECT_TRUE(CheckClassFunction(close.api, edit).IsSuccess());
    EXPECT_TRUE(CheckClassFunction(close.api, button).IsSuccess());
}

TEST_F(WindowCheckerTest, AliasesResolveOneStepAndRedefine)
{
    String a("MyButton"), button("Button"), b("Button"), c("Other");
    EXPECT_EQ(DefineClassAlias(a, button), 0);
    EXPECT_EQ(ResolveClassAlias(a), "Button");
    EXPECT_EQ(ResolveClassAlias(button), "Button");

    EXPECT_EQ(DefineClassAlias(b, c), 1);
    EXPECT_EQ(ResolveClassAlias(a), "Button");  // not resolved a second time
    EXPECT_EQ(ResolveClassAlias(b), "Other");

    String again("MyButton"), edit("Edit");
    EXPECT_EQ(DefineClassAlias(again, edit), 0);
    EXPECT_EQ(ResolveClassAlias(a), "Edit");

    String unknown("Nope");
    EXPECT_EQ(ResolveClassAlias(unknown), "Nope");

    DestroyWindowChecker();
    EXPECT_EQ(ResolveClassAlias(a), "MyButton");
    EXPECT_EQ(WindowCheckerEntryCount(), 0);
}
