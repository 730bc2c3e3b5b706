// The lexer and parser on a table of snippets: each either parses, or fails
// with the exact message at the exact line and column. Built with the
// engine's sources (the parser is not exported from the library).
#include "GlobalTable.h"
#include "Parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Snippet {
    const char* source;
    int line;  // 0: parses
    int column;
    const char* message;
};

const Snippet kSnippets[] = {
    // Happy paths.
    {"int a = 1;", 0, 0, ""},
    {"int a[3]; a[1] = 2 * (3 + 4);", 0, 0, ""},
    {"string s = \"a;b\" + \"c\"; // comment\n", 0, 0, ""},
    {"/* block\ncomment */ real r = 1.5;", 0, 0, ""},
    {"function int F(int n) { if (n <= 1) { return 1; } return n * F(n - 1); }", 0, 0, ""},
    {"int i; for (i = 0; i < 3; i++) { if (i == 1) { continue; } }", 0, 0, ""},
    {"int i = 0; while (i < 3) { i++; if (i > 5) { break; } }", 0, 0, ""},
    {"bool b = !(1 < 2) || 3 >= 4 && true;", 0, 0, ""},
    {"if (1) { } else if (2) { } else { }", 0, 0, ""},
    {"int x = -2147483647 - 1;", 0, 0, ""},
    {"string s = \"tab\\tquote\\\"\";", 0, 0, ""},
    {"use \"x.dec\";", 0, 0, ""},
    // Lexical errors.
    {"int n = 1;\nstring s = \"open;", 2, 12, "unterminated string"},
    {"int a = 1; /* never\nclosed", 1, 12, "unterminated comment (opened at line 1)"},
    {"int a = 99999999999;", 1, 9, "integer literal 99999999999 does not fit in an int"},
    {"int a = 1 @ 2;", 1, 11, "unexpected character '@'"},
    {"real r = 1.5.5;", 1, 13, "expected ';', found number"},
    // Syntax errors.
    {"int a = 1", 1, 10, "expected ';', found end of file"},
    {"int a = (1 + 2;", 1, 15, "expected ')' (to close '(' at line 1), found ';'"},
    {"if (1) {\n int a;\n", 3, 1, "expected '}' (to close '{' at line 1), found end of file"},
    {"else { }", 1, 1, "'else' without 'if'"},
    {"break;", 1, 1, "'break' outside a loop"},
    {"continue;", 1, 1, "'continue' outside a loop"},
    {"int a = ;", 1, 9, "expected an expression, found ';'"},
    {"1 = 2;", 1, 3, "cannot assign to this expression"},
    {"function F() { function G() { } }", 1, 16, "functions can only be defined at the top level"},
    {"if (1) { function G() { } }", 1, 10, "functions can only be defined at the top level"},
    {"function F(int a) { }\nfunction F(int b) { }", 2, 1,
     "function 'F' with 1 parameters is already defined at line 1"},
    {"function F() int a;", 1, 14, "expected '{' to begin the function's body, found 'int'"},
    {"int a = 1 2;", 1, 11, "expected ';', found number"},
};

TEST(ParserTable, EverySnippetParsesOrFailsWhereExpected)
{
    for (const Snippet& snippet : kSnippets) {
        loom::GlobalTable globals;
        loom::Parser parser(snippet.source, globals,
                            [](const std::string& name) { return name == "use" || name == "define"; });
        loom::Program program;
        const bool parsed = parser.ParseProgram(program);
        if (snippet.line == 0) {
            EXPECT_TRUE(parsed) << snippet.source << "\n -> " << parser.Error().line << ":" << parser.Error().column
                                << ": " << parser.Error().message;
            continue;
        }
        EXPECT_FALSE(parsed) << snippet.source;
        const loom::SyntaxError& error = parser.Error();
        EXPECT_EQ(std::to_string(error.line) + ":" + std::to_string(error.column) + ": " + error.message,
                  std::to_string(snippet.line) + ":" + std::to_string(snippet.column) + ": " + snippet.message)
            << snippet.source;
    }
}

// Nesting past the limit is refused, not a stack overflow.
TEST(ParserTable, DeepNestingIsRefused)
{
    loom::GlobalTable globals;
    const std::string source = "int a = " + std::string(100000, '(') + "1;";
    loom::Parser parser(source, globals, nullptr);
    loom::Program program;
    EXPECT_FALSE(parser.ParseProgram(program));
    EXPECT_EQ(parser.Error().message, "nesting too deep");
}

}  // namespace
