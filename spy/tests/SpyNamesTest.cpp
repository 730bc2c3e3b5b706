// Names of declared windows and the spy's command line.
#include "DecWriter.h"
#include "SpyNames.h"
#include "SpyOptions.h"

#include <gtest/gtest.h>

namespace spy {
namespace {

TEST(SpyNames, IdentifiersDropMnemonicsBlanksPunctuationAndAccelerators)
{
    EXPECT_EQ(IdentifierFromText("&Reset All"), "ResetAll");
    EXPECT_EQ(IdentifierFromText("Select &all\tCtrl+A"), "SelectAll");
    EXPECT_EQ(IdentifierFromText("Save &As..."), "SaveAs");
    EXPECT_EQ(IdentifierFromText("Drag & Drop"), "DragDrop");
    EXPECT_EQ(IdentifierFromText("Button &1"), "Button1");
    EXPECT_EQ(IdentifierFromText("x-coordinate:"), "XCoordinate");
    // Nothing usable: no name from the text.
    EXPECT_EQ(IdentifierFromText(""), "");
    EXPECT_EQ(IdentifierFromText("..."), "");
    EXPECT_EQ(IdentifierFromText("\xc4rger"), "Rger");
    // A name must not start with a digit.
    EXPECT_EQ(IdentifierFromText("1st"), "");
    EXPECT_EQ(IdentifierFromText("\t&Tab only"), "");
}

TEST(SpyNames, ClassBasesAndUniqueNamesAmongSiblings)
{
    EXPECT_EQ(ClassBaseName("Edit"), "Edit");
    EXPECT_EQ(ClassBaseName("SysListView32"), "ListView");
    EXPECT_EQ(ClassBaseName("#32770"), "Dialog");
    EXPECT_EQ(ClassBaseName("Afx:400000:8"), "Afx");
    EXPECT_EQ(ClassBaseName("KestrelTargetChild"), "KestrelTargetChild");
    EXPECT_EQ(ClassBaseName("32"), "Window");

    NameScope scope;
    EXPECT_EQ(scope.Claim("OK"), "OK");
    EXPECT_EQ(scope.Claim("OK"), "OK2");
    EXPECT_EQ(scope.Claim("OK"), "OK3");
    // A generated suffix must not collide with a name taken later or before.
    EXPECT_EQ(scope.Claim("Edit2"), "Edit2");
    EXPECT_EQ(scope.Claim("Edit"), "Edit");
    EXPECT_EQ(scope.Claim("Edit"), "Edit3");

    EXPECT_TRUE(IsIdentifier("Edit2"));
    EXPECT_TRUE(IsIdentifier("_x"));
    EXPECT_FALSE(IsIdentifier("Reset All"));
    EXPECT_FALSE(IsIdentifier("2nd"));
    EXPECT_FALSE(IsIdentifier(""));
}

TEST(SpyNames, LiteralsEscapeWhatTheLoaderUnescapesAndRefuseQuotes)
{
    std::string literal;
    ASSERT_TRUE(DecWriter::Literal("C:\\dir\tx\r\n", literal));
    EXPECT_EQ(literal, "\"C:\\\\dir\\tx\\r\\n\"");
    ASSERT_TRUE(DecWriter::Literal("", literal));
    EXPECT_EQ(literal, "\"\"");
    EXPECT_FALSE(DecWriter::Literal("say \"hi\"", literal));
}

std::string ParseError(std::vector<std::string> args)
{
    SpyOptions options;
    std::string error;
    return ParseSpyOptions(args, options, error) ? std::string("accepted") : error;
}

TEST(SpyOptions, SelectionsActionsAndValues)
{
    SpyOptions options;
    std::string error;
    ASSERT_TRUE(ParseSpyOptions({"--run", "notepad.exe", "--class", "Notepad", "--out", "n.dec", "--wait", "2.5"},
                                options, error))
        << error;
    EXPECT_EQ(options.select, SpyOptions::Select::Class);
    EXPECT_EQ(options.className, "Notepad");
    EXPECT_EQ(options.run, "notepad.exe");
    EXPECT_EQ(options.action, SpyOptions::Action::Out);
    EXPECT_EQ(options.outPath, "n.dec");
    EXPECT_DOUBLE_EQ(options.waitSeconds, 2.5);

    ASSERT_TRUE(ParseSpyOptions({"--at", "-5,120"}, options, error)) << error;
    EXPECT_EQ(options.atX, -5);
    EXPECT_EQ(options.atY, 120);
    ASSERT_TRUE(ParseSpyOptions({"--pid", "42", "--tree", "--items", "3"}, options, error)) << error;
    EXPECT_EQ(options.pid, 42u);
    EXPECT_EQ(options.itemLimit, 3);
    // --run alone selects the started program's windows.
    EXPECT_EQ(ParseError({"--run", "x.exe", "--tree"}), "accepted");
}

TEST(SpyOptions, WrongArgumentsAreNamed)
{
    EXPECT_EQ(ParseError({}), "no action: give --tree, --out FILE or --at X,Y");
    EXPECT_EQ(ParseError({"--tree"}), "no window selected: give --title, --class, --pid, --all or --run");
    EXPECT_EQ(ParseError({"--title"}), "--title needs a value");
    EXPECT_EQ(ParseError({"--all", "--class", "X", "--tree"}),
              "--class: only one of --title, --class, --pid and --all can be given");
    EXPECT_EQ(ParseError({"--all", "--tree", "--out", "x"}), "--out: only one of --tree, --out and --at can be given");
    EXPECT_EQ(ParseError({"--pid", "12x", "--tree"}), "--pid: '12x' is not a process id");
    EXPECT_EQ(ParseError({"--pid", "0", "--tree"}), "--pid: '0' is not a process id");
    EXPECT_EQ(ParseError({"--at", "10"}), "--at: '10' is not a point X,Y");
    EXPECT_EQ(ParseError({"--at", "a,b"}), "--at: 'a,b' is not a point X,Y");
    EXPECT_EQ(ParseError({"--all", "--wait", "0", "--tree"}), "--wait: '0' is not a number of seconds from 0 to 600");
    EXPECT_EQ(ParseError({"--all", "--out", ""}), "--out: the file name is empty");
    EXPECT_EQ(ParseError({"--all", "--tree", "--verbose"}), "unknown argument '--verbose'");
}

TEST(SpyOptions, TitlePatternsFollowTheLookupsRule)
{
    SpyOptions options;
    options.select = SpyOptions::Select::Title;
    options.title = "Notepad";
    EXPECT_TRUE(MatchesSelection(options, "Notepad", "Notepad"));
    EXPECT_FALSE(MatchesSelection(options, "Notepad", "Untitled - Notepad"));
    // Only the text before the first '*' counts, anywhere in the caption.
    options.title = "Notepad*";
    EXPECT_TRUE(MatchesSelection(options, "Notepad", "Untitled - Notepad"));
    options.title = "Untitled*Word";
    EXPECT_TRUE(MatchesSelection(options, "X", "Untitled - Notepad"));
    EXPECT_FALSE(MatchesSelection(options, "X", "untitled"));
    options.select = SpyOptions::Select::Class;
    options.className = "Edit";
    EXPECT_TRUE(MatchesSelection(options, "Edit", "anything"));
    EXPECT_FALSE(MatchesSelection(options, "EDIT", "anything"));
}

}  // namespace
}  // namespace spy
