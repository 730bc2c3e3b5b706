// Owner of one loaded library: freed when the owner goes out of scope.
#pragma once

#include <windows.h>

class LibraryHandle {
public:
    explicit LibraryHandle(HMODULE module = nullptr) : m_Module(module) {}
    ~LibraryHandle() { Reset(); }
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;

    explicit operator bool() const { return m_Module != nullptr; }
    HMODULE Get() const { return m_Module; }
    // Gives up ownership: the library stays loaded.
    HMODULE Release()
    {
        HMODULE m = m_Module;
        m_Module = nullptr;
        return m;
    }
    void Reset()
    {
        if (m_Module)
            FreeLibrary(m_Module);
        m_Module = nullptr;
    }

private:
    HMODULE m_Module;
};
