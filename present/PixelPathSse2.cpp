// The pixel routines four pixels at a time, for every x86-64 processor.
#include "present/PixelPaths.h"

#if defined(__SSE2__)
#include <emmintrin.h>

#include "present/PixelKernels.h"

namespace {

inline __m128i Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// value's lanes where the source s is not the key, d's lanes where it is.
inline __m128i UnlessKey(__m128i s, __m128i value, __m128i d, __m128i keys) {
  const __m128i isKey = _mm_cmpeq_epi32(s, keys);
  return _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, value));
}

inline __m128i KeyedLanes(__m128i s, __m128i d, __m128i keys) { return UnlessKey(s, s, d, keys); }

// round(x / 255) in each 16-bit lane, x <= 255 * 255.
inline __m128i DivideBy255(__m128i x) {
  const __m128i t = _mm_add_epi16(x, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

inline __m128i BlendLanes(__m128i s, __m128i d, __m128i alpha, __m128i inverse) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = DivideBy255(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), alpha),
                                                _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), inverse)));
  const __m128i high = DivideBy255(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), alpha),
                                                 _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), inverse)));
  return _mm_or_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

struct TSse2Rows {
  // Copied rows of four or more end with one step that overlaps the
  // previous one: copying the same pixels twice gives the same result.
  static void Copy(std::uint32_t* to, const std::uint32_t* from, int count) {
    if (count < 4) {
      for (int x = 0; x < count; ++x) to[x] = from[x];
      return;
    }
    if (count > 64) {
      __builtin_memcpy(to, from, static_cast<std::size_t>(count) * 4);
      return;
    }
    for (int x = 0; x + 4 < count; x += 4) Store(to + x, Load(from + x));
    Store(to + count - 4, Load(from + count - 4));
  }

  // Keyed steps read the destination, so they never overlap: a read of
  // pixels just stored in part would wait for the store.
  static void Keyed(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t key) {
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    int x = 0;
    for (; x + 4 <= count; x += 4) Store(to + x, KeyedLanes(Load(from + x), Load(to + x), keys));
    for (; x < count; ++x)
      if (from[x] != key) to[x] = from[x];
  }

  // Blending twice is not blending once: the tail goes pixel by pixel.
  static void Blend(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t alpha, bool keyed,
                    std::uint32_t key) {
    const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
    const __m128i inverse = _mm_set1_epi16(static_cast<short>(255 - alpha));
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    int x = 0;
    for (; x + 4 <= count; x += 4) {
      const __m128i s = Load(from + x);
      const __m128i d = Load(to + x);
      const __m128i mixed = BlendLanes(s, d, a, inverse);
      Store(to + x, keyed ? UnlessKey(s, mixed, d, keys) : mixed);
    }
    BlendPixels(to + x, from + x, count - x, alpha, keyed, key);
  }
};

constexpr TPixelRoutines Routines = TKernels<TSse2Rows>::Routines(TPixelPath::Sse2);

}  // namespace

const TPixelRoutines* Sse2PixelRoutines() { return &Routines; }

#else

const TPixelRoutines* Sse2PixelRoutines() { return nullptr; }

#endif
