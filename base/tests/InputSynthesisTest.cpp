// Key names, typing with escapes and combinations, single key presses and
// mouse clicks: the exact events injected (recorded by a test sink), and
// real typing into an edit control of this process.
#include "InputSynthesis.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <windows.h>

#include <vector>

namespace {

struct Event {
    bool mouse;
    unsigned a;  // vk, or mouse flags
    unsigned b;  // scan, or x
    unsigned c;  // key flags, or y
    bool operator==(const Event& o) const { return mouse == o.mouse && a == o.a && b == o.b && c == o.c; }
};

std::ostream& operator<<(std::ostream& os, const Event& e)
{
    return os << (e.mouse ? "mouse(" : "key(") << std::hex << e.a << "," << e.b << "," << e.c << ")";
}

class Recorder : public InputSink {
public:
    void Key(unsigned char vk, unsigned char scan, unsigned flags) override
    {
        events.push_back({false, vk, scan, flags});
    }
    void Mouse(unsigned flags, int x, int y) override
    {
        events.push_back({true, flags, static_cast<unsigned>(x), static_cast<unsigned>(y)});
    }
    std::vector<Event> events;
};

Event Down(unsigned vk, unsigned scan) { return {false, vk, scan, 0}; }
Event Up(unsigned vk, unsigned scan) { return {false, vk, scan, 2}; }
unsigned Scan(unsigned code) { return static_cast<unsigned char>(MapVirtualKeyA(code, 0)); }
unsigned Vk(char c) { return static_cast<unsigned char>(VkKeyScanA(c)); }
unsigned CharScan(char c) { return Scan(static_cast<unsigned>(static_cast<int>(VkKeyScanA(c)))); }

// Press and release of a character, with Shift around it when it needs it.
void ExpectChar(std::vector<Event>& out, char c)
{
    const int k = VkKeyScanA(c);
    bool shift = k != -1 ? (k & 0x100) != 0 : KeyInput::IsShifted(c);
    if (shift) out.push_back(Down(0x10, Scan(0x10)));
    out.push_back(Down(Vk(c), CharScan(c)));
    out.push_back(Up(Vk(c), CharScan(c)));
    if (shift) out.push_back(Up(0x10, Scan(0x10)));
}

// What names mean is seen in what they type (RealKeysMoveTheCaretAndDelete
// below); here the rules of the names themselves.
TEST(KeyNames, CharactersNeedShiftAndNamesCompareExactly)
{
    EXPECT_EQ(KeyInput::GetKeyCode("a"), static_cast<unsigned>(static_cast<int>(VkKeyScanA('a'))));
    EXPECT_EQ(KeyInput::GetKeyCode("A") & 0xFF, 0x41u);
    EXPECT_EQ(KeyInput::GetKeyCode("A") >> 8 & 1, 1u);  // needs Shift
    EXPECT_NE(KeyInput::GetKeyCode("ESC"), 0u);
    EXPECT_EQ(KeyInput::GetKeyCode("esc"), 0u);  // names are case-sensitive
    EXPECT_EQ(KeyInput::GetKeyCode("F13"), 0u);
    EXPECT_EQ(KeyInput::GetKeyCode(""), 0u);
}

TEST(KeyNames, ShiftedCharacters)
{
    for (char c : std::string("~!@#$%^&*()_+?<>:\"{}|ABZ"))
        EXPECT_EQ(KeyInput::IsShifted(c), 1) << c;
    for (char c : std::string("az09-=[];',./\\` "))
        EXPECT_EQ(KeyInput::IsShifted(c), 0) << c;
}

TEST(TypeKeys, CharactersEscapesAndALoneAngleBracket)
{
    Recorder rec;
    ScopedInputSink scope(rec);
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "Hello<ENTER>").IsSuccess());
    std::vector<Event> expected;
    for (char c : std::string("Hello"))
        ExpectChar(expected, c);
    expected.push_back(Down(0x0D, 0));
    expected.push_back(Up(0x0D, 0));
    EXPECT_EQ(rec.events, expected);
    EXPECT_EQ(rec.events[0], Down(0x10, Scan(0x10)));  // H with Shift

    // A '<' with no later '>' is an ordinary character; typing ends.
    rec.events.clear();
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "a<b").IsSuccess());
    expected.clear();
    for (char c : std::string("a<b"))
        ExpectChar(expected, c);
    EXPECT_EQ(rec.events, expected);

    // An unknown escape types nothing; typing goes on, and the first
    // unknown name is named in a warning. Names compare exactly.
    rec.events.clear();
    CStatus status = KeyInput::TypeKeys(nullptr, "<NOPE>x<enter><");
    EXPECT_TRUE(status.IsWarning());
    EXPECT_EQ(status.GetStatusMessage(), "Unknown key name '<NOPE>' typed as nothing. (K01604)");
    expected.clear();
    ExpectChar(expected, 'x');
    ExpectChar(expected, '<');
    EXPECT_EQ(rec.events, expected);
    rec.events.clear();
    EXPECT_EQ(KeyInput::TypeKeys(nullptr, "<enter>").GetStatusMessage(),
              "Unknown key name '<enter>' typed as nothing. (K01604)");
    EXPECT_EQ(KeyInput::TypeKeys(nullptr, "<CTLR-A>").GetStatusMessage(),
              "Unknown key name '<CTLR-A>' typed as nothing. (K01604)");
    EXPECT_TRUE(rec.events.empty());

    // <<> and <>> are the angle brackets themselves, so a '<' with a '>'
    // later in the text can be typed.
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "1 <<> 2 and 3 > 2").IsSuccess());
    expected.clear();
    for (char c : std::string("1 < 2 and 3 > 2"))
        ExpectChar(expected, c);
    EXPECT_EQ(rec.events, expected);
}

// A character the keyboard layout has no key for goes out as a Unicode key
// event instead of being dropped.
TEST(TypeKeys, CharactersWithoutAKeyAreSentAsUnicode)
{
    struct UnicodeRecorder : Recorder {
        void Unicode(unsigned short character, unsigned flags) override
        {
            events.push_back({false, 0xE7 /* VK_PACKET */, character, flags});
        }
    } rec;
    ScopedInputSink scope(rec);
    // Among the printable characters, some may have no key in this layout
    // (WINE_DIFFERENCE: under Wine's keyboard map, '(' and ')'); each one is still typed.
    for (char c = 0x20; c < 0x7F; ++c) {
        rec.events.clear();
        ASSERT_TRUE(KeyInput::TypeKeys(nullptr, String(std::string(1, c))).IsSuccess());
        std::vector<Event> expected;
        if (VkKeyScanA(c) == -1)
            expected = {{false, 0xE7, static_cast<unsigned>(c), 0}, {false, 0xE7, static_cast<unsigned>(c), 2}};
        else
            ExpectChar(expected, c);
        EXPECT_EQ(rec.events, expected) << "character " << c;
    }
}

TEST(TypeKeys, ModifierCombinations)
{
    Recorder rec;
    ScopedInputSink scope(rec);
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "<CTRL-a>").IsSuccess());
    std::vector<Event> expected = {Down(0x11, Scan(0x11)), Down(Vk('a'), 0), Up(Vk('a'), 0), Up(0x11, 0),
                                   Up(0x11, Scan(0x11))};
    EXPECT_EQ(rec.events, expected);

    // A capital letter after a modifier is the same key: Shift is pressed
    // only where SHIFT is named.
    rec.events.clear();
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "<CTRL-A>").IsSuccess());
    EXPECT_EQ(rec.events, expected);
    rec.events.clear();
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "<CTRL-SHIFT-A>").IsSuccess());
    std::vector<Event> shifted = {Down(0x11, Scan(0x11)), Down(0x10, Scan(0x10)), Down(Vk('a'), 0), Up(Vk('a'), 0),
                                  Up(0x10, 0), Up(0x10, Scan(0x10)), Up(0x11, 0), Up(0x11, Scan(0x11))};
    EXPECT_EQ(rec.events, shifted);

    // An unknown key after a known modifier is reported as a whole, like
    // an unknown single name.
    rec.events.clear();
    EXPECT_EQ(KeyInput::TypeKeys(nullptr, "<CTRL-NOPE>").GetStatusMessage(),
              "Unknown key name '<CTRL-NOPE>' typed as nothing. (K01604)");

    // <>> is '>', and nothing is unknown in it.
    rec.events.clear();
    ASSERT_TRUE(KeyInput::TypeKeys(nullptr, "a<>>b").IsSuccess());
    std::vector<Event> angle;
    for (char c : std::string("a>b")) ExpectChar(angle, c);
    EXPECT_EQ(rec.events, angle);

    rec.events.clear();
    ASSERT_TRUE(KeyInput::TypeKeysEx("ALT--").IsSuccess());
    const unsigned minus = Vk('-');
    expected = {Down(0x12, Scan(0x12)), Down(minus, CharScan('-')), Up(minus, CharScan('-')), Up(0x12, 0),
                Up(0x12, Scan(0x12))};
    EXPECT_EQ(rec.events, expected);

    rec.events.clear();
    ASSERT_TRUE(KeyInput::TypeKeysEx("CTRL-SHIFT-HOME").IsSuccess());
    expected = {Down(0x11, Scan(0x11)), Down(0x10, Scan(0x10)), Down(0x24, 0), Up(0x24, 0), Up(0x10, 0),
                Up(0x10, Scan(0x10)), Up(0x11, 0), Up(0x11, Scan(0x11))};
    EXPECT_EQ(rec.events, expected);

    rec.events.clear();
    CStatus status = KeyInput::TypeKeysEx("NOPE");
    EXPECT_EQ(status.GetStatusMessage(), "Invalid key: NOPE. (K01603)");
    status = KeyInput::TypeKeysEx("HYPER-a");
    EXPECT_EQ(status.GetStatusMessage(), "Invalid key: HYPER. (K01602)");
    EXPECT_TRUE(rec.events.empty());
}

TEST(TypeKeys, KeyDownAndKeyUp)
{
    Recorder rec;
    ScopedInputSink scope(rec);
    ASSERT_TRUE(KeyDownToForeground("<SHIFT>").IsSuccess());
    ASSERT_TRUE(KeyUpToForeground("<SHIFT>").IsSuccess());
    ASSERT_TRUE(KeyDownToForeground("q").IsSuccess());
    std::vector<Event> expected = {Down(0x10, 0x10), Up(0x10, 0x10), Down(Vk('q'), Vk('q'))};
    EXPECT_EQ(rec.events, expected);

    rec.events.clear();
    EXPECT_EQ(KeyDownToForeground("ab").GetStatusMessage(), "KeyDown requires a single character input: ab. (K01600)");
    EXPECT_EQ(KeyUpToForeground("ab").GetStatusMessage(), "KeyUp requires a single character input: ab. (K01601)");
    EXPECT_EQ(KeyDownToForeground("<ab").GetState(), CStatus::Error);
    EXPECT_TRUE(rec.events.empty());
}

TEST(MouseClick, ActionsButtonsAndRangeChecks)
{
    HWND wnd = CreateWindowExA(0, "STATIC", "mouse", WS_POPUP | WS_VISIBLE, 40, 30, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    POINT p{10, 10};
    ClientToScreen(wnd, &p);
    // The absolute point maps back to exactly the pixel asked for.
    const unsigned w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const unsigned x = (p.x * 65536u + w - 1) / w;
    const unsigned y = (p.y * 65536u + h - 1) / h;
    EXPECT_EQ(x * w / 65536u, static_cast<unsigned>(p.x));
    EXPECT_EQ(y * h / 65536u, static_cast<unsigned>(p.y));
    Recorder rec;
    {
        ScopedInputSink scope(rec);
        EXPECT_TRUE(KeyInput::MouseClick(wnd, 0, 10, 10, 3).IsSuccess());
        // Every press and release moves to the point as well.
        std::vector<Event> expected = {{true, 0x8001, x, y}, {true, 0x8003, x, y}, {true, 0x8005, x, y},
                                       {true, 0x8003, x, y}, {true, 0x8005, x, y}};
        EXPECT_EQ(rec.events, expected);

        rec.events.clear();
        EXPECT_TRUE(KeyInput::MouseClick(wnd, 2, 10, 10, 1).IsSuccess());
        EXPECT_TRUE(KeyInput::MouseClick(wnd, 1, 10, 10, 2).IsSuccess());
        expected = {{true, 0x8001, x, y}, {true, 0x8009, x, y}, {true, 0x8001, x, y}, {true, 0x8041, x, y}};
        EXPECT_EQ(rec.events, expected);

        rec.events.clear();
        EXPECT_EQ(KeyInput::MouseClick(wnd, 0, 10, 10, 7).GetStatusMessage(),
                  "MouseClick parameter 4 must be 0,1,2, or 3");
        EXPECT_TRUE(rec.events.empty());
        EXPECT_EQ(KeyInput::MouseClick(wnd, 5, 10, 10, 0).GetStatusMessage(),
                  "MouseClick parameter 1 must be 0,1, or 2");
        expected = {{true, 0x8001, x, y}};  // the move has happened
        EXPECT_EQ(rec.events, expected);
    }
    DestroyWindow(wnd);
}

// A visible frame holding one single-line edit control, destroyed in
// every outcome.
class EditWindow {
public:
    EditWindow()
    {
        m_Frame = CreateWindowExA(0, "STATIC", "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 120,
                                  nullptr, nullptr, nullptr, nullptr);
        if (m_Frame)
            m_Edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 280, 24, m_Frame,
                                     nullptr, nullptr, nullptr);
    }
    ~EditWindow()
    {
        if (m_Frame) DestroyWindow(m_Frame);
    }
    EditWindow(const EditWindow&) = delete;
    EditWindow& operator=(const EditWindow&) = delete;
    HWND edit() const { return m_Edit; }

private:
    HWND m_Frame = nullptr;
    HWND m_Edit = nullptr;
};

// Real events through the system reach a focused edit control of this
// process; the messages are pumped until the text is there.
TEST(TypeKeys, RealKeysReachAnEditControl)
{
    EditWindow window;
    HWND edit = window.edit();
    ASSERT_NE(edit, nullptr);
    // TypeKeys gives the edit the focus and returns once this thread has
    // taken the keys: no waiting loop here.
    ASSERT_TRUE(KeyInput::TypeKeys(edit, "Ab-d! <SPACE>x<BKSP>y<z f(x)").IsSuccess());
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_EQ(std::string(text), "Ab-d!  y<z f(x)");
}

// The named editing keys do in an edit control what the keys do there.
TEST(TypeKeys, RealKeysMoveTheCaretAndDelete)
{
    EditWindow window;
    HWND edit = window.edit();
    ASSERT_NE(edit, nullptr);
    // abc| HOME |abc, x|abc, END xabc|, xabcy|, LEFT xabc|y, BKSP xab|y,
    // xabz|y, LEFT xab|zy, DEL xab|y, SHIFT-LEFT twice selects "ab", DEL x|y.
    ASSERT_TRUE(KeyInput::TypeKeys(edit, "abc<HOME>x<END>y<LEFT><BKSP>z<LEFT><DEL><SHIFT-LEFT><SHIFT-LEFT><DEL>")
                    .IsSuccess());
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_EQ(std::string(text), "xy");
    ASSERT_TRUE(KeyInput::TypeKeys(edit, "<RIGHT>q").IsSuccess());
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_EQ(std::string(text), "xyq");
}

}  // namespace

// The README's list of key names is the key table itself: every name, its
// code and nothing else, in the table's order.
TEST(TypeKeys, TheReadmeListsEveryKeyName)
{
    std::ifstream readme(KESTREL_SOURCE_DIR "/README.md");
    ASSERT_TRUE(readme) << "cannot read " KESTREL_SOURCE_DIR "/README.md";
    std::vector<std::string> listed;
    bool inside = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("<!-- key names:", 0) == 0) inside = true;
        else if (line.rfind("<!-- end of key names", 0) == 0) inside = false;
        else if (inside && line.rfind("| `<", 0) == 0) listed.push_back(line);
    }
    std::vector<std::string> expected;
    for (const auto& key : KeyInput::KeyNames()) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%02X", key.second);
        expected.push_back("| `<" + key.first + ">` | " + code + " |");
    }
    EXPECT_EQ(listed, expected);
}
