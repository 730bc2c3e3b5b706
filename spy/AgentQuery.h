// Questions answered inside the application: calls to the agent (Squire)
// for the controls it knows, and a buffer in the application's memory for
// the few control messages that take a pointer and that the agent has no
// function for (tree-view items, tool-bar buttons).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace spy {

// Runs `function` with integer arguments on `window`, handled as a window of
// `windowClass`, inside its process. False when the call fails (the reason
// in `error`) or answers with another type.
bool AgentInt(HWND window, const char* windowClass, const char* function, const std::vector<int>& args,
              int& result, std::string& error);
bool AgentText(HWND window, const char* windowClass, const char* function, const std::vector<int>& args,
               std::string& result, std::string& error);

// A block of memory inside the process that owns a window, freed with the
// object.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return m_Address != nullptr; }
    void* Address() const { return m_Address; }
    LPARAM Param(size_t offset = 0) const
    {
        return reinterpret_cast<LPARAM>(static_cast<char*>(m_Address) + offset);
    }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    HANDLE m_Process = nullptr;
    void* m_Address = nullptr;
    size_t m_Size = 0;
};

}  // namespace spy
