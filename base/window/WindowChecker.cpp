#include "WindowChecker.h"
#include "InternalErrors.h"

#include <memory>
#include <vector>

namespace {

// What the checker keeps of a function prototype: its name and its
// parameter types (the result type takes no part in a signature).
struct Signature {
    String name;
    std::vector<int> types;

    static Signature Of(SSI_FunctionAPI& api)
    {
        Signature s;
        s.name = api.m_FunctionName;
        int n = api.GetNumParams();
        for (int i = 0; i < n; ++i)
            s.types.push_back(api.GetParameterType(i));
        return s;
    }
    bool operator==(const Signature& o) const { return name == o.name && types == o.types; }
};

struct Entry {
    Signature signature;
    std::vector<String> classes;  // in order of registration, repeats kept

    bool HasClass(const String& c) const
    {
        for (const String& k : classes)
            if (k == c)
                return true;
        return false;
    }
};

struct WindowChecker {
    std::vector<Entry> entries;
    std::vector<String> aliasNames;
    std::vector<String> aliasClasses;

    Entry* Find(const Signature& s)
    {
        for (Entry& e : entries)
            if (e.signature == s)
                return &e;
        return nullptr;
    }
};

std::unique_ptr<WindowChecker> gChecker;

WindowChecker& Checker()
{
    if (!gChecker)
        gChecker.reset(new WindowChecker);
    return *gChecker;
}

}  // namespace

int RegisterClassFunction(SSI_FunctionAPI& prototype, String& className)
{
    Signature s = Signature::Of(prototype);
    WindowChecker& checker = Checker();
    if (Entry* e = checker.Find(s)) {
        e->classes.push_back(className);
        return 0;
    }
    checker.entries.push_back(Entry{s, {className}});
    return 1;
}

CStatus CheckClassFunction(SSI_FunctionAPI& call, String& className)
{
    WindowChecker& checker = Checker();
    if (checker.entries.empty())
        return CStatus::MakeDefaultError(kestrel::internal::kCheckerEmptyLine, kestrel::internal::kWindowChecker);
    Entry* e = checker.Find(Signature::Of(call));
    CStatus status;
    if (!e)
        return status.Format(CStatus::Error, "Function '%s' is not a member of class '%s'. (K00214)",
                             call.m_FunctionName.c_str(), className.c_str());
    if (e->HasClass(className) || e->HasClass("MainWin"))
        return CStatus::MakeOK();
    return status.Format(CStatus::Error, "Function '%s' is not a member of class '%s'. (K00213)",
                         call.m_FunctionName.c_str(), className.c_str());
}

int DefineClassAlias(String& name, String& windowClass)
{
    WindowChecker& checker = Checker();
    for (size_t p = 0; p < checker.aliasNames.size(); ++p) {
        if (checker.aliasNames[p] == name) {
            if (p >= checker.aliasClasses.size())
                return -1;
            checker.aliasClasses[p] = windowClass;
            return static_cast<int>(p);
        }
    }
    checker.aliasNames.push_back(name);
    checker.aliasClasses.push_back(windowClass);
    return static_cast<int>(checker.aliasNames.size() - 1);
}

String ResolveClassAlias(String& className)
{
    WindowChecker& checker = Checker();
    for (size_t p = 0; p < checker.aliasNames.size(); ++p)
        if (checker.aliasNames[p] == className)
            return p < checker.aliasClasses.size() ? checker.aliasClasses[p] : className;
    return className;
}

void DestroyWindowChecker()
{
    gChecker.reset();
}

int WindowCheckerEntryCount()
{
    return static_cast<int>(Checker().entries.size());
}

int WindowCheckerClasses(const String& name, const int* types, int count, String* classes,
                         int capacity)
{
    Signature s;
    s.name = name;
    s.types.assign(types, types + count);
    Entry* e = Checker().Find(s);
    if (!e)
        return 0;
    int n = static_cast<int>(e->classes.size());
    for (int i = 0; i < n && i < capacity; ++i)
        classes[i] = e->classes[i];
    return n;
}
