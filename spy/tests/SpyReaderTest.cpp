// The reader on windows of this process: a window that is gone, and one
// that disappears while it is read, give messages, not crashes.
#include "WindowReader.h"

#include <gtest/gtest.h>

namespace spy {
namespace {

HWND g_DestroyOnRead = nullptr;

// A child that destroys its top-level window when its text is asked for.
LRESULT CALLBACK VanishingProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETTEXTLENGTH && g_DestroyOnRead) {
        HWND top = g_DestroyOnRead;
        g_DestroyOnRead = nullptr;
        DestroyWindow(top);
        return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

class OwnWindow {
public:
    explicit OwnWindow(HWND wnd) : m_Wnd(wnd) {}
    ~OwnWindow()
    {
        if (IsWindow(m_Wnd)) DestroyWindow(m_Wnd);
    }
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
    HWND get() const { return m_Wnd; }

private:
    HWND m_Wnd;
};

TEST(SpyReader, GoneWindowAndWindowThatDisappearsWhileRead)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = VanishingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KestrelSpyVanishing";
    RegisterClassA(&wc);
    OwnWindow top(CreateWindowExA(0, "STATIC", "Spy reader test", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr));
    ASSERT_TRUE(top.get());
    CreateWindowExA(0, "BUTTON", "&OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10, 50, 20, top.get(),
                    reinterpret_cast<HMENU>(1), nullptr, nullptr);
    CreateWindowExA(0, "KestrelSpyVanishing", "", WS_CHILD, 10, 40, 50, 20, top.get(), nullptr, nullptr, nullptr);

    WindowReader reader;
    WindowNode node;
    std::string error;
    // Read while it stands: the button with its id, position and flags.
    ASSERT_TRUE(reader.Read(top.get(), node, error)) << error;
    EXPECT_EQ(node.children.size(), 2u);

    g_DestroyOnRead = top.get();
    EXPECT_FALSE(reader.Read(top.get(), node, error));
    EXPECT_NE(error.find("disappeared while it was read"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(reader.Read(top.get(), node, error));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

TEST(SpyReader, ReadsIdsPositionsAndFlagsOfChildren)
{
    OwnWindow top(CreateWindowExA(0, "STATIC", "Spy reader test", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr));
    ASSERT_TRUE(top.get());
    for (int id : {7, 8})
        CreateWindowExA(0, "BUTTON", id == 7 ? "&First" : "Second", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, id * 10,
                        50, 20, top.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "typed", WS_CHILD | WS_DISABLED | ES_READONLY, 5, 6, 40, 20, top.get(),
                                reinterpret_cast<HMENU>(9), nullptr, nullptr);
    ASSERT_TRUE(edit);
    WindowReader reader;
    WindowNode node;
    std::string error;
    ASSERT_TRUE(reader.Read(top.get(), node, error)) << error;
    ASSERT_EQ(node.children.size(), 3u);
    EXPECT_EQ(node.children[0].text, "&First");
    EXPECT_EQ(node.children[0].id, 7);
    EXPECT_EQ(node.children[0].position, 1);
    EXPECT_EQ(node.children[1].position, 2);
    const WindowNode& e = node.children[2];
    EXPECT_EQ(e.windowClass, "Edit");
    EXPECT_EQ(e.text, "typed");
    EXPECT_EQ(e.position, 1);
    EXPECT_FALSE(e.visible);
    EXPECT_FALSE(e.enabled);
    // Relative to the top-level window.
    EXPECT_EQ(e.rect.left, 5);
    EXPECT_EQ(e.rect.top, 6);
    EXPECT_EQ(e.rect.right, 45);
    EXPECT_EQ(e.rect.bottom, 26);
}

}  // namespace
}  // namespace spy
