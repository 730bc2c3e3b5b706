// Byte-parallel pixel comparisons shared by the bitmap search and the
// difference functions: SSE2 where the compiler targets it (always on
// x86-64), plain loops elsewhere. Internal to the package.
//
// "Within t" means every byte of one side differs from the other side's
// byte at the same place by at most t.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define ALMANAC_SSE2 1
#endif

namespace almanac {
namespace simd {

inline uint32_t Load32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline int ByteDistance(uint8_t a, uint8_t b) { return a > b ? a - b : b - a; }

// Whether the n bytes at a and b are within t of each other.
inline bool BytesWithin(const uint8_t* a, const uint8_t* b, size_t n, int t)
{
    size_t i = 0;
#if ALMANAC_SSE2
    const __m128i limit = _mm_set1_epi8(static_cast<char>(t));
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i distance = _mm_or_si128(_mm_subs_epu8(va, vb), _mm_subs_epu8(vb, va));
        const __m128i over = _mm_subs_epu8(distance, limit);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(over, zero)) != 0xFFFF) return false;
    }
#endif
    for (; i < n; ++i)
        if (ByteDistance(a[i], b[i]) > t) return false;
    return true;
}

// Whether the 4-byte pixels p and q are within t.
inline bool Pixel32Within(uint32_t p, uint32_t q, int t)
{
    for (int k = 0; k < 32; k += 8)
        if (ByteDistance(static_cast<uint8_t>(p >> k), static_cast<uint8_t>(q >> k)) > t) return false;
    return true;
}

// Calls check(px) for each px from first to last (inclusive) at which the
// 4-byte pixel at row + (px + a) * 4 equals pa and the one at
// row + (px + b) * 4 equals pb (with Tolerant: is within t of them), in
// ascending order, until check returns true. True when one did. The
// caller guarantees that row + (last + max(a, b)) * 4 + 4 is inside the
// buffer.
template <bool Tolerant, typename Check>
bool ScanAnchors32(const uint8_t* row, int first, int last, int a, int b, uint32_t pa, uint32_t pb, int t,
                   Check&& check)
{
    int px = first;
#if ALMANAC_SSE2
    const __m128i va = _mm_set1_epi32(static_cast<int>(pa));
    const __m128i vb = _mm_set1_epi32(static_cast<int>(pb));
    const __m128i limit = _mm_set1_epi8(static_cast<char>(t));
    const __m128i zero = _mm_setzero_si128();
    auto hits = [&](const uint8_t* at, __m128i want) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        if (!Tolerant) return _mm_cmpeq_epi32(v, want);
        const __m128i distance = _mm_or_si128(_mm_subs_epu8(v, want), _mm_subs_epu8(want, v));
        return _mm_cmpeq_epi32(_mm_subs_epu8(distance, limit), zero);
    };
    // Eight positions per step: two independent loads per anchor keep the
    // loop bound by memory, not by the compare chain.
    for (; px + 7 <= last; px += 8) {
        const uint8_t* at = row + static_cast<ptrdiff_t>(px) * 4;
        const __m128i lo = _mm_and_si128(hits(at + a * 4, va), hits(at + b * 4, vb));
        const __m128i hi = _mm_and_si128(hits(at + a * 4 + 16, va), hits(at + b * 4 + 16, vb));
        int mask = _mm_movemask_ps(_mm_castsi128_ps(lo)) | (_mm_movemask_ps(_mm_castsi128_ps(hi)) << 4);
        while (mask) {
            const int k = __builtin_ctz(static_cast<unsigned>(mask));
            mask &= mask - 1;
            if (check(px + k)) return true;
        }
    }
#endif
    for (; px <= last; ++px) {
        const uint8_t* at = row + static_cast<ptrdiff_t>(px) * 4;
        const uint32_t ga = Load32(at + a * 4), gb = Load32(at + b * 4);
        const bool hit = Tolerant ? Pixel32Within(ga, pa, t) && Pixel32Within(gb, pb, t) : ga == pa && gb == pb;
        if (hit && check(px)) return true;
    }
    return false;
}

// The number of 4-byte pixels among the n at a and b that are not within
// t of each other.
inline int64_t CountDifferent32(const uint8_t* a, const uint8_t* b, int64_t n, int t)
{
    int64_t count = 0;
    int64_t i = 0;
#if ALMANAC_SSE2
    const __m128i limit = _mm_set1_epi8(static_cast<char>(t));
    const __m128i zero = _mm_setzero_si128();
    for (; i + 4 <= n; i += 4) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i * 4));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i * 4));
        const __m128i distance = _mm_or_si128(_mm_subs_epu8(va, vb), _mm_subs_epu8(vb, va));
        const __m128i same = _mm_cmpeq_epi32(_mm_subs_epu8(distance, limit), zero);
        count += 4 - __builtin_popcount(static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(same))));
    }
#endif
    for (; i < n; ++i)
        if (!Pixel32Within(Load32(a + i * 4), Load32(b + i * 4), t)) ++count;
    return count;
}

}  // namespace simd
}  // namespace almanac
