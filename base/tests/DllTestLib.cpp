// Functions called by the dll-call tests, one of each calling convention.
#include <cstdint>

#define TEST_EXPORT extern "C" __declspec(dllexport)

// Removes its own two arguments on i686.
TEST_EXPORT int __stdcall StdSubtract(int a, int b)
{
    return a - b;
}

// Leaves its three arguments to the caller.
TEST_EXPORT int __cdecl CdeclCombine(int a, int b, int c)
{
    return a * 100 + b * 10 + c;
}

// Sixteen arguments, each weighted by its position, so order mistakes show.
TEST_EXPORT int __stdcall StdWeighted16(int a0, int a1, int a2, int a3, int a4, int a5, int a6,
                                        int a7, int a8, int a9, int a10, int a11, int a12,
                                        int a13, int a14, int a15)
{
    int a[] = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15};
    int sum = 0;
    for (int i = 0; i < 16; ++i)
        sum += a[i] * (i + 1);
    return sum;
}

TEST_EXPORT int __cdecl TextLength(const char* text)
{
    int n = 0;
    while (text && text[n])
        ++n;
    return n;
}

// Writes into its text argument, as some system functions do.
TEST_EXPORT int __cdecl OverwriteText(char* text)
{
    if (text && text[0])
        text[0] = '#';
    return 1;
}

TEST_EXPORT const char* __cdecl Greeting()
{
    return "hello from the library";
}

TEST_EXPORT const char* __cdecl NullText()
{
    return nullptr;
}

TEST_EXPORT int __cdecl Return256()
{
    return 256;
}

TEST_EXPORT int __cdecl NotOf(int flag)
{
    return flag ? 0 : 1;
}

TEST_EXPORT int __cdecl Identity(int value)
{
    return value;
}
