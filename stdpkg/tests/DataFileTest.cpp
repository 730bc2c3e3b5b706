#include "CallRecord.h"
#include "DataFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

String TempFile(const char* name, const std::string& content)
{
    const std::string path = ::testing::TempDir() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return String(path);
}

String Mode(const char* m) { return String(m); }

TEST(DataFile, FlagsAfterEachOperation)
{
    CDataFile f;
    EXPECT_EQ(f.GetStatus(), "{OK}");
    EXPECT_EQ(f.GetString(), "FileName: None {OK}");
    EXPECT_FALSE(f.boolean());

    String path = TempFile("flags.txt", "x\n");
    String r = Mode("r"), a = Mode("a");
    ASSERT_TRUE(f.Open(path, r));
    EXPECT_EQ(f.GetStatus(), "{OK}{OPEN}{READ}");
    EXPECT_EQ(f.GetString(), String("FileName: ") + path + " {OK}{OPEN}{READ}");
    EXPECT_TRUE(f.boolean());
    ASSERT_TRUE(f.Open(path, a));  // closes the first stream, opens again
    EXPECT_EQ(f.GetStatus(), "{OK}{OPEN}{WRITE}");
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(f.GetStatus(), "{OK}{CLOSED}");
    EXPECT_TRUE(f.Close());  // nothing open: success, flags unchanged
    EXPECT_EQ(f.GetStatus(), "{OK}{CLOSED}");

    String text = "late";
    CStatus s = f.Write(text);
    EXPECT_EQ(s.GetStatusMessage(), "File '' not open. (3500)");

    String missing = String(::testing::TempDir().c_str()) + "no/such/dir/f.txt";
    CStatus failed = f.Open(missing, r);
    EXPECT_EQ(failed.GetState(), 0);
    EXPECT_NE(failed.GetStatusMessage().Find("DataFile"), -1);
    EXPECT_EQ(f.GetStatus(), "{ERROR}{CLOSED}");

    String badMode = Mode("rz");
    EXPECT_FALSE(f.Open(path, badMode));
    EXPECT_EQ(f.GetStatus(), "{ERROR}{CLOSED}");
}

TEST(DataFile, ReadSkipsEmptyLinesAndReportsTheEnd)
{
    CDataFile f;
    String path = TempFile("lines.txt", "a\n\n\nb\n");
    String r = Mode("r");
    ASSERT_TRUE(f.Open(path, r));
    String line;
    char more = 9;
    ASSERT_TRUE(f.Read(line, more));
    EXPECT_EQ(line, "a");
    EXPECT_EQ(more, 1);
    ASSERT_TRUE(f.Read(line, more));
    EXPECT_EQ(line, "b");
    ASSERT_TRUE(f.Read(line, more));
    EXPECT_EQ(line, "");
    EXPECT_EQ(more, 0);
    EXPECT_EQ(f.GetStatus(), "{OK}{OPEN}{READ}{EOF}");

    CDataFile g;
    String emptyFirst = TempFile("emptyfirst.txt", "\nz\n");
    ASSERT_TRUE(g.Open(emptyFirst, r));
    ASSERT_TRUE(g.Read(line, more));
    EXPECT_EQ(line, "");
    EXPECT_EQ(more, 1);
    ASSERT_TRUE(g.Read(line, more));
    EXPECT_EQ(line, "z");

    CDataFile closed;
    CStatus s = closed.Read(line, more);
    EXPECT_EQ(s.GetStatusMessage(), "File '' not open. (3500)");
}

TEST(DataFile, LongLineComesInPiecesWithNothingLost)
{
    const std::string longLine = std::string(4095, 'x') + std::string(10, 'y');
    CDataFile f;
    String path = TempFile("long.txt", longLine + "\nnext\n");
    String r = Mode("r");
    ASSERT_TRUE(f.Open(path, r));
    String line;
    char more = 0;
    ASSERT_TRUE(f.Read(line, more));
    EXPECT_EQ(line.str(), std::string(4095, 'x'));
    ASSERT_TRUE(f.Read(line, more));
    EXPECT_EQ(line.str(), std::string(10, 'y'));
    ASSERT_TRUE(f.Read(line, more));
    EXPECT_EQ(line, "next");
    EXPECT_EQ(more, 1);
}

TEST(DataFile, ReadAllAndWrite)
{
    std::string content;
    for (int i = 0; i < 10000; ++i) content += static_cast<char>('a' + i % 26);
    CDataFile f;
    String path = TempFile("big.txt", content);
    String rb = Mode("rb");
    ASSERT_TRUE(f.Open(path, rb));
    String all;
    ASSERT_TRUE(f.ReadAll(all));
    EXPECT_EQ(all.GetLength(), 10000);
    EXPECT_EQ(all.str(), content);
    EXPECT_NE(f.GetStatus().Find("{EOF}"), -1);

    String out = TempFile("out.txt", "");
    String w = Mode("w");
    CDataFile writer;
    ASSERT_TRUE(writer.Open(out, w));
    String one = "one", two = "two";
    ASSERT_TRUE(writer.Write(one));
    ASSERT_TRUE(writer.Write(two));
    ASSERT_TRUE(writer.Close());
    // Read back in text mode, so that Windows line ends read as line feeds.
    String r = Mode("r");
    CDataFile reader;
    ASSERT_TRUE(reader.Open(out, r));
    ASSERT_TRUE(reader.ReadAll(all));
    EXPECT_EQ(all, "one\ntwo\n");
}

TEST(DataFile, CopiesShareOneStreamSafely)
{
    String path = TempFile("shared.txt", "l1\nl2\nl3\n");
    String r = Mode("r");
    auto opener = std::make_unique<CDataFile>();
    ASSERT_TRUE(opener->Open(path, r));
    CDataFile copy;
    ASSERT_TRUE(copy.CopyData(opener.get()));
    EXPECT_EQ(copy.GetStatus(), "{OK}{OPEN}{READ}");
    String line;
    char more = 0;
    ASSERT_TRUE(opener->Read(line, more));
    EXPECT_EQ(line, "l1");
    // The opener goes away (as in two-argument OpenFile): the copy goes on.
    opener.reset();
    ASSERT_TRUE(copy.Read(line, more));
    EXPECT_EQ(line, "l2");

    // Closing through one copy: the other sees no open stream.
    CDataFile second(copy);
    CDataFile third;
    CData* assigned = third.operator_equal(&copy, nullptr);
    EXPECT_EQ(assigned, &third);
    ASSERT_TRUE(second.Close());
    EXPECT_FALSE(copy.boolean());
    EXPECT_FALSE(third.boolean());
    CStatus s = copy.Read(line, more);
    EXPECT_EQ(s.GetState(), 0);
    EXPECT_NE(s.GetStatusMessage().Find("(3500)"), -1);
    EXPECT_TRUE(copy.Close());
    CDataInt notAFile(1);
    EXPECT_FALSE(copy.CopyData(&notAFile));
}

TEST(DataFile, GetStatusMemberFunction)
{
    CDataFile f;
    const auto* functions = Factory_GetMemberFunctions(CDataFile::GetRegisteredType());
    ASSERT_NE(functions, nullptr);
    ASSERT_EQ(functions->size(), 1u);
    EXPECT_EQ((*functions)[0].Name, "GetStatus");
    CallRecord c("GetStatus");
    EXPECT_EQ(c.Run(f).ResultString(), "{OK}");
}

#if !defined(_WIN32)
// A close that fails (the buffered write cannot be flushed) reports the
// error and never touches the released stream again.
TEST(DataFile, FailedCloseForgetsTheStream)
{
    String full = "/dev/full";
    String w = Mode("w");
    CDataFile f;
    if (!f.Open(full, w)) GTEST_SKIP() << "no /dev/full";
    String text = "x";
    ASSERT_TRUE(f.Write(text));
    CStatus s = f.Close();
    EXPECT_EQ(s.GetState(), 0);
    EXPECT_EQ(f.GetStatus(), "{ERROR}{OPEN}");
    EXPECT_FALSE(f.boolean());
    EXPECT_NE(f.Write(text).GetStatusMessage().Find("(3500)"), -1);
}
#endif

}  // namespace
