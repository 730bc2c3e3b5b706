// The package's entry points: registration and its count, the global
// function table, the processor frame and LoadPackageDLL.
#include "PackageEntry.h"
#include "TestSupport.h"
#include "WindowChecker.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Call {
    SSI_FunctionAPI api;
    Call(CEngine& engine, const char* name, std::vector<CData*> values = {})
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
    std::string Run()
    {
        StandardFunctionProcessor(api);
        return api.m_ReturnStatus.GetStatusMessage().str();
    }
};

// Leaves the package registered once, whatever the test did.
class PackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (PackageRegistrationCount() > 0)
            CleanUp();
        engine.SetOutStream(&out);
    }
    CEngine engine;
    CaptureStream out;
};

}  // namespace

TEST_F(PackageTest, RegistersNameKeywordsTypesAndFunctions)
{
    RegisterFunctions(&engine);
    EXPECT_EQ(PackageRegistrationCount(), 1);
    EXPECT_EQ(engine.GetPackageName(), "Kestrel");
    for (const char* k : {"use", "define", "dll"})
        EXPECT_NE(engine.FindKeyword(k), nullptr) << k;
    EXPECT_GT(Factory_GetTypeByName("window"), 1);
    EXPECT_GT(Factory_GetTypeByName("regkey"), 1);

    const char* names[] = {"Sleep", "Log", "LogError", "LogWarning", "Version", "Exit", "SetDelay",
                           "ListWindow", "GetProcessID", "KillProcess", "GetClipboardText",
                           "SetClipboardText", "Exists", "WaitForWindow", "GetDesktopWindow",
                           "GetForegroundWindow", "GetLength", "Find", "SubString", "Concat", "IntToStr",
                           "StrToInt", "RealToStr", "StrToReal", "GetTime", "GetDate", "GetDayOfWeek",
                           "TypeKeys", "KeyUp", "KeyDown", "MouseMove", "MouseClick", "InputInt",
                           "InputReal", "InputString", "PrintMessage", "Alert", "LoadPackageDLL",
                           "PlaySound", "System", "Run", "ChangeDir", "GetMachineName", "GetDirContents",
                           "GetCurrentDir", "MakeDir", "GetUserName", "CopyFile", "CopyDir", "DeleteFile",
                           "DeleteDir", "MainWin", "WriteFile", "OpenFile", "CloseFile", "ReadFile",
                           "ReadAllFile", "FindFile"};
    size_t declarations = 0;
    for (const char* name : names) {
        const std::vector<CFunctionDecl>* decls = engine.FindFunctions(name);
        ASSERT_NE(decls, nullptr) << name;
        declarations += decls->size();
    }
    EXPECT_EQ(sizeof names / sizeof names[0], 58u);
    EXPECT_EQ(declarations, 62u);
    const std::vector<CFunctionDecl>& mainWin = *engine.FindFunctions("MainWin");
    EXPECT_EQ(mainWin[0].ReturnType, Factory_GetTypeByName("window"));
    const std::vector<CFunctionDecl>& wait = *engine.FindFunctions("WaitForWindow");
    EXPECT_EQ(wait[0].ParamTypes, (std::vector<int>{Factory_GetTypeByName("window"), CDataInt::GetRegisteredType()}));
}

TEST_F(PackageTest, CleanUpReleasesTheWindowTypeWithTheLastRegistration)
{
    RegisterFunctions(&engine);
    RegisterFunctions(&engine);
    EXPECT_EQ(PackageRegistrationCount(), 2);
    int type = CDataWindow::GetRegisteredType();
    CleanUp();
    EXPECT_TRUE(Factory_IsRegistered(type));
    EXPECT_EQ(CDataWindow::GetRegisteredType(), type);
    CleanUp();
    EXPECT_FALSE(Factory_IsRegistered(type));
    EXPECT_EQ(PackageRegistrationCount(), 0);
    // Asked for again, the type registers afresh rather than answering 0.
    const int again = CDataWindow::GetRegisteredType();
    EXPECT_TRUE(Factory_IsRegistered(again));
    Factory_RemoveData(again);

    CleanUp();  // without a registration: the count goes back to 0
    EXPECT_EQ(PackageRegistrationCount(), 0);

    RegisterFunctions(&engine);  // registers the type afresh
    EXPECT_GT(CDataWindow::GetRegisteredType(), 1);
    EXPECT_TRUE(Factory_IsRegistered(CDataWindow::GetRegisteredType()));
}

TEST_F(PackageTest, WindowTypeDeclaresItsFunctionsThroughTheChecker)
{
    RegisterFunctions(&engine);
    int type = CDataWindow::GetRegisteredType();
    const std::vector<CFunctionDecl>* members = Factory_GetMemberFunctions(type);
    ASSERT_NE(members, nullptr);
    // One engine declaration per distinct name and parameter types.
    std::set<std::pair<std::string, std::vector<int>>> signatures;
    for (const CFunctionDecl& d : *members)
        signatures.insert({d.Name.str(), d.ParamTypes});
    EXPECT_EQ(signatures.size(), members->size());
    EXPECT_EQ(static_cast<int>(members->size()), WindowCheckerEntryCount());
    EXPECT_EQ(Factory_GetMemberVariableType(type, "Tag"), CDataString::GetRegisteredType());
    EXPECT_EQ(Factory_GetMemberVariableType(type, "Class"), CDataString::GetRegisteredType());

    String classes[8];
    ASSERT_EQ(WindowCheckerClasses("GetCount", nullptr, 0, classes, 8), 6);
    EXPECT_EQ(classes[0], "SysTabControl32");
    EXPECT_EQ(classes[5], "ToolbarWindow32");
    int intType = CDataInt::GetRegisteredType();
    ASSERT_EQ(WindowCheckerClasses("Select", &intType, 1, classes, 8), 3);
    EXPECT_EQ(classes[0], "SysListView32");
    ASSERT_EQ(WindowCheckerClasses("IsEnabled", nullptr, 0, classes, 8), 3);
    EXPECT_EQ(classes[0], "MainWin");
    EXPECT_EQ(classes[2], "Menu");
    int mainWinTypes[] = {CDataString::GetRegisteredType(), CDataString::GetRegisteredType()};
    EXPECT_EQ(WindowCheckerClasses("MainWin", mainWinTypes, 2, classes, 8), 1);
}

TEST_F(PackageTest, ProcessorDispatchesExactNamesOnly)
{
    RegisterFunctions(&engine);
    CDataInt fifty(50);
    Call setDelay(engine, "SetDelay", {&fifty});
    EXPECT_EQ(setDelay.Run(), "OK");
    EXPECT_EQ(CDataWindow::iDelay, 50);

    Call wrongCase(engine, "setdelay", {&fifty});
    EXPECT_EQ(wrongCase.Run(), "untouched");
    Call unknown(engine, "NoSuchFunction");
    EXPECT_EQ(unknown.Run(), "untouched");
    Call version(engine, "Version");
    EXPECT_EQ(version.Run(), "OK");
    ASSERT_NE(version.api.GetReturnData(), nullptr);
    EXPECT_EQ(version.api.GetReturnData()->GetWorkingData()->GetString(), "2.0");
    CDataWindow::SetDelay(200);

    CDataWindow w;
    w.name = "Solo";
    w.windowClass = "Edit";
    w.tagNumber = 2;
    Call list(engine, "ListWindow", {&w});
    EXPECT_EQ(list.Run(), "untouched");
    EXPECT_EQ(out.lines, (std::vector<std::string>{"Solo {Class:Edit; Tag:[2]}"}));
}

TEST_F(PackageTest, LoadPackageDllReportsMissingAndIncompatibleLibraries)
{
    RegisterFunctions(&engine);
    CDataString missing("no_such_package.dll");
    Call load(engine, "LoadPackageDLL", {&missing});
    EXPECT_EQ(load.Run(), "Could not load DLL package 'no_such_package.dll'. (K00553)");

    CDataString system("kernel32.dll");
    Call incompatible(engine, "LoadPackageDLL", {&system});
    EXPECT_EQ(incompatible.Run(), "DLL package 'kernel32.dll' is incompatible with Kestrel. (K00554)");

    // A package loads again and registers again; the status stays as handed in.
    CDataString self("KestrelBase.dll");
    Call again(engine, "LoadPackageDLL", {&self});
    EXPECT_EQ(again.Run(), "untouched");
    EXPECT_EQ(PackageRegistrationCount(), 2);
}

TEST_F(PackageTest, TestExportWritesItsMarker)
{
    EXPECT_EQ(TestExport(), 8);
}
