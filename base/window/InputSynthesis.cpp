#include "InputSynthesis.h"

#include "Activation.h"
#include "Actionability.h"
#include "InputSettle.h"

#include <windows.h>

namespace {

constexpr unsigned kKeyUp = KEYEVENTF_KEYUP;  // 2
constexpr unsigned char kShift = 0x10;

// Injects through the system; the receiver when no test replaced it.
class SystemSink : public InputSink {
public:
    void Key(unsigned char vk, unsigned char scan, unsigned flags) override
    {
        keybd_event(vk, scan, flags, 0);
    }
    void Mouse(unsigned flags, int x, int y) override
    {
        mouse_event(flags, static_cast<DWORD>(x), static_cast<DWORD>(y), 0, 0);
    }
    void Unicode(unsigned short character, unsigned flags) override
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = character;
        input.ki.dwFlags = KEYEVENTF_UNICODE | flags;
        SendInput(1, &input, sizeof(input));
    }
};

SystemSink gSystemSink;
InputSink* gSink = &gSystemSink;

// Real input is waited for; a test's sink records events that never reach
// an application.
bool SendsRealInput()
{
    return gSink == &gSystemSink;
}

struct KeyName {
    const char* name;
    unsigned code;
};

// Tried in this order; names compare exactly.
constexpr KeyName kKeyNames[] = {
    {"ESC", 0x1B},    {"BKSP", 0x08},  {"TAB", 0x09},    {"ENTER", 0x0D},  {"CTRL", 0x11},
    {"SHIFT", 0x10},  {"PRISC", 0x2C}, {"ALT", 0x12},    {"SPACE", 0x20},  {"CAPS", 0x14},
    {"F1", 0x70},     {"F2", 0x71},    {"F3", 0x72},     {"F4", 0x73},     {"F5", 0x74},
    {"F6", 0x75},     {"F7", 0x76},    {"F8", 0x77},     {"F9", 0x78},     {"F10", 0x79},
    {"F11", 0x7A},    {"F12", 0x7B},   {"NUM", 0x90},    {"SCROLL", 0x91}, {"HOME", 0x24},
    {"UP", 0x26},     {"PGUP", 0x21},  {"LEFT", 0x25},   {"CENTER", 0x0C}, {"RIGHT", 0x27},
    {"END", 0x23},    {"DOWN", 0x28},  {"PGDN", 0x22},   {"INS", 0x2D},    {"DEL", 0x2E},
    {"LWIN", 0x5B},   {"RWIN", 0x5C},  {"APPS", 0x5D},
};

unsigned KeyScan(char c)
{
    // Sign-extended: an untypeable character gives 0xFFFFFFFF.
    return static_cast<unsigned>(static_cast<int>(VkKeyScanA(c)));
}

unsigned char ScanCode(unsigned code)
{
    return static_cast<unsigned char>(MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
}

unsigned char Low(unsigned code)
{
    return static_cast<unsigned char>(code & 0xFF);
}

CStatus Error(const char* format, const String& text)
{
    CStatus status;
    return status.Format(CStatus::Error, format, text.c_str());
}

void TypeUnicode(char c)
{
    wchar_t wide = 0;
    if (MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1) != 1) return;
    gSink->Unicode(static_cast<unsigned short>(wide), 0);
    gSink->Unicode(static_cast<unsigned short>(wide), kKeyUp);
}

void TypeCharacter(char c)
{
    const unsigned k = KeyScan(c);
    // No key of the layout types it: a Unicode key event does, so no
    // character of the text is lost.
    if (k == 0xFFFFFFFFu || Low(k) == 0xFF) {
        TypeUnicode(c);
        return;
    }
    // The keyboard layout says whether the character needs Shift; the fixed
    // list of shifted characters only decides for characters the layout
    // cannot type. (On a layout with its own <> key, '<' is unshifted and
    // Shift would type '>'.)
    const bool typeable = k != 0xFFFFFFFFu;
    const bool shifted = typeable ? (k & 0x100) != 0 : KeyInput::IsShifted(c) != 0;
    const unsigned char shiftScan = ScanCode(kShift);
    if (shifted)
        gSink->Key(kShift, shiftScan, 0);
    gSink->Key(Low(k), ScanCode(k), 0);
    gSink->Key(Low(k), ScanCode(k), kKeyUp);
    if (shifted)
        gSink->Key(kShift, shiftScan, kKeyUp);
}

// The absolute coordinate (0..65535) that the system maps back to `pixel`.
// The system maps an absolute value a to the pixel a * size / 65536, cut
// down; scaling by 65535 and cutting down as well would land one pixel
// short of the point for most coordinates, so the value is rounded up.
int Normalise(int pixel, int size)
{
    if (size <= 0 || pixel <= 0)
        return 0;
    long long value = (static_cast<long long>(pixel) * 65536 + size - 1) / size;
    return static_cast<int>(value > 65535 ? 65535 : value);
}

// A window of a menu that is open (class "#32768"), or a window inside one.
bool IsMenuWindow(HWND wnd)
{
    char cls[16] = "";
    GetClassNameA(GetAncestor(wnd, GA_ROOT), cls, sizeof(cls));
    return lstrcmpA(cls, "#32768") == 0;
}

// The warning for the first key name that typed nothing, or OK.
CStatus UnknownKeyWarning(const String& name)
{
    return CStatus::MakeWarning(String::Printf("Unknown key name '<%s>' typed as nothing. (K01604)", name.c_str()));
}

// The more telling of two statuses: an error, else a warning, else OK.
CStatus Worse(const CStatus& a, const CStatus& b)
{
    if (a.IsError()) return a;
    if (b.IsError()) return b;
    if (a.IsWarning()) return a;
    return b;
}

// Each press and release carries its point (absolute move with the
// button): a button event without a move happens wherever the pointer is
// when the event is queued. Under Wine the X server answers every pointer
// warp with a motion event, read by the application under the pointer
// whenever it next looks at its queue; a late one from an earlier click
// puts the pointer back where that click was.
void SendMouseEvents(int button, int action, int ax, int ay)
{
    static const unsigned kPress[] = {0x8003, 0x8021, 0x8009};
    static const unsigned kRelease[] = {0x8005, 0x8041, 0x8011};
    const unsigned press = kPress[button];
    const unsigned release = kRelease[button];
    switch (action) {
    case 0:
        gSink->Mouse(press, ax, ay);
        gSink->Mouse(release, ax, ay);
        break;
    case 1:
        gSink->Mouse(press, ax, ay);
        break;
    case 2:
        gSink->Mouse(release, ax, ay);
        break;
    default:
        gSink->Mouse(press, ax, ay);
        gSink->Mouse(release, ax, ay);
        gSink->Mouse(press, ax, ay);
        gSink->Mouse(release, ax, ay);
        break;
    }
}

}  // namespace

void InputSink::Unicode(unsigned short, unsigned) {}

InputSink::~InputSink() = default;

ScopedInputSink::ScopedInputSink(InputSink& sink) : m_Previous(gSink)
{
    gSink = &sink;
}

ScopedInputSink::~ScopedInputSink()
{
    gSink = m_Previous;
}

namespace KeyInput {

std::vector<std::pair<std::string, unsigned>> KeyNames()
{
    std::vector<std::pair<std::string, unsigned>> names;
    for (const KeyName& key : kKeyNames) names.emplace_back(key.name, key.code);
    return names;
}

unsigned GetKeyCode(const String& name)
{
    for (const KeyName& key : kKeyNames) {
        if (name == key.name)
            return key.code;
    }
    if (name.GetLength() == 1)
        return KeyScan(name[0]);
    return 0;
}

int IsShifted(char c)
{
    static const char kShifted[] = "~!@#$%^&*()_+?<>:\"{}|";
    for (const char* p = kShifted; *p; ++p) {
        if (*p == c)
            return 1;
    }
    return (c >= 'A' && c <= 'Z') ? 1 : 0;
}

void Activate(HWND wnd)
{
    squire::Activate(wnd);
}

CStatus TypeKeys(HWND wnd, const String& text)
{
    CStatus ready = CStatus::MakeOK();
    if (wnd && SendsRealInput()) {
        ready = PrepareTyping(wnd);
        if (ready.IsError())
            return ready;
    }
    const DWORD focusThread = SendsRealInput() ? FocusThread() : 0;
    CStatus typed = CStatus::MakeOK();
    const std::string& s = text.str();
    size_t pos = 0;
    while (pos < s.size()) {
        if (s[pos] == '<') {
            // <>> is the character '>' (its name holds the closing mark).
            if (s.compare(pos, 3, "<>>") == 0) {
                TypeCharacter('>');
                pos += 3;
                continue;
            }
            size_t close = s.find('>', pos + 1);
            if (close != std::string::npos) {
                const String keyName(s.substr(pos + 1, close - pos - 1));
                pos = close + 1;
                // <<> and <>> are the characters themselves.
                if (keyName == "<" || keyName == ">") {
                    TypeCharacter(keyName[0]);
                    continue;
                }
                // An unknown name, or a key with no scan code, types
                // nothing; typing goes on and the first one is reported.
                const CStatus key = TypeKeysEx(keyName);
                if (!key.IsSuccess() && typed.IsSuccess())
                    typed = key.IsError() ? UnknownKeyWarning(keyName) : key;
                continue;
            }
            // No later '>': the '<' is an ordinary character.
        }
        TypeCharacter(s[pos]);
        ++pos;
    }
    // A thread found not responding before typing is not waited for twice.
    if (ready.IsWarning())
        return Worse(typed, ready);
    return Worse(typed, SettleKeys(focusThread));
}

namespace {

// The key a name stands for inside <...>: a named key, or the key of a
// single character. A character's own Shift is not pressed: after a
// modifier a letter is that letter's key, upper or lower case, and Shift is
// pressed only when SHIFT is named. 0 for an unknown name.
unsigned char KeyOfName(const String& name)
{
    return Low(KeyInput::GetKeyCode(name));
}

CStatus NoScanCode(const String& name)
{
    return CStatus::MakeWarning(
        String::Printf("Key '<%s>' has no scan code on this keyboard; typed as nothing. (K01604)", name.c_str()));
}

}  // namespace

CStatus TypeKeysEx(const String& keys)
{
    const int dash = keys.Find("-");
    if (dash < 0) {
        const unsigned char key = KeyOfName(keys);
        if (key == 0 || key == 0xFF)
            return Error("Invalid key: %s. (K01603)", keys);
        if (ScanCode(key) == 0)
            return NoScanCode(keys);
        gSink->Key(key, 0, 0);
        gSink->Key(key, 0, kKeyUp);
        return CStatus::MakeOK();
    }
    const String modifier = keys.SubString(0, dash);
    String rest = keys.SubString(dash + 1);
    const bool minus = rest[0] == '-';
    const unsigned minusCode = GetKeyCode("-");
    const unsigned char minusScan = ScanCode(Low(minusCode));
    const unsigned char code = KeyOfName(modifier);
    if (code == 0 || code == 0xFF)
        return Error("Invalid key: %s. (K01602)", modifier);
    const unsigned char scan = ScanCode(code);
    if (scan == 0)
        return NoScanCode(modifier);
    gSink->Key(code, scan, 0);
    if (minus) {
        gSink->Key(Low(minusCode), minusScan, 0);
        rest = rest.SubString(1);
    }
    // What the key after the modifier types (or why it types nothing) is
    // the combination's answer.
    const CStatus inner = rest.IsEmpty() && minus ? CStatus::MakeOK() : TypeKeysEx(rest);
    if (minus) {
        gSink->Key(Low(minusCode), minusScan, kKeyUp);
        rest = rest.SubString(1);
    }
    gSink->Key(code, 0, kKeyUp);
    gSink->Key(code, scan, kKeyUp);
    return inner;
}

CStatus TypeKeys2(HWND wnd, const String& key, unsigned mode)
{
    unsigned code = 0;
    bool lengthError = false;
    const int close = key.Find(">");
    if (key[0] == '<' && close > 0) {
        code = GetKeyCode(key.SubString(1, close));
    } else if (key.GetLength() == 1) {
        code = KeyScan(key[0]);
    } else {
        // Longer than one character, or empty: no single key to press.
        lengthError = true;
    }
    if (lengthError)
        return mode == 1 ? Error("KeyDown requires a single character input: %s. (K01600)", key)
                         : Error("KeyUp requires a single character input: %s. (K01601)", key);
    CStatus ready = CStatus::MakeOK();
    if (wnd && SendsRealInput()) {
        ready = PrepareTyping(wnd);
        if (ready.IsError())
            return ready;
    }
    const DWORD focusThread = SendsRealInput() ? FocusThread() : 0;
    gSink->Key(Low(code), Low(code), mode == 1 ? 0 : kKeyUp);
    return ready.IsWarning() ? ready : SettleKeys(focusThread);
}

CStatus MouseClick(HWND wnd, int button, int x, int y, int action)
{
    POINT point{x, y};
    ClientToScreen(wnd, &point);
    const int ax = Normalise(point.x, GetSystemMetrics(SM_CXSCREEN));
    const int ay = Normalise(point.y, GetSystemMetrics(SM_CYSCREEN));
    if (action < 0 || action > 3)
        return CStatus::MakeError("MouseClick parameter 4 must be 0,1,2, or 3");
    CStatus clickable = WaitUntilClickable(wnd, point);
    if (!clickable.IsSuccess())
        return clickable;
    if (action == 1 && !(GetWindowLongA(wnd, GWL_STYLE) & WS_POPUP))
        Activate(wnd);
    // A click on a window of an application that is not in the foreground
    // activates it, as a user's click does; doing it first also puts the
    // click and the mark that follows it into one input queue. Menus are
    // left alone: activating their owner would close them.
    // The application carries out the activation when it next looks at its
    // queue, and under Wine the X server answers it with a focus event a
    // little later; both must be handled before the click arrives, or the
    // focus change cancels the press of a button. So: the activation, then
    // the thread's queue run empty once (its X events are read first).
    if (SendsRealInput() && FocusThread() != GetWindowThreadProcessId(wnd, nullptr) && !IsMenuWindow(wnd)) {
        SetForegroundWindow(GetAncestor(wnd, GA_ROOT));
        SettlePosted(wnd);
        SettleIdle(wnd);
    }
    const DWORD focusThread = SendsRealInput() ? FocusThread() : 0;
    gSink->Mouse(0x8001, ax, ay);
    if (button < 0 || button > 2)
        return CStatus::MakeError("MouseClick parameter 1 must be 0,1, or 2");
    SendMouseEvents(button, action, ax, ay);
    return SendsRealInput() ? SettleMouse(wnd, focusThread) : CStatus::MakeOK();
}

CStatus MouseClickAt(int button, int x, int y, int action)
{
    if (action < 0 || action > 3)
        return CStatus::MakeError("MouseClick parameter 4 must be 0,1,2, or 3");
    const int ax = Normalise(x, GetSystemMetrics(SM_CXSCREEN));
    const int ay = Normalise(y, GetSystemMetrics(SM_CYSCREEN));
    HWND target = WindowFromPoint(POINT{x, y});
    const DWORD focusThread = SendsRealInput() ? FocusThread() : 0;
    gSink->Mouse(0x8001, ax, ay);
    // The pointer has already moved.
    if (button < 0 || button > 2)
        return CStatus::MakeError("MouseClick parameter 1 must be 0,1, or 2");
    SendMouseEvents(button, action, ax, ay);
    return SendsRealInput() ? SettleMouse(target, focusThread) : CStatus::MakeOK();
}

CStatus MouseMoveTo(int x, int y)
{
    HWND target = WindowFromPoint(POINT{x, y});
    const DWORD focusThread = SendsRealInput() ? FocusThread() : 0;
    gSink->Mouse(0x8001, Normalise(x, GetSystemMetrics(SM_CXSCREEN)), Normalise(y, GetSystemMetrics(SM_CYSCREEN)));
    return SendsRealInput() ? SettleMouse(target, focusThread) : CStatus::MakeOK();
}

int NormaliseCoordinate(int pixel, int size)
{
    return Normalise(pixel, size);
}

}  // namespace KeyInput

CStatus TypeKeysToForeground(const String& keys)
{
    return KeyInput::TypeKeys(nullptr, keys);
}

CStatus KeyDownToForeground(const String& key)
{
    return KeyInput::TypeKeys2(nullptr, key, 1);
}

CStatus KeyUpToForeground(const String& key)
{
    return KeyInput::TypeKeys2(nullptr, key, 2);
}
