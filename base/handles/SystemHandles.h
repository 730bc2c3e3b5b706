// Owners of the system handles the global functions use: kernel objects,
// directory searches (system and runtime), an open clipboard and global
// memory. Each releases its handle when it goes out of scope.
#pragma once

#include <windows.h>

#include <cstdint>
#include <io.h>

// A process or thread handle (CloseHandle).
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle = nullptr) : m_Handle(handle) {}
    ~KernelHandle()
    {
        if (m_Handle && m_Handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_Handle);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    explicit operator bool() const { return m_Handle && m_Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_Handle; }

private:
    HANDLE m_Handle;
};

// A FindFirstFileA search (FindClose).
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : m_Handle(handle) {}
    ~FindHandle()
    {
        if (m_Handle != INVALID_HANDLE_VALUE)
            FindClose(m_Handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    explicit operator bool() const { return m_Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_Handle; }

private:
    HANDLE m_Handle;
};

// A runtime _findfirst search (_findclose).
class RuntimeFindHandle {
public:
    explicit RuntimeFindHandle(intptr_t handle) : m_Handle(handle) {}
    ~RuntimeFindHandle()
    {
        if (m_Handle != -1)
            _findclose(m_Handle);
    }
    RuntimeFindHandle(const RuntimeFindHandle&) = delete;
    RuntimeFindHandle& operator=(const RuntimeFindHandle&) = delete;

    explicit operator bool() const { return m_Handle != -1; }

private:
    intptr_t m_Handle;
};

// The clipboard, opened without owner window for the object's lifetime.
class ClipboardSession {
public:
    ClipboardSession() : m_Open(OpenClipboard(nullptr) != 0) {}
    ~ClipboardSession()
    {
        if (m_Open)
            CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const { return m_Open; }

private:
    bool m_Open;
};

// Global memory, freed unless ownership is handed on (to the clipboard).
class GlobalMemory {
public:
    GlobalMemory(UINT flags, SIZE_T bytes) : m_Memory(GlobalAlloc(flags, bytes)) {}
    ~GlobalMemory()
    {
        if (m_Memory)
            GlobalFree(m_Memory);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL Get() const { return m_Memory; }
    HGLOBAL Release()
    {
        HGLOBAL memory = m_Memory;
        m_Memory = nullptr;
        return memory;
    }

private:
    HGLOBAL m_Memory;
};

// A lock on a global memory handle (GlobalLock / GlobalUnlock).
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : m_Memory(memory), m_Data(memory ? GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard()
    {
        if (m_Data)
            GlobalUnlock(m_Memory);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* Get() const { return m_Data; }

private:
    HGLOBAL m_Memory;
    void* m_Data;
};
