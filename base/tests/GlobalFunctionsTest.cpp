// Global functions whose effects a script cannot observe: the deletion
// guard on roots (checked on the path alone, never by deleting), Sleep's
// truncation, where MouseMove and MouseClick put the pointer, the input
// functions without a stream, and Exit without an interpreter.
#include "DirectoryFunctions.h"
#include "GlobalFunctions.h"
#include "PackageEntry.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct GlobalCall {
    SSI_FunctionAPI api;
    GlobalCall(CEngine* engine, const char* name, std::vector<CData*> values = {})
    {
        api.m_FunctionName = name;
        api.m_Engine = engine;
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

}  // namespace

TEST(DeletionGuard, RefusesEmptyPathsAndRoots)
{
    using kestrel::IsProtectedPath;
    EXPECT_TRUE(IsProtectedPath("", "C:\\work"));
    EXPECT_TRUE(IsProtectedPath(" \t", "C:\\work"));
    EXPECT_TRUE(IsProtectedPath("C:\\", "C:\\"));
    EXPECT_TRUE(IsProtectedPath("z:", "z:"));
    EXPECT_TRUE(IsProtectedPath("\\", "\\"));
    EXPECT_TRUE(IsProtectedPath("..\\..\\..", "C:\\"));  // the current directory's root
    EXPECT_TRUE(IsProtectedPath("//server/share/", "\\\\server\\share\\"));
    EXPECT_TRUE(IsProtectedPath("\\\\server", "\\\\server"));
    EXPECT_FALSE(IsProtectedPath("a.txt", "C:\\work\\a.txt"));
    EXPECT_FALSE(IsProtectedPath("C:\\dir", "C:\\dir"));
    EXPECT_FALSE(IsProtectedPath("\\\\server\\share\\dir", "\\\\server\\share\\dir"));
}

TEST(DeletionGuard, DeleteOfAnEmptyPathIsFalseAndOk)
{
    CEngine engine;
    RegisterFunctions(&engine);
    for (const char* name : {"DeleteFile", "DeleteDir"}) {
        CDataString empty("");
        GlobalCall call(&engine, name, {&empty});
        EXPECT_EQ(call.Run(), "OK") << name;
        ASSERT_NE(call.api.GetReturnData(), nullptr);
        EXPECT_EQ(call.api.GetReturnData()->GetWorkingData()->GetString(), "false") << name;
    }
    CleanUp();
}

TEST(SleepDuration, TruncatesTowardZeroAndFlagsNegativeProducts)
{
    bool negative = true;
    EXPECT_EQ(kestrel::SleepMilliseconds(0.0004, negative), 0u);
    EXPECT_FALSE(negative);
    EXPECT_EQ(kestrel::SleepMilliseconds(1.9999, negative), 1999u);
    EXPECT_EQ(kestrel::SleepMilliseconds(2.0, negative), 2000u);
    EXPECT_EQ(kestrel::SleepMilliseconds(-0.0004, negative), 0u);
    EXPECT_FALSE(negative);  // truncates to 0, not negative
    EXPECT_EQ(kestrel::SleepMilliseconds(-1.5, negative), 0u);
    EXPECT_TRUE(negative);
}

TEST(Pointer, MoveAndClickPlaceThePointerOnTheScreen)
{
    CEngine engine;
    RegisterFunctions(&engine);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(width, 100);
    ASSERT_GT(height, 100);
    POINT at = {};

    CDataInt x(width / 2), y(height / 3);
    GlobalCall move(&engine, "MouseMove", {&x, &y});
    EXPECT_EQ(move.Run(), "OK");
    ASSERT_TRUE(GetCursorPos(&at));
    // Normalisation to 0..65535 may lose one pixel.
    EXPECT_NEAR(at.x, width / 2, 1);
    EXPECT_NEAR(at.y, height / 3, 1);

    // A bad button still moves the pointer first; a bad action sends nothing.
    CDataInt three(3), ten(10), zero(0), four(4), fifty(50);
    GlobalCall badButton(&engine, "MouseClick", {&three, &ten, &ten, &zero});
    EXPECT_EQ(badButton.Run(), "MouseClick parameter 1 must be 0,1, or 2");
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_NEAR(at.x, 10, 1);
    EXPECT_NEAR(at.y, 10, 1);

    GlobalCall badAction(&engine, "MouseClick", {&zero, &fifty, &fifty, &four});
    EXPECT_EQ(badAction.Run(), "MouseClick parameter 4 must be 0,1,2, or 3");
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_NEAR(at.x, 10, 1);
    EXPECT_NEAR(at.y, 10, 1);
    CleanUp();
}

TEST(ConsoleInput, NoEngineOrNoStreamIsAnError)
{
    CDataString prompt("? ");
    GlobalCall noEngine(nullptr, "InputInt", {&prompt});
    EXPECT_EQ(noEngine.Run(), "Must enter an integer. (K00451)");

    CEngine engine;
    engine.SetOutStream(nullptr);
    GlobalCall real(&engine, "InputReal", {&prompt});
    EXPECT_EQ(real.Run(), "Must enter a real. (K00453)");
    GlobalCall text(&engine, "InputString", {&prompt});
    EXPECT_EQ(text.Run(), "Must enter a string. (K00454)");
    EXPECT_EQ(text.api.GetReturnData() ? text.api.GetReturnData()->GetWorkingData() : nullptr, nullptr);

    // At the end of the input a string reads as empty; the prompt is written.
    CaptureStream stream;  // no input left
    engine.SetOutStream(&stream);
    GlobalCall atEnd(&engine, "InputString", {&prompt});
    EXPECT_EQ(atEnd.Run(), "OK");
    EXPECT_EQ(atEnd.api.GetReturnData()->GetWorkingData()->GetString(), "");
    stream.Write("", 1);
    EXPECT_EQ(stream.lines, std::vector<std::string>{"? "});
}

TEST(Exit, WithoutInterpreterIsAnInternalError)
{
    CEngine engine;
    GlobalCall exit(&engine, "Exit");
    EXPECT_EQ(exit.Run(), "Internal error in KestrelBase at line 903.");
}
