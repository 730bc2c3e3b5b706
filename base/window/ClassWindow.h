// CDataWindow: the script type `window`. A value names a window, menu or
// menu item of an application under test by a description (class, tag and
// the path of its ancestors' descriptions) and holds named member windows.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"
#include "TypeRegistration.h"
#include "WinData.h"
#include "WindowFunctions.h"

#include <vector>

struct HWND__;
typedef HWND__* HWND;
struct HMENU__;
typedef HMENU__* HMENU;
struct HDC__;
typedef HDC__* HDC;
class CDataBitmap;

class KESTRELBASE_API CDataWindow : public CData {
public:
    CDataWindow();
    CDataWindow(const CDataWindow& other);
    CDataWindow& operator=(const CDataWindow& other);

    bool boolean() override;                                           // 0
    ~CDataWindow() override;                                           // 1
    LOOM_VALUE_TYPE_MEMBERS;
    CStatus InitData() override;                                       // 21
    using CData::AddFunction;                                          // 22
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;        // 23
    CStatus SSI_UpdateVariable(CVariable& variable, char fetch) override;  // 25
    // Registers a window function for one class through the checker; only
    // a signature new to the checker reaches the engine.
    virtual CStatus AddFunction(CFunctionDecl& decl, String& className);   // 32

    // The window type's number, registering the type on first use.
    static CStatus SetDelay(int ms);
    // How long a lookup tries before the window is called missing (5 s
    // until set; 0 is a single try), and how long an action waits for its
    // window to become clickable. Waits on an application's answer have a
    // bound of their own (ResponseBound.h).
    static CStatus SetLookupTimeout(double seconds);
    static int LookupTimeoutMs();

    // Adds `window` as member `name`; a repeated name makes the member an
    // array whose next element is the new window.
    CStatus AddLocalVariable(CData* window, String& name);
    // Gives `child` this object's path extended by a node for this object.
    bool ConstructChildPath(CDataWindow* child);
    // A free-standing tree of this object and its members, owned by the caller.
    WinDataT* CreatePathTree();
    // Fills the description from a live window (null or dead: empty texts).
    int InitializeFromWindow(HWND wnd);
    // Writes this value and its members, one line each, to the engine's output.
    void ListToScreen(CEngine* engine);

    static String GetClass(HWND wnd);

    // Every window function the type declares: the dispatcher's own (under
    // "MainWin") and the agent's handlers' and menus' rows.
    static std::vector<squire::WindowFunction> Functions();

    CStatus GetText(String& text);
    CStatus SetText(String& text);

    // One pass, no waiting: the window a value bound to a handle stands for
    // while it exists, else the lookup below. foundWindow is set on success.
    bool ResolveNow();

    // Lookup: resolves the description to the live window now on screen and
    // stores it in foundWindow (null on failure). For a menu object it
    // writes the menu that holds the item and the item's command identifier.
    // One pass, no waiting.
    CStatus FindMe(unsigned& menuItemId, HMENU& menuHandle);
    // The window of the menu object's owner, or null; fills the menu and
    // command of the item the path and tagNumber address.
    HWND FindMenu(HWND owner, WinDataT* node, unsigned& menuItemId, HMENU& menuHandle);
    // The decision of the partial enumeration for one candidate of class C
    // and text T against the cut patterns P and Q.
    static bool PartialMatches(const String& C, const String& T, const String& P, const String& Q,
                               int clsPartial, int tagPartial);

    // Capture of the client area of foundWindow into `bitmap`.
    CStatus CaptureBitmap(CDataBitmap& bitmap);

    // Where the last lookup found a menu object: the submenu positions from
    // the menu bar down and whether its menu can only be read inside the
    // owner's process (then menu functions run there through the agent).
    std::vector<int> menuSubmenus;
    bool menuRemote = false;

    // The member windows that are themselves window values, in list order,
    // every element of an array member included.
    std::vector<CDataWindow*> MemberWindows() const;

    String name;
    String tag;
    String windowClass;
    String kind;
    int tagNumber = 0;
    int isParent = 0;
    int isChild = 0;
    int depth = 0;
    std::vector<CVariable> members;
    WinDataT* path = nullptr;
    HWND foundWindow = nullptr;
    int handle = 0;

    static int iDelay;
    static int lookupTimeoutMs;

protected:
    HWND FindPartialWindow(HWND parent, HWND after, String& cls, String& tag, int clsPartial,
                           int tagPartial);
    HWND FindNumericWindow(HWND parent, String& cls, int n, int clsPartial);

private:
    void CopyFields(const CDataWindow& other);

    // The dispatcher (WindowDispatch.cpp): the rows of the functions it
    // performs itself, all declared for every class ("MainWin").
    using DispatchRow = loom::FunctionRow<void (CDataWindow::*)(SSI_FunctionAPI&)>;
    static const DispatchRow kValueRows[];
    static const DispatchRow kFoundRows[];
    // Declares every row of Functions().
    void DeclareWindowFunctions();
    loom::Effect MenuFunction(SSI_FunctionAPI& call, unsigned menuItemId, HMENU menuHandle);
    // Waits within the lookup bound until foundWindow is one a user could
    // click (a control at its centre; a menu's owner or a tool bar anywhere).
    CStatus ReadyForClick(bool isMenu) const;
    // The window one step from foundWindow, or the internal error of that
    // function's line when foundWindow is gone.
    void ReturnRelative(SSI_FunctionAPI& call, int internalLine, HWND (*step)(HWND));
    void AddChildFunction(SSI_FunctionAPI& call);
    void MainWinFunction(SSI_FunctionAPI& call);
    void SetHandleFunction(SSI_FunctionAPI& call);
    void GetHandleFunction(SSI_FunctionAPI& call);
    void CaptureBitmapFunction(SSI_FunctionAPI& call);
    void GetChildFunction(SSI_FunctionAPI& call);
    void GetParentFunction(SSI_FunctionAPI& call);
    void GetNextSiblingFunction(SSI_FunctionAPI& call);
    void GetPrevSiblingFunction(SSI_FunctionAPI& call);
    void GetTopParentFunction(SSI_FunctionAPI& call);
    void SetActiveFunction(SSI_FunctionAPI& call);
    void IsEnabledFunction(SSI_FunctionAPI& call);
    void MouseClickFunction(SSI_FunctionAPI& call);
    void TypeKeysFunction(SSI_FunctionAPI& call);
    void KeyDownFunction(SSI_FunctionAPI& call);
    void KeyUpFunction(SSI_FunctionAPI& call);
    static int sType;
};
