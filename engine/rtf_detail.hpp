#pragma once

// What the RTF reader (rtf_read.cpp) and writer (rtf_write.cpp) share; private to the two.

// ---------------------------------------------------------------------------------------------
// Sixteen bytes at a time, where the processor has SSSE3 (nearly every x86-64 one does); the
// byte loops remain for the rest of the text and for other processors.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SEMTRA_RTF_BLOCKS 1
#endif

#ifdef SEMTRA_RTF_BLOCKS

#include <tmmintrin.h>

#define SEMTRA_SSSE3 __attribute__((target("ssse3")))

namespace semtra::rtf::detail {

inline bool hasSsse3() {
    __builtin_cpu_init(); // may run before the constructors that would otherwise see to it
    return __builtin_cpu_supports("ssse3");
}

// One test for the reader and the writer alike.
inline const bool kHasSsse3 = hasSsse3();

SEMTRA_SSSE3 inline __m128i load16(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

SEMTRA_SSSE3 inline __m128i bytesEqual(__m128i v, char c) {
    return _mm_cmpeq_epi8(v, _mm_set1_epi8(c));
}

} // namespace semtra::rtf::detail

#endif
