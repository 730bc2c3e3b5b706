#include "FormatCheck.h"

#include <gtest/gtest.h>

using almanac::FormatArg;
using almanac::IsSingleValueFormat;

TEST(FormatCheck, AcceptsOneMatchingConversion)
{
    for (const char* f : {"%d", "x=%+05d;", "%x", "%X", "%o", "%u", "%i", "%c", "%% %-8d %%"})
        EXPECT_TRUE(IsSingleValueFormat(f, FormatArg::Int)) << f;
    for (const char* f : {"%f", "%5.2f", "%e", "%G", "%lf", "%a", "%.1024f", "[%#g]"})
        EXPECT_TRUE(IsSingleValueFormat(f, FormatArg::Real)) << f;
}

TEST(FormatCheck, RefusesEverythingElse)
{
    for (const char* f : {"", "plain", "%%", "%d%d", "%s", "%p", "%n", "%hd", "%lld", "%*d", "%1$d", "%.*d",
                          "%f", "%d %", "%1025d", "%zd"})
        EXPECT_FALSE(IsSingleValueFormat(f, FormatArg::Int)) << f;
    for (const char* f : std::initializer_list<const char*>{"%d", "%Lf", "%f %f", "%s", "%.1025f", "%*f", nullptr})
        EXPECT_FALSE(IsSingleValueFormat(f, FormatArg::Real)) << (f ? f : "null");
}
