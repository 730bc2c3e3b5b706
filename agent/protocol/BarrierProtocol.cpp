#include "BarrierProtocol.h"

#include <cwchar>

// Shared by every process that loads the agent: the caller writes them, the
// hook inside the application reads them.
#define SQUIRE_SHARED __attribute__((section(".shr"), shared))
volatile LONG gBarrierCounter SQUIRE_SHARED = 0;
volatile LONG gKeyMarkNumber SQUIRE_SHARED = 0;
volatile LONG gFocusWindow SQUIRE_SHARED = 0;

namespace squire {

UINT BarrierMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Kestrel.Barrier");
    return message;
}

void BarrierEventName(LONG number, wchar_t* name, size_t size)
{
    std::swprintf(name, size, L"Local\\Kestrel.Barrier.%ld", static_cast<long>(number));
}

LONG NextBarrierNumber()
{
    return InterlockedIncrement(&gBarrierCounter);
}

void SetKeyMarkNumber(LONG number)
{
    InterlockedExchange(&gKeyMarkNumber, number);
}

LONG KeyMarkNumber()
{
    return gKeyMarkNumber;
}

void SetFocusRequestWindow(HWND window)
{
    InterlockedExchange(&gFocusWindow, static_cast<LONG>(reinterpret_cast<ULONG_PTR>(window)));
}

HWND FocusRequestWindow()
{
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(static_cast<ULONG>(gFocusWindow)));
}

BYTE KeyMarkScan(LONG number)
{
    return static_cast<BYTE>((number & 0x7F) + 1);
}

}  // namespace squire
