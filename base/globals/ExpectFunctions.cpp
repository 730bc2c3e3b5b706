#include "ExpectFunctions.h"

#include "ClassWindow.h"

#include "BoundedWait.h"

#include <windows.h>

namespace kestrel {

namespace {

constexpr int kPollPaceMs = 50;

// While an assertion polls, each read is one lookup without the window
// delay: the assertion's own bound is the only wait.
class SingleTryReads {
public:
    SingleTryReads() : m_Lookup(CDataWindow::lookupTimeoutMs), m_Delay(CDataWindow::iDelay)
    {
        CDataWindow::lookupTimeoutMs = 0;
        CDataWindow::iDelay = 0;
    }
    ~SingleTryReads()
    {
        CDataWindow::lookupTimeoutMs = m_Lookup;
        CDataWindow::iDelay = m_Delay;
    }
    SingleTryReads(const SingleTryReads&) = delete;
    SingleTryReads& operator=(const SingleTryReads&) = delete;

private:
    int m_Lookup;
    int m_Delay;
};

// "window 'Status' (class 'Static', tag '1')".
String Describe(const CDataWindow& window)
{
    const String tag = window.handle != 0    ? String::Printf("handle %d", window.handle)
                       : window.tagNumber != 0 ? String::Printf("tag %d", window.tagNumber)
                                               : String::Printf("tag '%s'", window.tag.c_str());
    return String::Printf("window '%s' (class '%s', %s)", window.name.c_str(), window.windowClass.c_str(),
                          tag.c_str());
}

// One read of a window function without parameters; the value's text, or
// the status's message when the read failed.
bool ReadOnce(SSI_FunctionAPI& call, CDataWindow& window, const char* function, int resultType, String& seen)
{
    SSI_FunctionAPI read;
    read.m_FunctionName = function;
    read.m_Engine = call.m_Engine;
    read.InitParams(0);
    read.GetReturnData()->SetType(resultType);
    window.SSI_FunctionProcessor(read);
    CData* data = read.GetReturnData()->GetWorkingData();
    if (!read.m_ReturnStatus.IsSuccess() || !data) {
        seen = read.m_ReturnStatus.GetStatusMessage();
        return false;
    }
    seen = data->GetString();
    return true;
}

// Whether the window is there now: a value bound to a handle while that
// window exists, any other by one lookup.
bool ExistsNow(CDataWindow& window)
{
    return window.boolean();
}

// The bound: the optional real parameter at `index`, else the lookup bound.
bool BoundOf(SSI_FunctionAPI& call, int index, int& boundMs)
{
    boundMs = CDataWindow::LookupTimeoutMs();
    if (call.GetNumParams() <= index) return true;
    double seconds = 0;
    if (!loom::ReadReal(call, index, seconds)) return false;
    if (!(seconds >= 0) || seconds > 3600) {
        call.m_ReturnStatus.Format(CStatus::Error, "%s needs a bound from 0 to 3600 seconds: %g. (K00636)",
                                   call.m_FunctionName.c_str(), seconds);
        return false;
    }
    boundMs = static_cast<int>(seconds * 1000 + 0.5);
    return true;
}

// Polls `holds` (which leaves what it saw in `seen`) within the bound; on
// failure the call's error names the window, the expectation and `seen`.
template <class Holds>
void Expect(SSI_FunctionAPI& call, CDataWindow& window, int boundMs, const String& expected, const char* code,
            Holds holds)
{
    String seen;
    bool held = false;
    {
        SingleTryReads single;
        held = loom::WaitUntil([&] { return holds(seen); }, boundMs, kPollPaceMs);
    }
    loom::ReturnBool(call, held);
    if (held) return;
    call.m_ReturnStatus.Format(CStatus::Error, "%s failed: %s: expected %s within %.3g s, last seen: %s. (%s)",
                               call.m_FunctionName.c_str(), Describe(window).c_str(), expected.c_str(),
                               boundMs / 1000.0, seen.c_str(), code);
}

// ExpectText(window, text [, seconds]) and ExpectTextContains.
void ExpectTextCall(SSI_FunctionAPI& call, bool whole)
{
    CDataWindow* window = loom::ReadValue<CDataWindow>(call, 0);
    String want;
    int bound = 0;
    if (!window || !loom::ReadString(call, 1, want) || !BoundOf(call, 2, bound)) return;
    const String expected = String::Printf(whole ? "the text '%s'" : "a text holding '%s'", want.c_str());
    Expect(call, *window, bound, expected, whole ? "K00630" : "K00631", [&](String& seen) {
        String text;
        if (!ReadOnce(call, *window, "GetText", CDataString::GetRegisteredType(), text)) {
            seen = text;
            return false;
        }
        seen = "'" + text + "'";
        return whole ? text == want : text.Find(want) >= 0;
    });
}

void CallExpectText(SSI_FunctionAPI& call)
{
    ExpectTextCall(call, true);
}

void CallExpectTextContains(SSI_FunctionAPI& call)
{
    ExpectTextCall(call, false);
}

// ExpectEnabled and ExpectChecked: a bool read against a bool.
void ExpectState(SSI_FunctionAPI& call, const char* function, const char* code)
{
    CDataWindow* window = loom::ReadValue<CDataWindow>(call, 0);
    bool want = false;
    int bound = 0;
    if (!window || !loom::ReadBool(call, 1, want) || !BoundOf(call, 2, bound)) return;
    const String expected = String::Printf("%s() to be %s", function, want ? "true" : "false");
    Expect(call, *window, bound, expected, code, [&](String& seen) {
        return ReadOnce(call, *window, function, CDataBool::GetRegisteredType(), seen) &&
               seen == (want ? "true" : "false");
    });
}

void CallExpectEnabled(SSI_FunctionAPI& call)
{
    ExpectState(call, "IsEnabled", "K00632");
}

void CallExpectChecked(SSI_FunctionAPI& call)
{
    ExpectState(call, "IsChecked", "K00633");
}

void CallExpectExists(SSI_FunctionAPI& call)
{
    CDataWindow* window = loom::ReadValue<CDataWindow>(call, 0);
    bool want = false;
    int bound = 0;
    if (!window || !loom::ReadBool(call, 1, want) || !BoundOf(call, 2, bound)) return;
    Expect(call, *window, bound, want ? "the window to exist" : "the window to be gone", "K00634",
           [&](String& seen) {
               const bool exists = ExistsNow(*window);
               seen = exists ? "it exists" : "it does not exist";
               return exists == want;
           });
}

void CallExpectCount(SSI_FunctionAPI& call)
{
    CDataWindow* window = loom::ReadValue<CDataWindow>(call, 0);
    int want = 0;
    int bound = 0;
    if (!window || !loom::ReadInt(call, 1, want) || !BoundOf(call, 2, bound)) return;
    Expect(call, *window, bound, String::Printf("a count of %d", want), "K00635", [&](String& seen) {
        return ReadOnce(call, *window, "GetCount", CDataInt::GetRegisteredType(), seen) &&
               seen == String::Printf("%d", want);
    });
}

// WaitForWindowGone(window, seconds): the twin of WaitForWindow; false at
// the bound, with nothing reported.
void CallWaitForWindowGone(SSI_FunctionAPI& call)
{
    CDataWindow* window = loom::ReadValue<CDataWindow>(call, 0);
    int bound = 0;
    if (!window || !BoundOf(call, 1, bound)) return;
    const bool gone = loom::WaitUntil([&] { return !ExistsNow(*window); }, bound, kPollPaceMs);
    loom::ReturnBool(call, gone);
}

const GlobalFunctionRow kRows[] = {
    {"ExpectText", "ws", 'b', CallExpectText},
    {"ExpectText", "wsr", 'b', CallExpectText},
    {"ExpectTextContains", "ws", 'b', CallExpectTextContains},
    {"ExpectTextContains", "wsr", 'b', CallExpectTextContains},
    {"ExpectEnabled", "wb", 'b', CallExpectEnabled},
    {"ExpectEnabled", "wbr", 'b', CallExpectEnabled},
    {"ExpectChecked", "wb", 'b', CallExpectChecked},
    {"ExpectChecked", "wbr", 'b', CallExpectChecked},
    {"ExpectExists", "wb", 'b', CallExpectExists},
    {"ExpectExists", "wbr", 'b', CallExpectExists},
    {"ExpectCount", "wi", 'b', CallExpectCount},
    {"ExpectCount", "wir", 'b', CallExpectCount},
    {"WaitForWindowGone", "wr", 'b', CallWaitForWindowGone},
};

}  // namespace

const GlobalFunctionRow* ExpectFunctionRows(size_t& count)
{
    count = sizeof kRows / sizeof kRows[0];
    return kRows;
}

}  // namespace kestrel
