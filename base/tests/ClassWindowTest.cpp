// The window type: registration, text form, copies with owned paths,
// members and arrays of members, path trees, listing.
#include "ClassWindow.h"
#include "TestSupport.h"
#include "WinData.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> PathOf(const CDataWindow& w)
{
    std::vector<std::string> out;
    for (const WinDataT* n = w.path; n; n = n->child)
        out.push_back(n->windowClass->str() + "/" + n->tag->str() + "/" + std::to_string(n->tagNumber));
    return out;
}

CDataWindow MakeWindow(const char* name, const char* cls, const char* tag, int tagNumber = 0)
{
    CDataWindow w;
    w.name = name;
    w.windowClass = cls;
    w.tag = tag;
    w.tagNumber = tagNumber;
    return w;
}

}  // namespace

TEST(WindowType, RegistersOnceAndMakesValuesOfItsType)
{
    CDataWindow first;
    int type = CDataWindow::GetRegisteredType();
    EXPECT_GT(type, 1);
    for (int i = 0; i < 50; ++i) {
        CDataWindow more;
        EXPECT_EQ(more.GetType(), type);
    }
    EXPECT_EQ(CDataWindow::GetRegisteredType(), type);
    EXPECT_EQ(Factory_GetTypeByName("window"), type);
    EXPECT_EQ(first.GetTypeName(), "window");

    CData* made = Factory_MakeData(type);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetType(), type);
    EXPECT_TRUE(first.DeleteData(made));
}

TEST(WindowType, TextFormFollowsHandleThenNumberThenTag)
{
    CDataWindow w;
    EXPECT_EQ(w.GetString(), "Tag: '' Class: ''");
    w.windowClass = "Button";
    w.tag = "OK";
    EXPECT_EQ(w.GetString(), "Tag: 'OK' Class: 'Button'");
    w.tagNumber = 3;
    EXPECT_EQ(w.GetString(), "Tag: 3 Class: 'Button'");
    w.handle = 1234;
    EXPECT_EQ(w.GetString(), "Handle: 1234");
    EXPECT_FALSE(w.DataFromString("\"x\""));
    EXPECT_EQ(w.SizeOf(), 0);
}

TEST(WindowType, CopiesOwnTheirPaths)
{
    CDataWindow top = MakeWindow("Top", "TopClass", "Title");
    CDataWindow mid = MakeWindow("Mid", "MidClass", "", 2);
    CDataWindow leaf = MakeWindow("Leaf", "Edit", "x");
    ASSERT_TRUE(top.ConstructChildPath(&mid));
    ASSERT_TRUE(mid.ConstructChildPath(&leaf));
    EXPECT_EQ(PathOf(leaf), (std::vector<std::string>{"TopClass/Title/0", "MidClass//2"}));
    EXPECT_TRUE(leaf.path->name->IsEmpty());

    {
        CDataWindow copy(leaf);
        EXPECT_NE(copy.path, leaf.path);
        EXPECT_EQ(PathOf(copy), PathOf(leaf));
        CDataWindow assigned;
        assigned = leaf;
        EXPECT_NE(assigned.path, leaf.path);
        CDataWindow viaEngine;
        viaEngine.operator_equal(&leaf, nullptr);
        EXPECT_NE(viaEngine.path, leaf.path);
        EXPECT_EQ(PathOf(viaEngine), PathOf(leaf));
    }
    // The copies are gone; the original path is intact.
    EXPECT_EQ(PathOf(leaf), (std::vector<std::string>{"TopClass/Title/0", "MidClass//2"}));

    // A new path replaces the old one rather than extending it.
    ASSERT_TRUE(top.ConstructChildPath(&leaf));
    EXPECT_EQ(PathOf(leaf), (std::vector<std::string>{"TopClass/Title/0"}));
}

TEST(WindowType, CopyDataKeepsTheFoundWindowButTakesTheRest)
{
    CDataWindow source = MakeWindow("A", "Edit", "t", 4);
    source.handle = 77;
    source.depth = 2;
    source.foundWindow = reinterpret_cast<HWND>(0x10);
    CDataWindow target;
    target.foundWindow = reinterpret_cast<HWND>(0x20);
    EXPECT_TRUE(target.CopyData(&source));
    EXPECT_EQ(target.foundWindow, reinterpret_cast<HWND>(0x20));
    EXPECT_EQ(target.handle, 77);
    EXPECT_EQ(target.depth, 2);
    EXPECT_EQ(target.tagNumber, 4);
    CDataInt notAWindow(3);
    EXPECT_FALSE(target.CopyData(&notAWindow));
    EXPECT_FALSE(target.CopyData(nullptr));
}

TEST(WindowMembers, RepeatedNamesBecomeArrayElements)
{
    CDataWindow owner = MakeWindow("Main", "Frame", "T");
    CDataWindow first = MakeWindow("Item", "Button", "One");
    CDataWindow second = MakeWindow("Item", "Button", "Two");
    CDataWindow third = MakeWindow("Item", "Button", "Three");
    String name("Item");
    EXPECT_EQ(owner.AddLocalVariable(&first, name).GetState(), CStatus::Success);
    EXPECT_EQ(owner.AddLocalVariable(&second, name).GetState(), CStatus::Success);
    EXPECT_EQ(owner.AddLocalVariable(&third, name).GetStatusMessage(), "Success");
    ASSERT_EQ(owner.members.size(), 1u);
    const CVariable& item = owner.members[0];
    ASSERT_EQ(item.GetNumElems(), 3);
    ASSERT_NE(item.GetDims(), nullptr);
    EXPECT_EQ(item.GetDims()->index, 3);
    EXPECT_EQ(WindowOf(item, 0)->tag, "One");
    EXPECT_EQ(WindowOf(item, 1)->tag, "Two");
    EXPECT_EQ(WindowOf(item, 2)->tag, "Three");

    String other("Other");
    owner.AddLocalVariable(&first, other);
    EXPECT_EQ(owner.members.size(), 2u);
    EXPECT_EQ(owner.AddLocalVariable(nullptr, other).GetStatusMessage(),
              "Internal error in ClassWindow at line 1572.");
}

TEST(WindowMembers, MemberAccessReadsAndWritesMembersTagAndClass)
{
    CDataWindow owner = MakeWindow("Main", "Frame", "Title");
    CDataWindow child = MakeWindow("Field", "Edit", "old");
    String name("Field");
    owner.AddLocalVariable(&child, name);

    CVariable fetched("Field");
    ASSERT_TRUE(owner.SSI_UpdateVariable(fetched, 1));
    ASSERT_NE(WindowOf(fetched), nullptr);
    EXPECT_EQ(WindowOf(fetched)->tag, "old");

    WindowOf(fetched)->tag = "new";
    ASSERT_TRUE(owner.SSI_UpdateVariable(fetched, 0));
    EXPECT_EQ(WindowOf(owner.members[0])->tag, "new");

    CVariable tag("Tag");
    ASSERT_TRUE(owner.SSI_UpdateVariable(tag, 1));
    EXPECT_EQ(tag.GetWorkingData()->GetString(), "Title");
    CDataString value("Untitled*");
    tag.SetData(&value);
    ASSERT_TRUE(owner.SSI_UpdateVariable(tag, 0));
    EXPECT_EQ(owner.tag, "Untitled*");

    CVariable cls("Class");
    CDataString edit("RichEdit");
    cls.SetData(&edit);
    ASSERT_TRUE(owner.SSI_UpdateVariable(cls, 0));
    EXPECT_EQ(owner.windowClass, "RichEdit");

    CVariable missing("Nothing");
    CStatus status = owner.SSI_UpdateVariable(missing, 1);
    EXPECT_TRUE(status.IsError());
    EXPECT_EQ(status.GetStatusMessage(), "Variable 'Nothing' not a member of RichEdit. (K00101)");
}

TEST(WindowMembers, PathTreeMirrorsMembersInOrder)
{
    CDataWindow owner = MakeWindow("Main", "Frame", "T");
    owner.isParent = 1;
    owner.kind = "MainWin";
    CDataWindow a = MakeWindow("A", "Edit", "a");
    CDataWindow b = MakeWindow("B", "Button", "", 2);
    CDataWindow b2 = MakeWindow("B", "Button", "", 3);
    CDataWindow nested = MakeWindow("N", "Static", "n");
    String n("N");
    a.AddLocalVariable(&nested, n);
    String an("A"), bn("B");
    owner.AddLocalVariable(&a, an);
    owner.AddLocalVariable(&b, bn);
    owner.AddLocalVariable(&b2, bn);

    WinDataPtr tree(owner.CreatePathTree());
    ASSERT_TRUE(tree);
    EXPECT_EQ(*tree->name, "Main");
    EXPECT_EQ(*tree->kind, "MainWin");
    EXPECT_EQ(tree->isParent, 1);
    const WinDataT* first = tree->child;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first->name, "A");
    ASSERT_NE(first->child, nullptr);
    EXPECT_EQ(*first->child->name, "N");
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(first->next->tagNumber, 2);
    EXPECT_EQ(first->next->prev, first);
    ASSERT_NE(first->next->next, nullptr);
    EXPECT_EQ(first->next->next->tagNumber, 3);
    EXPECT_EQ(first->next->next->next, nullptr);
}

TEST(WindowListing, WritesOneIndentedLinePerWindow)
{
    CEngine engine;
    CaptureStream out;
    engine.SetOutStream(&out);

    CDataWindow main = MakeWindow("Main", "MainClass", "Main Title");
    CDataWindow field = MakeWindow("Field", "Edit", "", 2);
    field.depth = 1;
    CDataWindow menu = MakeWindow("File", "Menu", "", 0);
    menu.depth = 1;
    CDataWindow item = MakeWindow("Open", "MenuItem", "ignored", 0);
    item.depth = 2;
    String itemName("Open"), fieldName("Field"), menuName("File");
    menu.AddLocalVariable(&item, itemName);
    main.AddLocalVariable(&field, fieldName);
    main.AddLocalVariable(&menu, menuName);
    CDataWindow untitled = MakeWindow("Any", "Notepad", "Untitled*");
    untitled.depth = 1;
    String anyName("Any");
    main.AddLocalVariable(&untitled, anyName);

    main.ListToScreen(&engine);
    EXPECT_EQ(out.lines, (std::vector<std::string>{
                             "Main {Class:MainClass; Tag:Main Title}",
                             "   Field {Class:Edit; Tag:[2]}",
                             "   File {Class:Menu; Tag:[0]}",
                             "      Open {Class:MenuItem; Tag:[0]}",
                             "   Any {Class:Notepad; Tag:Untitled*}",
                         }));
    engine.SetOutStream(nullptr);
    main.ListToScreen(&engine);  // no stream: nothing written, no crash
    main.ListToScreen(nullptr);
    EXPECT_EQ(out.lines.size(), 5u);
}

TEST(WindowType, ValueFromLiveWindowTakesClassTextAndFlags)
{
    HWND top = CreateWindowExA(0, "STATIC", "Top Level", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(top, nullptr);
    HWND child = CreateWindowExA(0, "BUTTON", "Press", WS_CHILD, 0, 0, 10, 10, top, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(child, nullptr);

    CDataWindow w;
    w.name = "kept";
    w.depth = 3;
    EXPECT_EQ(w.InitializeFromWindow(top), 1);
    EXPECT_EQ(w.isParent, 1);
    EXPECT_EQ(w.isChild, 0);
    EXPECT_EQ(w.depth, 0);
    EXPECT_EQ(w.windowClass, "Static");
    EXPECT_EQ(w.tag, "Top Level");
    EXPECT_EQ(w.kind, "MainWin");
    EXPECT_EQ(w.name, "kept");
    EXPECT_EQ(w.foundWindow, top);
    EXPECT_TRUE(w.boolean());

    w.InitializeFromWindow(child);
    EXPECT_EQ(w.isParent, 0);
    EXPECT_EQ(w.isChild, 1);
    EXPECT_EQ(w.windowClass, "Button");
    EXPECT_EQ(w.tag, "Press");

    DestroyWindow(top);
    w.InitializeFromWindow(child);  // destroyed with its parent
    EXPECT_EQ(w.windowClass, "");
    EXPECT_EQ(w.handle, 0);
    EXPECT_FALSE(w.boolean());
}

TEST(WindowType, SmallOperations)
{
    CDataWindow::SetDelay(-5);
    EXPECT_EQ(CDataWindow::iDelay, 0);
    CDataWindow::SetDelay(200);
    EXPECT_EQ(CDataWindow::iDelay, 200);

    CDataWindow w;
    String text;
    EXPECT_EQ(w.GetText(text).GetStatusMessage(), "Internal error in ClassWindow at line 436.");
    EXPECT_EQ(w.SetText(text).GetStatusMessage(), "Internal error in ClassWindow at line 458.");
}
