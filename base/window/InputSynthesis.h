// Synthesized keyboard and mouse input: key names, typing text with <KEY>
// escapes and modifier combinations, single key presses and releases, and
// mouse clicks at client coordinates of a window. Events are injected
// system-wide, as a user at the keyboard would make them, through an
// InputSink that tests can replace to record the exact event sequence.
//
// Input to a window waits first until it can land there (Actionability.h)
// and afterwards until the application has taken it (InputSettle.h), so the
// next call of a script sees its effect. With a test's sink in place no
// real input is sent, and nothing is waited for after it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "KestrelBaseApi.h"
#include "Loom.h"

struct HWND__;
typedef HWND__* HWND;

// Receives every event the functions below inject.
class KESTRELBASE_API InputSink {
public:
    virtual ~InputSink();
    // flags: 0 for a press, 2 (key-up) for a release.
    virtual void Key(unsigned char vk, unsigned char scan, unsigned flags) = 0;
    // Absolute coordinates in 0..65535.
    virtual void Mouse(unsigned flags, int x, int y) = 0;
    // A character the keyboard layout has no key for, sent as a Unicode
    // key event; flags as for Key. Nothing by default.
    virtual void Unicode(unsigned short character, unsigned flags);
};

// Makes `sink` the receiver of all events until the object is destroyed;
// then the previous one is back. For tests.
class KESTRELBASE_API ScopedInputSink {
public:
    explicit ScopedInputSink(InputSink& sink);
    ~ScopedInputSink();
    ScopedInputSink(const ScopedInputSink&) = delete;
    ScopedInputSink& operator=(const ScopedInputSink&) = delete;

private:
    InputSink* m_Previous;
};

namespace KeyInput {

// Virtual-key code of a key name (ESC, F5, CTRL, ... or one character,
// which gives the key-scan result with the shift state in the high byte;
// -1 for an untypeable character); 0 when the name is unknown.
KESTRELBASE_API unsigned GetKeyCode(const String& name);
// The key names TypeKeys knows, with their virtual-key codes, in the
// order they are tried.
KESTRELBASE_API std::vector<std::pair<std::string, unsigned>> KeyNames();
// 1 when typing `c` needs the Shift key.
KESTRELBASE_API int IsShifted(char c);

// Brings the top-level owner of `wnd` to the foreground when it belongs to
// another thread than the current foreground window. Null: nothing.
KESTRELBASE_API void Activate(HWND wnd);

// Types `text`: characters as they are, <NAME> and <MOD-KEY> escapes as
// keys. A `<` with no later `>` is typed as an ordinary character, and the
// escapes <<> and <>> type a literal `<` and `>` (for a `<` that a `>`
// follows later, as in "1 <<> 2 and 3 > 2"). A character the keyboard
// layout cannot type is sent as a Unicode key event. An unknown key name
// types nothing and gives a warning (K01604) naming it; the rest is typed.
// `wnd` (may be null) gets the keyboard focus first.
KESTRELBASE_API CStatus TypeKeys(HWND wnd, const String& text);
// Presses and releases one key name, or one combination such as
// CTRL-SHIFT-HOME (modifiers held while the rest is pressed).
KESTRELBASE_API CStatus TypeKeysEx(const String& keys);
// Mode 1 presses, any other mode releases one key: one character or <NAME>.
// `wnd` (may be null) gets the keyboard focus first.
KESTRELBASE_API CStatus TypeKeys2(HWND wnd, const String& key, unsigned mode);
// Clicks `button` (0 left, 1 middle, 2 right) at client point (x, y) of
// `wnd`; action 0 click, 1 press, 2 release, 3 double click.
KESTRELBASE_API CStatus MouseClick(HWND wnd, int button, int x, int y, int action);
// The same at screen point (x, y), on whatever window is there.
KESTRELBASE_API CStatus MouseClickAt(int button, int x, int y, int action);
// Moves the pointer to screen point (x, y).
KESTRELBASE_API CStatus MouseMoveTo(int x, int y);
// The absolute coordinate (0..65535) that the system maps back to `pixel`
// on a screen `size` pixels wide or high.
KESTRELBASE_API int NormaliseCoordinate(int pixel, int size);

}  // namespace KeyInput

// Types into whatever window has the keyboard focus (no activation); for
// the global TypeKeys, KeyDown and KeyUp.
KESTRELBASE_API CStatus TypeKeysToForeground(const String& keys);
KESTRELBASE_API CStatus KeyDownToForeground(const String& key);
KESTRELBASE_API CStatus KeyUpToForeground(const String& key);
