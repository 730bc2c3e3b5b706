#include "ItemText.h"

#include "ResponseBound.h"

#include <vector>

bool ReadItemText(HWND control, UINT lengthMessage, UINT textMessage, LRESULT error, int index, String& text)
{
    LRESULT length = 0;
    if (!squire::SendWithinBound(control, lengthMessage, static_cast<WPARAM>(index), 0, length, true) ||
        length == error || length < 0)
        return false;
    // An owner-drawn list without strings writes its item data, which may be
    // longer than the length it reports: leave room for it.
    std::vector<wchar_t> wide(static_cast<size_t>(length) + 1 + sizeof(ULONG_PTR), L'\0');
    LRESULT copied = 0;
    if (!squire::SendWithinBound(control, textMessage, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(wide.data()), copied, true) ||
        copied == error)
        return false;
    wide[static_cast<size_t>(length)] = L'\0';
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> narrow(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow.data(), bytes, nullptr, nullptr);
    text = String(narrow.data());
    return true;
}
