// The expect lines of test scripts: what counts as one, and how a run is
// judged against them.
#include "ScriptExpectations.h"

#include <gtest/gtest.h>

#include <sstream>

using kt::test::Directive;
using kt::test::ScriptExpectations;

namespace {

ScriptExpectations Read(const std::string& script)
{
    std::istringstream in(script);
    ScriptExpectations expectations;
    expectations.Read(in);
    return expectations;
}

}  // namespace

TEST(ScriptExpectations, DirectivesAreCommentLinesWithTheirKey)
{
    std::string value;
    EXPECT_TRUE(Directive("  //expect:  two blanks ", "expect", value));
    EXPECT_EQ(value, " two blanks");
    EXPECT_TRUE(Directive("// expect:", "expect", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(Directive("// expect-exit: 3", "expect", value));
    EXPECT_FALSE(Directive("print(\"// expect: x\");", "expect", value));
    EXPECT_FALSE(Directive("# expect: x", "expect", value));
}

TEST(ScriptExpectations, ReadsEveryKindOfExpectLine)
{
    const ScriptExpectations e = Read("// expect: a;b\n"
                                      "x = 1;\n"
                                      "// expect-like: took * ms\n"
                                      "// expect-log: WM_COMMAND 1001\r\n"
                                      "// expect-exit: 2\n"
                                      "// package: ScriptTestPackage\n");
    ASSERT_EQ(e.Output().size(), 2u);
    EXPECT_EQ(e.Output()[0].text, "a;b");
    EXPECT_FALSE(e.Output()[0].wildcard);
    EXPECT_TRUE(e.Output()[1].wildcard);
    ASSERT_EQ(e.Log().size(), 1u);
    EXPECT_EQ(e.Log()[0].text, "WM_COMMAND 1001");
    EXPECT_EQ(e.ExitCode(), 2);
}

TEST(ScriptExpectations, ExpectedLinesMustAppearWholeAndInOrder)
{
    const ScriptExpectations e = Read("// expect: one\n// expect-like: t*o\n");
    EXPECT_TRUE(e.CheckRun("zero\none\r\nnoise\ntwo  \n", 0).empty());
    EXPECT_TRUE(e.CheckRun("one\nto\n", 0).empty());

    const auto reversed = e.CheckRun("two\none\n", 0);
    ASSERT_EQ(reversed.size(), 1u);
    EXPECT_EQ(reversed[0], "missing output, in order: t*o");

    const auto partial = e.CheckRun("only one\ntwo\n", 0);
    ASSERT_EQ(partial.size(), 1u);
    EXPECT_EQ(partial[0], "missing output, in order: one");
}

TEST(ScriptExpectations, ExitStatusIsChecked)
{
    const auto failures = Read("").CheckRun("", 1);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "loom exited with 1, expected 0");
    EXPECT_TRUE(Read("// expect-exit: 1\n").CheckRun("", 1).empty());
}

TEST(ScriptExpectations, AnErrorOrWarningLineNotExpectedFails)
{
    const std::string output = "a.lm:3: error: undeclared 'x'\n"
                               "a.lm:7:2: warning: unused value\n"
                               "the word error: in a message\n";
    const auto failures = Read("// expect: a.lm:3: error: undeclared 'x'\n").CheckRun(output, 0);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "not expected: a.lm:7:2: warning: unused value");

    // A wildcard line covers the diagnostics it matches.
    EXPECT_TRUE(Read("// expect: a.lm:3: error: undeclared 'x'\n// expect-like: a.lm:7:*: warning: *\n")
                    .CheckRun(output, 0)
                    .empty());
}
