#include "Loom.h"

#include <gtest/gtest.h>

TEST(StringTest, FindAndSubStringUseZeroBasedClampedBounds)
{
    String s("abcabc");
    EXPECT_EQ(s.Find("c"), 2);
    EXPECT_EQ(s.Find("c", 3), 5);
    EXPECT_EQ(s.Find("c", -1, 2), -1);  // end excludes the match
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.FindOneOf("*c", -1), 2);
    EXPECT_EQ(s.SubString(1, 3), "bc");
    EXPECT_EQ(s.SubString(4), "bc");
    EXPECT_EQ(s.SubString(-5, 100), "abcabc");
    EXPECT_EQ(s.SubString(4, 2), "");
}

TEST(StringTest, ParseMovesTextBeforeDelimiterIntoToken)
{
    String line("[Dialog] \"Main\"");
    String token;
    EXPECT_EQ(line.Parse("[", token), 0);
    EXPECT_EQ(token, "");
    EXPECT_EQ(line, "Dialog] \"Main\"");
    EXPECT_EQ(line.Parse("]", token), 6);
    EXPECT_EQ(token, "Dialog");
    EXPECT_EQ(line.Parse(" ", token), 0);
    EXPECT_EQ(line, "\"Main\"");
    // Absent delimiter: negative, nothing changes.
    token = "keep";
    EXPECT_LT(line.Parse("(", token), 0);
    EXPECT_EQ(token, "keep");
    EXPECT_EQ(line, "\"Main\"");
}

TEST(StringTest, QuoteAwareParseSkipsDelimitersInsideQuotes)
{
    String line("\"a=b\" = \"c(d)\"");
    line.SetQuoteState(1);
    String token;
    EXPECT_EQ(line.Parse("=", token), 6);
    EXPECT_EQ(token, "\"a=b\" ");
    String rest("(Tag=\"x)y\")");
    rest.SetQuoteState(1);
    EXPECT_EQ(rest.Parse("(", token), 0);
    EXPECT_EQ(rest.Parse(")", token), 9);
    EXPECT_EQ(token, "Tag=\"x)y\"");
    String plain("\"a=b\"");
    EXPECT_EQ(plain.Parse("=", token), 2);  // quote state off
}

TEST(StringTest, TreeParseKeepsEmptyTokensAndUsesWholeDelimiter)
{
    TNodeTree<String> tree;
    String s("a,,b, c");
    EXPECT_EQ(s.Parse(",", tree, 1), 4);
    std::vector<std::string> tokens;
    for (TNode<String>* n = tree.First(); n; n = n->Next()) tokens.push_back(n->Data().str());
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "", "b", " c"}));

    TNodeTree<String> two;
    String t("x::y:z");
    EXPECT_EQ(t.Parse("::", two, 2), 2);
    EXPECT_EQ(two.First()->Next()->Data(), "y:z");

    TNodeTree<String> none;
    String empty;
    EXPECT_EQ(empty.Parse(",", none, 1), 0);
    EXPECT_EQ(none.First(), nullptr);
}

TEST(StringTest, EditingOperations)
{
    String s(" \t hello\r\n");
    EXPECT_EQ(s.Trim(), "hello");
    EXPECT_EQ(String("abc").Reverse(), "cba");
    String r("a-b-c");
    EXPECT_EQ(r.Replace("-", "+-"), 2);
    EXPECT_EQ(r, "a+-b+-c");
    EXPECT_EQ(r.Replace("", "x"), 0);
    EXPECT_EQ(String("MiXeD").ToUpper(), "MIXED");
    EXPECT_EQ(String("MiXeD").ToLower(), "mixed");
    String c("ab");
    EXPECT_EQ(c.chop(), "a");
    EXPECT_EQ(c.chop().chop(), "");
    EXPECT_EQ(String::Printf("%s=%04d", "n", 7), "n=0007");
}

TEST(StatusTest, StatesAndDefaultError)
{
    CStatus ok;
    EXPECT_TRUE(static_cast<bool>(ok));
    EXPECT_EQ(ok.GetStatusMessage(), "OK");
    EXPECT_EQ(ok.GetFlag(), 0);
    EXPECT_TRUE(static_cast<bool>(CStatus(3, "Success", 0)));
    EXPECT_FALSE(static_cast<bool>(CStatus(2, "careful")));
    CStatus e = CStatus::MakeDefaultError(1572, "ClassWindow");
    EXPECT_EQ(e.GetState(), 0);
    EXPECT_EQ(e.GetFlag(), 1);
    EXPECT_EQ(e.GetStatusMessage(), "Internal error in ClassWindow at line 1572.");
    CStatus f;
    f.Format(CStatus::Error, "Option '%s' not found. (%d)", "k", 5124);
    EXPECT_EQ(f.GetStatusMessage(), "Option 'k' not found. (5124)");
}
