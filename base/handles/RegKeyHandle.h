// One open registry key, closed when its owner goes out of scope. Window
// values of the `regkey` type share one through a reference count.
#pragma once

#include <windows.h>

class RegKeyHandle {
public:
    explicit RegKeyHandle(HKEY key = nullptr) : m_Key(key) {}
    ~RegKeyHandle() { Reset(); }
    RegKeyHandle(const RegKeyHandle&) = delete;
    RegKeyHandle& operator=(const RegKeyHandle&) = delete;

    HKEY Get() const { return m_Key; }
    HKEY Release()
    {
        HKEY k = m_Key;
        m_Key = nullptr;
        return k;
    }
    void Reset(HKEY key = nullptr)
    {
        if (m_Key)
            RegCloseKey(m_Key);
        m_Key = key;
    }

private:
    HKEY m_Key;
};
