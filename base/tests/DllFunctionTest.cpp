// The dll keyword and the calls of declared library functions.
#include "DllFunction.h"
#include "KeywordProcessor.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class DllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDataVoid v;
        CDataInt i;
        CDataBool b;
        CDataString s;
        CDataReal r;
        engine.SetInterpreter(&interpreter);
        // The test library lies beside the test program.
        char exe[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string folder(exe, n);
        engine.GetEnvironment()->SetCWD(folder.substr(0, folder.find_last_of('\\')).c_str());
    }
    void TearDown() override { engine.SetInterpreter(nullptr); }

    CStatus Declare(const std::string& text)
    {
        SSI_KeywordAPI call;
        call.Engine = &engine;
        call.Keyword = "dll";
        call.Argument = String(text);
        KeywordProcessor(call);
        return call.Status;
    }

    // A call record of `name` with the given values as parameters.
    struct Call {
        SSI_FunctionAPI api;
        Call(CEngine& engine, const char* name, std::vector<CData*> values)
        {
            api.m_FunctionName = name;
            api.m_Engine = &engine;
            api.InitParams(static_cast<int>(values.size()));
            for (size_t i = 0; i < values.size(); ++i) {
                CVariable v("", values[i]->GetType());
                v.SetData(values[i]);
                int index = static_cast<int>(i);
                api.AddParameter(v, index);
            }
            api.m_ReturnStatus.Set(CStatus::Warning, "untouched");
        }
        CStatus Run()
        {
            DllFunctionProcessor(api);
            return api.m_ReturnStatus;
        }
        CData* Result() { return api.GetReturnData() ? api.GetReturnData()->GetWorkingData() : nullptr; }
        int Int() { return Result() ? static_cast<CDataInt*>(Result())->Data : -99999; }
    };

    CEngine engine;
    LiteralInterpreter interpreter;
};

std::string Message(const CStatus& s)
{
    return s.GetStatusMessage().str();
}

}  // namespace

TEST_F(DllTest, BothCallingConventionsKeepTheStack)
{
    ASSERT_TRUE(Declare("Subtract(\"DllTestLib.dll\", \"StdSubtract\", 0, int, int a, int b)"));
    ASSERT_TRUE(Declare("Combine(\"DllTestLib.dll\", \"CdeclCombine\", 0, int, int, int, int)"));
    const std::vector<CFunctionDecl>* decls = engine.FindFunctions("Subtract");
    ASSERT_NE(decls, nullptr);
    ASSERT_EQ(decls->size(), 1u);
    EXPECT_EQ((*decls)[0].ParamTypes, (std::vector<int>{CDataInt::GetRegisteredType(), CDataInt::GetRegisteredType()}));
    EXPECT_EQ(reinterpret_cast<void*>((*decls)[0].Processor),
              reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("KestrelBase.dll"), "DllFunctionProcessor")));
    EXPECT_EQ(engine.GetPackageName(), "User Defined");

    CDataInt ten(10), three(3), one(1), two(2);
    int failures = 0;
    for (int round = 0; round < 200; ++round) {
        Call subtract(engine, "Subtract", {&ten, &three});
        Call combine(engine, "Combine", {&one, &two, &three});
        if (!subtract.Run() || subtract.Int() != 7 || !combine.Run() || combine.Int() != 123)
            ++failures;
    }
    EXPECT_EQ(failures, 0);
}

TEST_F(DllTest, SixteenArgumentsAndNoMore)
{
    ASSERT_TRUE(Declare("Weighted(\"DllTestLib.dll\", \"StdWeighted16\", 0, int, "
                        "int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int,)"));
    ASSERT_EQ((*engine.FindFunctions("Weighted"))[0].GetNumParams(), 16);
    std::vector<CDataInt> values;
    for (int i = 0; i < 17; ++i)
        values.emplace_back(i + 1);
    std::vector<CData*> sixteen, seventeen;
    int expected = 0;
    for (int i = 0; i < 17; ++i) {
        seventeen.push_back(&values[i]);
        if (i < 16) {
            sixteen.push_back(&values[i]);
            expected += (i + 1) * (i + 1);
        }
    }
    Call ok(engine, "Weighted", sixteen);
    ASSERT_TRUE(ok.Run());
    EXPECT_EQ(ok.Int(), expected);
    Call tooMany(engine, "Weighted", seventeen);
    EXPECT_EQ(Message(tooMany.Run()), "Keyword 'dll' functions can not have more than 16 parameters. (K00538)");
    EXPECT_EQ(tooMany.Result(), nullptr);
}

TEST_F(DllTest, ArgumentAndResultTypes)
{
    ASSERT_TRUE(Declare("TextLength(\"DllTestLib.dll\", \"TextLength\", 0, int, string)"));
    ASSERT_TRUE(Declare("Overwrite(\"DllTestLib.dll\", \"OverwriteText\", 0, int, string)"));
    ASSERT_TRUE(Declare("Greeting(\"DllTestLib.dll\", \"Greeting\", 0, string)"));
    ASSERT_TRUE(Declare("NullText(\"DllTestLib.dll\", \"NullText\", 0, string)"));
    ASSERT_TRUE(Declare("Big(\"DllTestLib.dll\", \"Return256\", 0, bool)"));
    ASSERT_TRUE(Declare("NotOf(\"DllTestLib.dll\", \"NotOf\", 0, int, bool)"));
    ASSERT_TRUE(Declare("Identity(\"DllTestLib.dll\", \"Identity\", 0, int, int)"));
    ASSERT_TRUE(Declare("Nothing(\"DllTestLib.dll\", \"Return256\", 0, void)"));
    ASSERT_TRUE(Declare("AsReal(\"DllTestLib.dll\", \"Return256\", 0, real)"));

    CDataString hello("hello");
    Call length(engine, "TextLength", {&hello});
    ASSERT_TRUE(length.Run());
    EXPECT_EQ(length.Int(), 5);

    Call overwrite(engine, "Overwrite", {&hello});
    ASSERT_TRUE(overwrite.Run());
    EXPECT_EQ(static_cast<CDataString*>(overwrite.api[0]->GetWorkingData())->Data, "hello");

    Call greeting(engine, "Greeting", {});
    ASSERT_TRUE(greeting.Run());
    EXPECT_EQ(greeting.Result()->GetString(), "hello from the library");
    Call null(engine, "NullText", {});
    ASSERT_TRUE(null.Run());
    EXPECT_EQ(null.Result()->GetString(), "");

    Call big(engine, "Big", {});
    ASSERT_TRUE(big.Run());
    ASSERT_EQ(big.Result()->GetType(), CDataBool::GetRegisteredType());
    EXPECT_FALSE(big.Result()->boolean());  // 256: low byte 0

    CDataBool yes(true);
    Call notOf(engine, "NotOf", {&yes});
    ASSERT_TRUE(notOf.Run());
    EXPECT_EQ(notOf.Int(), 0);

    CDataInt negative(-42);
    Call identity(engine, "Identity", {&negative});
    ASSERT_TRUE(identity.Run());
    EXPECT_EQ(identity.Int(), -42);

    Call nothing(engine, "Nothing", {});
    EXPECT_TRUE(nothing.Run());

    Call asReal(engine, "AsReal", {});
    EXPECT_EQ(Message(asReal.Run()), "Return type from dll function not recognized. (K00552)");

    CDataReal half(0.5);
    ASSERT_TRUE(Declare("TakesReal(\"DllTestLib.dll\", \"Identity\", 0, int, int, real)"));
    CDataInt one(1);
    Call takesReal(engine, "TakesReal", {&one, &half});
    EXPECT_EQ(Message(takesReal.Run()), "Parameter 1 for dll function is invalid . (K00539)");
}

TEST_F(DllTest, SystemLibrariesAndMissingOnes)
{
    ASSERT_TRUE(Declare("ProcessId(\"C:\\\\windows\\\\system32\\\\kernel32.dll\", \"GetCurrentProcessId\", 0, int)"));
    Call pid(engine, "ProcessId", {});
    ASSERT_TRUE(pid.Run());
    EXPECT_EQ(pid.Int(), static_cast<int>(GetCurrentProcessId()));

    ASSERT_TRUE(Declare("Missing(\"no_such_library.dll\", \"Anything\", 0, int)"));
    Call missing(engine, "Missing", {});
    std::string message = Message(missing.Run());
    EXPECT_EQ(message.substr(0, 25), "Could not load dll file '");
    EXPECT_NE(message.find("no_such_library.dll'. (K00550)"), std::string::npos);

    ASSERT_TRUE(Declare("NoSymbol(\"DllTestLib.dll\", \"NoSuchExport\", 0, int)"));
    Call noSymbol(engine, "NoSymbol", {});
    EXPECT_EQ(Message(noSymbol.Run()), "Could not load dll function 'NoSuchExport'. (K00551)");

    // A second declaration of a name leaves the first record in force.
    ASSERT_TRUE(Declare("Twice(\"DllTestLib.dll\", \"Greeting\", 0, string)"));
    ASSERT_TRUE(Declare("Twice(\"DllTestLib.dll\", \"NullText\", 0, string)"));
    Call twice(engine, "Twice", {});
    ASSERT_TRUE(twice.Run());
    EXPECT_EQ(twice.Result()->GetString(), "hello from the library");

    Call unknown(engine, "NeverDeclared", {});
    EXPECT_EQ(Message(unknown.Run()), "Internal error in KestrelBase at line 2348.");
}

TEST_F(DllTest, DeclarationErrors)
{
    EXPECT_EQ(Message(Declare("NoParen")), "Keyword 'dll' expects an opening parenthesis '('. (K00530)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\", \"b\", 0, int")), "Keyword 'dll' expects a closing parenthesis ')'. (K00531)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\")")), "Keyword 'dll' is missing parameters. (K00532)");
    EXPECT_EQ(Message(Declare("F(5, \"b\", 0, int)")), "Keyword 'dll' parameter 1 requires a string. (K00533)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\", \"b\")")), "Keyword 'dll' is missing parameters. (K00534)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\", 7, 0, int)")), "Keyword 'dll' parameter 2 requires a string. (K00533)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\", \"b\", 0)")), "Keyword 'dll' is missing parameters. (K00535)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\", \"b\", 0, nosuchtype)")), "Keyword 'dll' has invalid return type. (K00536)");
    EXPECT_EQ(Message(Declare("F(\"a.dll\", \"b\", 0, int, int x, widget y)")),
              "Keyword 'dll' has invalid variable type 'widget'. (K00537)");
    EXPECT_EQ(Message(Declare("F(bad expression, \"b\", 0, int)")), "cannot evaluate");
    EXPECT_EQ(engine.FindFunctions("F"), nullptr);

    CEngine bare;
    SSI_KeywordAPI call;
    call.Engine = &bare;
    call.Keyword = "dll";
    call.Argument = "F(\"a.dll\", \"b\", 0, int)";
    KeywordProcessor(call);
    EXPECT_EQ(Message(call.Status), "Internal error in KestrelBase at line 1811.");
}
