// The declarations-file parser and the window values built from its tree.
#include "Declarations.h"
#include "KeywordProcessor.h"
#include "TestSupport.h"
#include "WindowChecker.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Parses lines (joined with line feeds) through a real file, shown in
// messages as "t.dec".
CStatus ParseText(const std::string& text, WinDataPtr& tree, std::vector<String>* warnings = nullptr)
{
    TempFile file("kestrel_decl_test.dec", text);
    std::vector<String> ignored;
    return ParseDeclarationsFile(file.path.c_str(), "t.dec", tree, warnings ? *warnings : ignored);
}

// The warnings that parsing `text` gives, one per line.
std::string WarningsOf(const std::string& text)
{
    WinDataPtr tree;
    std::vector<String> warnings;
    CStatus status = ParseText(text, tree, &warnings);
    std::string all = status ? "" : "not loaded: " + status.GetStatusMessage().str() + "\n";
    for (const String& w : warnings)
        all += w.str() + "\n";
    return all;
}

std::string Message(const CStatus& s)
{
    return s.GetStatusMessage().str();
}

const char* kNotepad =
    "[-]MainWin \"Notepad\"\n"
    "\t(1)Tag=\"Untitled*\"\n"
    "\t(1)Class=\"Notepad\"\n"
    "\t(1)Parent=1\n"
    "\t[-]Edit \"Text\"\n"
    "\t\t(1)Tag=1\n"
    "\t\t(1)Class=\"Edit\"\n"
    "\t\t(1)Child=1\n"
    "\t[-]Menu\n"
    "\t\t(1)Class=\"Menu\"\n"
    "\t\t[-]MenuItem \"File\"\n"
    "\t\t\t(1)Class=\"Menu\"\n"
    "\t\t\t(1)Tag=0\n"
    "\t\t\t[-]MenuItem \"Open\"\n"
    "\t\t\t\t(1)Class=\"MenuItem\"\n"
    "\t\t\t\t(1)Tag=1\n"
    "[-]MainWin \"Other\"\n"
    "\t(1)Class=\"OtherClass\"\n";

}  // namespace

TEST(DeclarationsParser, BuildsTheTreeFromIndentation)
{
    WinDataPtr tree;
    ASSERT_TRUE(ParseText(kNotepad, tree)) << "parse";
    const WinDataT* notepad = tree.get();
    EXPECT_EQ(*notepad->name, "Notepad");
    EXPECT_EQ(*notepad->kind, "MainWin");
    EXPECT_EQ(*notepad->tag, "Untitled*");
    EXPECT_EQ(*notepad->windowClass, "Notepad");
    EXPECT_EQ(notepad->isParent, 1);
    const WinDataT* text = notepad->child;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(*text->name, "Text");
    EXPECT_EQ(text->tagNumber, 1);
    EXPECT_EQ(text->isChild, 1);
    EXPECT_EQ(text->parent, notepad);
    const WinDataT* menu = text->next;
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->prev, text);
    EXPECT_EQ(menu->parent, notepad);
    EXPECT_EQ(*menu->kind, "Menu");
    EXPECT_EQ(*menu->name, "Menu");
    ASSERT_NE(menu->child, nullptr);
    EXPECT_EQ(*menu->child->child->name, "Open");
    const WinDataT* other = notepad->next;
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(*other->windowClass, "OtherClass");
    EXPECT_EQ(other->parent, nullptr);
}

TEST(DeclarationsParser, PropertyValuesAndNames)
{
    DeclarationsParser p;
    ASSERT_TRUE(p.ParseLine("[x]Edit \"  \"", 1));
    EXPECT_EQ(*p.Root()->name, "NoName");
    EXPECT_EQ(*p.Root()->kind, "Edit");
    ASSERT_TRUE(p.ParseLine("(1)Tag=5", 2));
    EXPECT_EQ(p.Root()->tagNumber, 5);
    ASSERT_TRUE(p.ParseLine("(1)Tag=\"5\"", 3));
    EXPECT_EQ(*p.Root()->tag, "5");
    ASSERT_TRUE(p.ParseLine("(1) Tag=\"ignored\"", 4));  // key " Tag" is not "Tag"
    EXPECT_EQ(*p.Root()->tag, "5");
    ASSERT_TRUE(p.ParseLine("(1)Class=Edit", 5));  // no literal: nothing
    EXPECT_EQ(*p.Root()->windowClass, "");
    ASSERT_TRUE(p.ParseLine("(1)Colour=3", 6));
    ASSERT_TRUE(p.ParseLine("a line without anything", 7));
    ASSERT_TRUE(p.ParseLine("", 8));

    // Quote-aware splitting: brackets and parentheses inside quotes stay.
    DeclarationsParser q;
    ASSERT_TRUE(q.ParseLine("[-]MenuItem \"Open (Ctrl+O) [x]\"", 1));
    EXPECT_EQ(*q.Root()->name, "Open (Ctrl+O) [x]");
    ASSERT_TRUE(q.ParseLine("(1)Tag=\"a(b)=c\"", 2));
    EXPECT_EQ(*q.Root()->tag, "a(b)=c");

    // Properties before the first declaration belong to the first node.
    DeclarationsParser r;
    ASSERT_TRUE(r.ParseLine("(1)Class=\"Early\"", 1));
    ASSERT_TRUE(r.ParseLine("[-]Edit \"Late\"", 2));
    EXPECT_EQ(*r.Root()->windowClass, "Early");
    EXPECT_EQ(*r.Root()->name, "Late");
}

TEST(DeclarationsParser, SkippedLevelsMakeEmptyIntermediateNodes)
{
    WinDataPtr tree;
    ASSERT_TRUE(ParseText("[-]A \"Top\"\n\t\t\t[-]B \"Deep\"\n\t[-]C \"Side\"\n", tree));
    const WinDataT* level1 = tree->child;
    ASSERT_NE(level1, nullptr);
    EXPECT_EQ(*level1->name, "");
    ASSERT_NE(level1->child, nullptr);
    ASSERT_NE(level1->child->child, nullptr);
    EXPECT_EQ(*level1->child->child->name, "Deep");
    ASSERT_NE(level1->next, nullptr);
    EXPECT_EQ(*level1->next->name, "Side");
    EXPECT_EQ(level1->next->parent, tree.get());
}

TEST(DeclarationsParser, EveryErrorNamesItsLine)
{
    WinDataPtr tree;
    EXPECT_EQ(Message(ParseText("[-]A \"a\"\n\n[-  B \"b\"\n", tree)),
              "t.dec:3: error: Incorrect declaration syntax on line 3. (K00250)");
    EXPECT_EQ(Message(ParseText("[-]Window\n", tree)), "t.dec:1: error: Incorrect declaration syntax on line 1. (K00251)");
    EXPECT_EQ(Message(ParseText("[-]A \"a\"\n\n\n(1)Parent=yes\n", tree)),
              "t.dec:4: error: Incorrect declaration syntax on line 4. Expect and integer. (K00252)");
    EXPECT_EQ(Message(ParseText("[-]A \"a\"\n(1)Child=\"1\"\n", tree)),
              "t.dec:2: error: Incorrect declaration syntax on line 2. Expect and integer. (K00253)");
    EXPECT_EQ(Message(ParseText("[-]A \"a\"\n(1 Tag=1\n", tree)),
              "t.dec:2: error: Could not load declarations file. (K00540)");
    EXPECT_EQ(Message(ParseText("\t[-]A \"a\"\n[-]B \"b\"\n", tree)),
              "t.dec:2: error: Declaration on line 2 is less indented than the first declaration. (K00255)");
    EXPECT_FALSE(tree);

    std::string deep = "[-]A \"a\"\n" + std::string(DeclarationsParser::kMaxDepth + 1, '\t') + "[-]B \"b\"\n";
    EXPECT_EQ(Message(ParseText(deep, tree)), "t.dec:2: error: Declaration on line 2 is nested too deeply. (K00256)");
    std::string deepest = "[-]A \"a\"\n" + std::string(DeclarationsParser::kMaxDepth, '\t') + "[-]B \"b\"\n";
    EXPECT_TRUE(ParseText(deepest, tree));

    WinDataPtr missing;
    EXPECT_EQ(Message(ParseDeclarationsFile("C:\\no\\such\\file.dec", missing)),
              "Could not open file 'C:\\no\\such\\file.dec'. (K00103)");
}

TEST(DeclarationsParser, SurvivesHostileInput)
{
    WinDataPtr tree;
    // A file without declarations is refused rather than loaded as one
    // empty window.
    EXPECT_EQ(Message(ParseText("", tree)),
              "t.dec:1: error: The file holds no declaration line '[-]Kind \"Name\"'. (K00257)");
    EXPECT_FALSE(tree);

    // Binary garbage: every byte value, NUL included, in a scrambled order.
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>((seed >> 16) & 0xFF);
    }
    CStatus status = ParseText(garbage, tree);
    EXPECT_TRUE(status.IsSuccess() || status.IsError());

    // Lines of 100,000 characters: a long name, long tag, long tab run.
    std::string longName(100000, 'n');
    std::string longLines = "[-]Edit \"" + longName + "\"\n(1)Tag=\"" + std::string(100000, 't') + "\"\n" +
                            std::string(100000, '[') + "\n";
    EXPECT_EQ(Message(ParseText(longLines, tree)), "t.dec:3: error: Incorrect declaration syntax on line 3. (K00250)");
    ASSERT_TRUE(ParseText("[-]Edit \"" + longName + "\"\n(1)Tag=\"" + std::string(100000, 't') + "\"\n", tree));
    EXPECT_EQ(tree->name->GetLength(), 100000);
    EXPECT_EQ(tree->tag->GetLength(), 100000);
    ASSERT_TRUE(ParseText(std::string(100000, '\t') + "[-]Edit \"x\"\n", tree));

    // A long run of siblings is freed without recursion.
    std::string many;
    for (int i = 0; i < 50000; ++i)
        many += "[-]Edit \"e\"\n";
    ASSERT_TRUE(ParseText(many, tree));
    int count = 0;
    for (const WinDataT* n = tree.get(); n; n = n->next)
        ++count;
    EXPECT_EQ(count, 50000);
}

TEST(DeclarationsDiagnostics, TyposGiveWarningsWithFileAndLine)
{
    const std::string head = "[-]MainWin \"Main\"\n\t(1)Class=\"MainClass\"\n";
    EXPECT_EQ(WarningsOf(head + "\t[-]Control \"Field\"\n\t\t(1)Clas=\"Edit\"\n"),
              "t.dec:4: warning: Unknown key 'Clas' ignored; the keys are Tag, Class, Parent and Child. (K00260)\n");
    EXPECT_EQ(WarningsOf(head + "    [-]Control \"Field\"\n"),
              "t.dec:3: warning: Line starts with blanks; only tabs count as indentation. (K00261)\n");
    EXPECT_EQ(WarningsOf(head + "\t\t[-]Control \"Field\"\n"),
              "t.dec:3: warning: Declaration is indented 2 levels below the one before; a child is one tab deeper "
              "than its parent. (K00262)\n");
    EXPECT_EQ(WarningsOf(head + "\t[-]Control \"Field\"\n\t\t(1)Tag=\"Name\n"),
              "t.dec:4: warning: Unterminated string: a '\"' has no partner on this line. (K00265)\n");
    EXPECT_EQ(WarningsOf(head + "\t[-]Control Field\n"),
              "t.dec:3: warning: Name Field is not a quoted string. (K00264)\n");
    EXPECT_EQ(WarningsOf(head + "\t[-]Control \"Reset All\"\n"),
              "t.dec:3: warning: Name 'Reset All' is not an identifier; a script cannot name it as a member. "
              "(K00263)\n");
    // Clean lines, blank lines and escaped quotes give none.
    EXPECT_EQ(WarningsOf(head + "\n\t[-]Control \"Field_2\"\n\t\t(1)Tag=\"say \\\"hi\\\"\"\n"), "");
}

TEST(DeclarationsDiagnostics, AScriptFileIsRefusedWithAFewWarnings)
{
    std::string script;
    for (int i = 0; i < 40; ++i)
        script += "print(\"line " + std::to_string(i) + "\");\n";
    const std::string all = WarningsOf(script);
    EXPECT_EQ(all.rfind("not loaded: t.dec:40: error: The file holds no declaration line", 0), 0u) << all;
    EXPECT_NE(all.find("t.dec:1: warning: Unknown key ';' ignored"), std::string::npos) << all;
    EXPECT_NE(all.find("warning: further warnings not shown."), std::string::npos) << all;
    EXPECT_LT(std::count(all.begin(), all.end(), '\n'), 25) << all;
}

class UseKeywordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDataWindow registers;
        engine.SetOutStream(&out);
    }
    const CVariable* Variable(const char* name)
    {
        for (const CVariable& v : engine.PendingVariables())
            if (v.GetName() == name)
                return &v;
        return nullptr;
    }
    CStatus Use(const std::string& path)
    {
        SSI_KeywordAPI call;
        call.Engine = &engine;
        call.Keyword = "use";
        call.Argument = String("\"" + path + "\"");
        KeywordProcessor(call);
        return call.Status;
    }
    CEngine engine;
    CaptureStream out;
};

TEST_F(UseKeywordTest, MakesVariablesWithMembersAndPaths)
{
    TempFile file("kestrel_use_test.dec", kNotepad);
    std::string escaped;
    for (char c : file.path) {
        escaped += c;
        if (c == '\\')
            escaped += '\\';
    }
    ASSERT_TRUE(Use(escaped));
    const CVariable* notepadVar = Variable("Notepad");
    ASSERT_NE(notepadVar, nullptr);
    ASSERT_NE(Variable("Other"), nullptr);
    CDataWindow* notepad = WindowOf(*notepadVar);
    ASSERT_NE(notepad, nullptr);
    EXPECT_EQ(notepad->depth, 0);
    EXPECT_EQ(notepad->path, nullptr);

    // The menu placeholder is transparent: File is a member of Notepad.
    ASSERT_NE(MemberOf(*notepad, "Text"), nullptr);
    const CVariable* fileVar = MemberOf(*notepad, "File");
    ASSERT_NE(fileVar, nullptr);
    EXPECT_EQ(MemberOf(*notepad, "Menu"), nullptr);
    CDataWindow* fileMenu = WindowOf(*fileVar);
    EXPECT_EQ(fileMenu->depth, 1);
    ASSERT_NE(fileMenu->path, nullptr);
    EXPECT_EQ(*fileMenu->path->windowClass, "Notepad");
    EXPECT_EQ(*fileMenu->path->tag, "Untitled*");
    CDataWindow* open = WindowOf(*MemberOf(*fileMenu, "Open"));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->depth, 2);
    ASSERT_NE(open->path->child, nullptr);
    EXPECT_EQ(*open->path->child->windowClass, "Menu");

    notepad->ListToScreen(&engine);
    EXPECT_EQ(out.lines, (std::vector<std::string>{
                             "Notepad {Class:Notepad; Tag:Untitled*}",
                             "   Text {Class:Edit; Tag:[1]}",
                             "   File {Class:Menu; Tag:[0]}",
                             "      Open {Class:MenuItem; Tag:[1]}",
                         }));
}

TEST_F(UseKeywordTest, RepeatedNamesBecomeArraysAndErrorsStopTheLoading)
{
    TempFile twice("kestrel_use_twice.dec",
                   "[-]MainWin \"Main\"\n\t[-]Button \"Choice\"\n\t\t(1)Tag=\"One\"\n"
                   "\t[-]Button \"Choice\"\n\t\t(1)Tag=\"Two\"\n");
    std::string path = twice.path;
    for (size_t i = 0; i < path.size(); ++i)
        if (path[i] == '\\')
            path[i] = '/';
    ASSERT_TRUE(Use(path));
    CDataWindow* main = WindowOf(*Variable("Main"));
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(main->members.size(), 1u);
    const CVariable& choice = main->members[0];
    ASSERT_EQ(choice.GetNumElems(), 2);
    EXPECT_EQ(WindowOf(choice, 0)->tag, "One");
    EXPECT_EQ(WindowOf(choice, 1)->tag, "Two");

    TempFile emptyMenu("kestrel_use_menu.dec", "[-]MainWin \"Good\"\n[-]MainWin \"Bad\"\n\t[-]Menu\n\t\t(1)Class=\"Menu\"\n");
    path = emptyMenu.path;
    for (size_t i = 0; i < path.size(); ++i)
        if (path[i] == '\\')
            path[i] = '/';
    CStatus status = Use(path);
    EXPECT_EQ(Message(status), "Menu of 'Bad' declares no menu items. (K00212)");
    EXPECT_NE(Variable("Good"), nullptr);  // defined before the failure
    EXPECT_EQ(Variable("Bad"), nullptr);

    EXPECT_EQ(Message(Use("C:/does/not/exist.dec")), "Could not open file 'C:\\does\\not\\exist.dec'. (K00103)");
    SSI_KeywordAPI bare;
    bare.Engine = &engine;
    bare.Keyword = "use";
    bare.Argument = "notAString";
    KeywordProcessor(bare);
    EXPECT_EQ(Message(bare.Status), "Keyword 'use' requires a string parameter. (K00210)");
}

TEST(DefineKeyword, DefinesAndRedefinesAliases)
{
    DestroyWindowChecker();
    EXPECT_TRUE(DefineClass("MyEdit = \"Edit\""));
    String mine("MyEdit");
    EXPECT_EQ(ResolveClassAlias(mine), "Edit");
    EXPECT_TRUE(DefineClass("\"MyEdit\"=RichEdit20A"));
    EXPECT_EQ(ResolveClassAlias(mine), "RichEdit20A");
    EXPECT_EQ(Message(DefineClass("= \"Edit\"")), "Incorrect 'define' syntax. (K00211)");
    EXPECT_EQ(Message(DefineClass("NoEquals")), "Incorrect 'define' syntax. (K00211)");

    SSI_KeywordAPI call;
    call.Keyword = "define";
    call.Argument = "Other=Button";
    KeywordProcessor(call);
    EXPECT_TRUE(call.Status);
    String other("Other");
    EXPECT_EQ(ResolveClassAlias(other), "Button");
    DestroyWindowChecker();
}
