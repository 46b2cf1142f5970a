#include "engine/UnitSearch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine {

int32_t firstOfUnits(const char16_t* chars, int32_t from, int32_t to, char16_t a, char16_t b, char16_t c) {
    int32_t at = from;
#if defined(__SSE2__)
    const __m128i wantedA = _mm_set1_epi16(static_cast<short>(a));
    const __m128i wantedB = _mm_set1_epi16(static_cast<short>(b));
    const __m128i wantedC = _mm_set1_epi16(static_cast<short>(c));
    for (; at + 8 <= to; at += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + at));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, wantedA), _mm_cmpeq_epi16(units, wantedB)),
                                          _mm_cmpeq_epi16(units, wantedC));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return at + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
#endif
    for (; at < to; ++at)
        if (chars[at] == a || chars[at] == b || chars[at] == c)
            return at;
    return to;
}

}  // namespace engine
