// The pixel routines eight pixels at a time. This file alone is compiled
// for AVX2 and is only called after the processor said it has it.
#include "present/PixelPaths.h"

#if defined(__AVX2__)
#include <immintrin.h>

#include "present/PixelKernels.h"

namespace {

inline __m256i Load8(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void Store8(std::uint32_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
inline __m128i Load4(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store4(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

inline __m256i Keyed8(__m256i s, __m256i d, __m256i keys) {
  return _mm256_blendv_epi8(s, d, _mm256_cmpeq_epi32(s, keys));
}
inline __m128i Keyed4(__m128i s, __m128i d, __m128i keys) { return _mm_blendv_epi8(s, d, _mm_cmpeq_epi32(s, keys)); }

// round(x / 255) in each 16-bit lane, x <= 255 * 255.
inline __m256i DivideBy255(__m256i x) {
  const __m256i t = _mm256_add_epi16(x, _mm256_set1_epi16(128));
  return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// Unpacking and packing work within each 128-bit half, so the pixels come
// back in their places.
inline __m256i Blend8(__m256i s, __m256i d, __m256i alpha, __m256i inverse) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i low = DivideBy255(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), alpha),
                                                   _mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), inverse)));
  const __m256i high = DivideBy255(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), alpha),
                                                    _mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), inverse)));
  return _mm256_or_si256(_mm256_packus_epi16(low, high), _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
}

struct TAvx2Rows {
  // Copied rows end with one step that overlaps the previous one: copying
  // the same pixels twice gives the same result, and a 12-pixel tile row
  // is two eight-pixel steps, with no pixel-by-pixel tail.
  static void Copy(std::uint32_t* to, const std::uint32_t* from, int count) {
    if (count >= 8) {
      if (count > 64) {
        __builtin_memcpy(to, from, static_cast<std::size_t>(count) * 4);
        return;
      }
      for (int x = 0; x + 8 < count; x += 8) Store8(to + x, Load8(from + x));
      Store8(to + count - 8, Load8(from + count - 8));
    } else if (count >= 4) {
      Store4(to, Load4(from));
      Store4(to + count - 4, Load4(from + count - 4));
    } else {
      for (int x = 0; x < count; ++x) to[x] = from[x];
    }
  }

  // Keyed steps read the destination, so they never overlap: a read of
  // pixels just stored in part would wait for the store.
  static void Keyed(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t key) {
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    int x = 0;
    for (; x + 8 <= count; x += 8) Store8(to + x, Keyed8(Load8(from + x), Load8(to + x), keys));
    if (x + 4 <= count) {
      Store4(to + x, Keyed4(Load4(from + x), Load4(to + x), _mm256_castsi256_si128(keys)));
      x += 4;
    }
    for (; x < count; ++x)
      if (from[x] != key) to[x] = from[x];
  }

  // Blending twice is not blending once: the tail goes pixel by pixel.
  static void Blend(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t alpha, bool keyed,
                    std::uint32_t key) {
    const __m256i a = _mm256_set1_epi16(static_cast<short>(alpha));
    const __m256i inverse = _mm256_set1_epi16(static_cast<short>(255 - alpha));
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
      const __m256i s = Load8(from + x);
      const __m256i d = Load8(to + x);
      const __m256i mixed = Blend8(s, d, a, inverse);
      Store8(to + x, keyed ? _mm256_blendv_epi8(mixed, d, _mm256_cmpeq_epi32(s, keys)) : mixed);
    }
    BlendPixels(to + x, from + x, count - x, alpha, keyed, key);
  }
};

constexpr TPixelRoutines Routines = TKernels<TAvx2Rows>::Routines(TPixelPath::Avx2);

}  // namespace

const TPixelRoutines* Avx2PixelRoutines() { return &Routines; }

#else

const TPixelRoutines* Avx2PixelRoutines() { return nullptr; }

#endif
