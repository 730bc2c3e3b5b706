#include "DllCall.h"

#if defined(__i386__)

// uint32_t KestrelCallWords(const void* function, const uint32_t* words)
// cdecl. Pushes the 16 words (word 15 first, so word 0 ends on top), calls
// the function, then takes the stack pointer back from the frame pointer:
// whatever the callee removed or left, the stack is as it was before. The
// stack is aligned to 16 bytes at the call.
asm(R"(
    .text
    .p2align 4
    .globl _KestrelCallWords
    .def _KestrelCallWords; .scl 2; .type 32; .endef
_KestrelCallWords:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    movl 12(%ebp), %esi
    andl $-16, %esp
    movl $16, %ecx
1:
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jnz 1b
    call *8(%ebp)
    leal -4(%ebp), %esp
    popl %esi
    popl %ebp
    ret
)");

extern "C" uint32_t KestrelCallWords(const void* function, const uint32_t* words);

uintptr_t CallWithWords(const void* function, const uintptr_t (&words)[kDllArgumentWords])
{
    return KestrelCallWords(function, words);
}

#else

uintptr_t CallWithWords(const void* function, const uintptr_t (&w)[kDllArgumentWords])
{
    typedef uintptr_t (*Function16)(uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                                     uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                                     uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                                     uintptr_t);
    Function16 f = reinterpret_cast<Function16>(const_cast<void*>(function));
    return f(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11], w[12],
             w[13], w[14], w[15]);
}

#endif
