// CDataWindow: the script type `window`. A value names a window, menu or
// menu item of an application under test by a description (class, tag and
// the path of its ancestors' descriptions) and holds named member windows.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"
#include "WinData.h"

#include <vector>

struct HWND__;
typedef HWND__* HWND;

class KESTRELBASE_API CDataWindow : public CData {
public:
    CDataWindow();
    CDataWindow(const CDataWindow& other);
    CDataWindow& operator=(const CDataWindow& other);

    bool boolean() override;                                           // 0
    ~CDataWindow() override;                                           // 1
    CData* operator_equal(CData* other, OpInfoT* info) override;       // 4
    bool CopyData(CData* other) override;                              // 13
    CData* MakeData() override;                                        // 14
    bool DeleteData(CData* data) override;                             // 15
    bool DataFromString(const String& text) override;                  // 16
    String GetString() override;                                       // 17
    int SizeOf() override;                                             // 18
    int Register(int type) override;                                   // 19
    void UnRegister() override;                                        // 20
    CStatus InitData() override;                                       // 21
    using CData::AddFunction;                                          // 22
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;        // 23
    CStatus SSI_UpdateVariable(CVariable& variable, char fetch) override;  // 25
    // Registers a window function for one class through the checker; only
    // a signature new to the checker reaches the engine.
    virtual CStatus AddFunction(CFunctionDecl& decl, String& className);   // 32

    static int GetRegisteredType() { return sType; }
    static CStatus SetDelay(int ms);

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
    static bool IsLocalClass(const String& className);

    CStatus GetText(String& text);
    CStatus SetText(String& text);

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

private:
    void CopyFields(const CDataWindow& other);
    static int sType;
};
