#include "StackGuard.h"

#if defined(_WIN32)
#if !defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0602
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602  // GetCurrentThreadStackLimits: Windows 8
#endif
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace loom {

StackGuard::StackGuard()
{
#if defined(_WIN32)
    ULONG_PTR low = 0, high = 0;
    GetCurrentThreadStackLimits(&low, &high);
    // The lowest pages are the guard area that turns an overflow into an
    // exception; stay above them.
    m_Low = low ? static_cast<uintptr_t>(low) + 64 * 1024 : 0;
#else
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        void* address = nullptr;
        size_t size = 0;
        if (pthread_attr_getstack(&attr, &address, &size) == 0 && address) {
            m_Low = reinterpret_cast<uintptr_t>(address) + 64 * 1024;
        }
        pthread_attr_destroy(&attr);
    }
#endif
}

}  // namespace loom
