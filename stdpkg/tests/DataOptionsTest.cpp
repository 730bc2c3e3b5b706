#include "CallRecord.h"
#include "DataOptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(DataOptions, SetNeverCreatesAKey)
{
    CDataOptions o;
    EXPECT_EQ(o.GetString(), "0 Keys");
    CallRecord set("SetOption");
    set.Str("k").Str("v").Run(o);
    EXPECT_EQ(set.Status().GetStatusMessage(), "Option 'k' not found. (5125)");
    EXPECT_EQ(o.Store().GetCount(), 0);

    CallRecord add("AddOption");
    EXPECT_EQ(add.Str("k").Str("v").Run(o).ResultInt(), 1);
    CallRecord set2("SetOption");
    set2.Str("k").Str("w").Run(o);
    EXPECT_TRUE(set2.Status().IsSuccess());
    CallRecord get("GetOption");
    EXPECT_EQ(get.Str("k").Run(o).ResultString(), "w");
    CallRecord missing("GetOption");
    missing.Str("nope").Run(o);
    EXPECT_EQ(missing.Status().GetStatusMessage(), "Option 'nope' not found. (5124)");
    EXPECT_EQ(missing.ResultData(), nullptr);

    CallRecord has("HasKey"), key("GetKey"), badKey("GetKey"), count("GetCount"), list("List");
    EXPECT_TRUE(has.Str("k").Run(o).ResultBool());
    EXPECT_EQ(key.Int(0).Run(o).ResultString(), "k");
    badKey.Int(5).Run(o);
    EXPECT_EQ(badKey.Status().GetStatusMessage(), "Option index '5' not found. (5123)");
    EXPECT_EQ(count.Run(o).ResultInt(), 1);
    EXPECT_EQ(list.Run(o).ResultString().Find("k=w"), 0);
    EXPECT_EQ(o.GetString(), "1 Keys");

    CallRecord clear("Clear"), after("GetCount");
    clear.Run(o);
    EXPECT_TRUE(clear.Status().IsSuccess());
    EXPECT_EQ(after.Run(o).ResultInt(), 0);
}

TEST(DataOptions, TokenAndCommentAreOneCharacter)
{
    CDataOptions o;
    for (const char* bad : {"", "=="}) {
        CallRecord t("SetToken");
        t.Str(bad).Run(o);
        EXPECT_EQ(t.Status().GetState(), 0);
        EXPECT_EQ(t.Status().GetStatusMessage(), "Token must be a single character. (5121)");
    }
    CallRecord c("SetComment");
    c.Str("//").Run(o);
    EXPECT_EQ(c.Status().GetStatusMessage(), "Comment indicator must be a single character. (5122)");
    CallRecord ok("SetToken");
    ok.Str(":").Run(o);
    EXPECT_EQ(ok.Status().GetState(), 1);
    EXPECT_EQ(ok.Status().GetStatusMessage(), "OK");
}

TEST(DataOptions, LoadIsRelativeToTheEngineDirectoryAndSurvivesGarbage)
{
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "garbage.ini";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("good=1\n=novalue\nno token here\n\x01\x02\xff=\n# comment\n", f);
    std::fputs(("long=" + std::string(100000, 'v') + "\n").c_str(), f);
    std::fputs(std::string(50000, 'k').c_str(), f);
    std::fputs("\nlast = 2 \n", f);
    std::fclose(f);

    CEngine engine;
    ASSERT_TRUE(engine.GetEnvironment()->SetCWD(dir.c_str()));
    CDataOptions o;
    CallRecord load("Load", &engine);
    const int n = load.Str("garbage.ini").Run(o).ResultInt();
    EXPECT_GE(n, 3);
    EXPECT_TRUE(o.Store().HasKey("good"));
    EXPECT_TRUE(o.Store().HasKey("last"));
    String value;
    ASSERT_TRUE(o.Store().GetOption("long", value));
    EXPECT_EQ(value.GetLength(), 100000);

    CallRecord save("Save", &engine);
    EXPECT_EQ(save.Str("saved.ini").Run(o).ResultInt(), o.Store().GetCount());
    CDataOptions back;
    CallRecord reload("Load", &engine);
    EXPECT_EQ(reload.Str("saved.ini").Run(back).ResultInt(), o.Store().GetCount());

    CallRecord none("Load", &engine);
    EXPECT_EQ(none.Str("missing.ini").Run(back).ResultInt(), -1);
}

TEST(DataOptions, AssignmentCopiesTheStore)
{
    CDataOptions a, b;
    a.Store().AddOption("x", "1");
    EXPECT_EQ(b.operator_equal(&a, nullptr), &b);
    a.Store().SetOption("x", "2");
    String v;
    b.Store().GetOption("x", v);
    EXPECT_EQ(v, "1");
    CDataInt other(3);
    EXPECT_EQ(b.operator_equal(&other, nullptr), nullptr);
    EXPECT_FALSE(b.CopyData(&other));
    EXPECT_EQ(b.Store().GetCount(), 1);
}

}  // namespace
