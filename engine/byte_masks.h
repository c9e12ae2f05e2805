#ifndef QUARNEL_ENGINE_BYTE_MASKS_H_
#define QUARNEL_ENGINE_BYTE_MASKS_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarnel {

// Where chosen bytes stand in one 64-byte stretch of a text, as bit masks:
// bit k stands for byte k of the stretch. The scans of a page look at every
// byte through these, so that a page is read sixteen bytes at a time instead
// of byte by byte or in one library call per line. SSE2 compares where the
// processor has them (every x86-64 does), plain loops elsewhere.
class Stretch {
 public:
  static constexpr std::size_t kSize = 64;

  // The stretch of `text` from `base`; bytes past the end read as NUL, which
  // no mask asks for.
  Stretch(std::string_view text, std::size_t base) {
    if (base + kSize <= text.size()) {
      Load(text.data() + base);
    } else {
      char tail[kSize] = {};
      if (base < text.size()) std::memcpy(tail, text.data() + base, text.size() - base);
      Load(tail);
    }
  }

  // The bytes equal to `c`.
  std::uint64_t Equal(char c) const { return EqualAny(c); }

  // The bytes equal to any of `cs`, in one mask.
  template <typename... Chars>
  std::uint64_t EqualAny(Chars... cs) const {
#if defined(__SSE2__)
    return Gather([&](__m128i v) { return AnyOf(v, cs...); });
#else
    std::uint64_t mask = 0;
    for (std::size_t k = 0; k < kSize; ++k) mask |= std::uint64_t{((bytes_[k] == cs) || ...)} << k;
    return mask;
#endif
  }

  // The bytes equal to any of the lower-case ASCII letters `lowers` in
  // either case. A byte is folded by setting its 0x20 bit, so a few other
  // bytes match too (0x01 for '!', say); callers look closer at each hit.
  template <typename... Chars>
  std::uint64_t EqualAnyLetter(Chars... lowers) const {
#if defined(__SSE2__)
    const __m128i fold = _mm_set1_epi8(0x20);
    return Gather([&](__m128i v) { return AnyOf(_mm_or_si128(v, fold), lowers...); });
#else
    std::uint64_t mask = 0;
    for (std::size_t k = 0; k < kSize; ++k) {
      const char folded = static_cast<char>(bytes_[k] | 0x20);
      mask |= std::uint64_t{((folded == lowers) || ...)} << k;
    }
    return mask;
#endif
  }

  // The bytes of 0x80 or more: those that are not ASCII.
  std::uint64_t High() const {
#if defined(__SSE2__)
    return Gather([](__m128i v) { return v; });
#else
    std::uint64_t mask = 0;
    for (std::size_t k = 0; k < kSize; ++k) {
      mask |= std::uint64_t{static_cast<unsigned char>(bytes_[k]) >= 0x80} << k;
    }
    return mask;
#endif
  }

 private:
#if defined(__SSE2__)
  void Load(const char* p) {
    for (int k = 0; k < 4; ++k) v_[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p) + k);
  }
  template <typename... Chars>
  static __m128i AnyOf(__m128i v, Chars... cs) {
    __m128i hits = _mm_setzero_si128();
    ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(v, _mm_set1_epi8(cs)))), ...);
    return hits;
  }
  // The top bit of every byte `compare` gives, as one mask.
  template <typename Compare>
  std::uint64_t Gather(Compare compare) const {
    std::uint64_t mask = 0;
    for (int k = 0; k < 4; ++k) {
      const auto bits = static_cast<std::uint16_t>(_mm_movemask_epi8(compare(v_[k])));
      mask |= std::uint64_t{bits} << (16 * k);
    }
    return mask;
  }
  __m128i v_[4];
#else
  void Load(const char* p) { std::memcpy(bytes_, p, kSize); }
  char bytes_[kSize];
#endif
};

// The index of the lowest set bit; `mask` is not 0.
inline unsigned LowestBit(std::uint64_t mask) {
  return static_cast<unsigned>(std::countr_zero(mask));
}

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_BYTE_MASKS_H_
