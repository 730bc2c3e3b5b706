#include "Loom.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

#if defined(_WIN32)
const char* kTestPackage = "TestPackage.dll";
#else
const char* kTestPackage = "./TestPackage.so";
#endif

// Calls the first overload of name whose parameter types match the values.
CStatus CallByTypes(CEngine& engine, const char* name, std::vector<CData*> args, CVariable& result)
{
    const std::vector<CFunctionDecl>* overloads = engine.FindFunctions(name);
    if (!overloads) return CStatus::MakeError("no such function");
    for (const CFunctionDecl& decl : *overloads) {
        if (decl.GetNumParams() != static_cast<int>(args.size())) continue;
        bool match = true;
        for (size_t k = 0; k < args.size(); ++k) match = match && decl.ParamTypes[k] == args[k]->GetType();
        if (!match) continue;
        SSI_FunctionAPI call;
        call.m_FunctionName = name;
        call.m_Engine = &engine;
        call.InitParams(static_cast<int>(args.size()));
        for (int k = 0; k < static_cast<int>(args.size()); ++k) {
            CVariable v;
            v.SetData(args[static_cast<size_t>(k)]);
            call.AddParameter(v, k);
        }
        call.GetReturnData()->SetType(decl.ReturnType);
        decl.Processor(call);
        result = *call.GetReturnData();
        return call.m_ReturnStatus;
    }
    return CStatus::MakeError("no overload");
}

}  // namespace

TEST(PackageTest, LoadsPackageAndDispatchesOverloadsByParameterTypes)
{
    CEngine engine;
    ASSERT_TRUE(engine.LoadPackage(kTestPackage).IsSuccess());
    EXPECT_EQ(engine.GetPackageName(), "TestPackage");
    ASSERT_NE(engine.FindFunctions("Add"), nullptr);
    EXPECT_EQ(engine.FindFunctions("Add")->size(), 2u);
    EXPECT_EQ(engine.FindFunctions("add"), nullptr);  // names are case-sensitive

    CVariable result;
    CDataInt two(2), three(3);
    ASSERT_TRUE(CallByTypes(engine, "Add", {&two, &three}, result).IsSuccess());
    EXPECT_EQ(result.GetType(), CDataInt::GetRegisteredType());
    EXPECT_EQ(result.GetWorkingData()->GetString(), "5");
    CDataReal half(0.5), quarter(0.25);
    ASSERT_TRUE(CallByTypes(engine, "Add", {&half, &quarter}, result).IsSuccess());
    EXPECT_EQ(result.GetWorkingData()->GetString(), "0.75");
    CDataString who("you");
    ASSERT_TRUE(CallByTypes(engine, "Greet", {&who}, result).IsSuccess());
    EXPECT_EQ(result.GetWorkingData()->GetString(), "Hello, you!");
    CDataString why("broken");
    CStatus failed = CallByTypes(engine, "Fail", {&why}, result);
    EXPECT_TRUE(failed.IsError());
    EXPECT_EQ(failed.GetStatusMessage(), "broken");

    // Loading again registers again without duplicating overloads.
    ASSERT_TRUE(engine.LoadPackage(kTestPackage).IsSuccess());
    EXPECT_EQ(engine.FindFunctions("Add")->size(), 2u);
}

TEST(PackageTest, MissingLibraryAndNonPackageAreErrors)
{
    CEngine engine;
    CStatus missing = engine.LoadPackage("NoSuchPackage.dll");
    EXPECT_TRUE(missing.IsError());
    EXPECT_NE(missing.GetStatusMessage().Find("NoSuchPackage.dll"), -1);
#if defined(_WIN32)
    CStatus notPackage = engine.LoadPackage("kernel32.dll");
    EXPECT_TRUE(notPackage.IsError());
    EXPECT_NE(notPackage.GetStatusMessage().Find("RegisterFunctions"), -1);
#endif
}

TEST(PackageTest, VariablesDefinedWithoutInterpreterCanBeWrittenBack)
{
    CEngine engine;
    CDataInt one(1);
    ASSERT_TRUE(engine.AddVariable(one, "count").IsSuccess());
    ASSERT_EQ(engine.PendingVariables().size(), 1u);
    CVariable changed("count");
    CDataInt nine(9);
    changed.SetData(&nine);
    EXPECT_TRUE(engine.SetVariable(changed).IsSuccess());
    EXPECT_EQ(engine.PendingVariables()[0].GetWorkingData()->GetString(), "9");
    CVariable stranger("nobody");
    EXPECT_TRUE(engine.SetVariable(stranger).IsError());
}

TEST(EnvironmentTest, AbsolutePathsResolveAgainstTheEngineDirectory)
{
    CEnvironment env;
    String abs;
#if defined(_WIN32)
    ASSERT_TRUE(env.SetCWD("C:\\windows").IsSuccess());
    ASSERT_TRUE(env.GetAbsolutePath("system32/../x.txt", abs).IsSuccess());
    EXPECT_EQ(abs.ToLower(), "c:\\windows\\x.txt");
    ASSERT_TRUE(env.GetAbsolutePath("D:/a/./b//c", abs).IsSuccess());
    EXPECT_EQ(abs, "D:\\a\\b\\c");
#else
    ASSERT_TRUE(env.SetCWD("/usr").IsSuccess());
    ASSERT_TRUE(env.GetAbsolutePath("lib/../x.txt", abs).IsSuccess());
    EXPECT_EQ(abs, "/usr/x.txt");
    ASSERT_TRUE(env.GetAbsolutePath("/a/./b//c/..", abs).IsSuccess());
    EXPECT_EQ(abs, "/a/b");
#endif
    EXPECT_TRUE(env.GetAbsolutePath("", abs).IsError());
    EXPECT_TRUE(env.SetCWD("no-such-folder-here").IsError());
}

TEST(OptionsTest, RoundTripThroughFileSkipsGarbage)
{
    const char* path = "options_roundtrip.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "# comment\n  alpha = 1 \r\n=novalue\ngarbage line\n\x01\x02\xff\nbeta=two=2\n"
            << std::string(20000, 'k') << "=long\n";
    }
    std_options options;
    EXPECT_EQ(options.LoadFromFile(path), 3);
    String value;
    EXPECT_EQ(options.GetOption("alpha", value), 1);
    EXPECT_EQ(value, "1");
    EXPECT_EQ(options.GetOption("beta", value), 1);
    EXPECT_EQ(value, "two=2");
    EXPECT_EQ(options.AddOption("alpha", "x"), 0);
    EXPECT_EQ(options.SetOption("gamma", "x"), 0);
    EXPECT_EQ(options.AddOption("gamma", "3"), 1);
    String key;
    EXPECT_TRUE(options.GetKey(0, key));
    EXPECT_EQ(key, "alpha");
    EXPECT_FALSE(options.GetKey(4, key));
    EXPECT_EQ(options.SaveToFile(path), 4);

    std_options again;
    again.SetComment(";");
    EXPECT_EQ(again.LoadFromFile(path), 4);
    EXPECT_EQ(again.List().SubString(0, 14), "alpha=1\nbeta=t");
    EXPECT_EQ(again.LoadFromFile("no-such-options-file.txt"), -1);
    std::remove(path);
}

TEST(FileTest, ReadLineHandlesLongLinesAndLineEnds)
{
    const char* path = "file_lines.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "one\r\n" << std::string(100000, 'x') << "\n\nlast";
    }
    File file(path);
    ASSERT_TRUE(file.IsOpen());
    String line;
    EXPECT_EQ(file.ReadLine(line), 3);
    EXPECT_EQ(line, "one");
    EXPECT_EQ(file.ReadLine(line), 100000);
    EXPECT_EQ(file.ReadLine(line), 0);
    EXPECT_EQ(file.ReadLine(line), 4);
    EXPECT_EQ(file.ReadLine(line), -1);
    File missing("no-such-file.txt");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.ReadLine(line), -1);
    std::remove(path);
}
