#include "catch22/fft.h"

#include <cmath>
#include <stdexcept>

namespace tessaly {

std::vector<Complex> twiddles(std::size_t n) {
  std::vector<Complex> tw(n);
  const double nr = static_cast<double>(n);
  for (std::size_t k = 0; k < n; ++k) {
    const double theta = (static_cast<double>(k) * -kPiApprox) / nr;
    tw[k] = {std::cos(theta), std::sin(theta)};
  }
  return tw;
}

std::vector<Complex> fft_twiddles(std::size_t n) {
  std::vector<Complex> tw(n / 2);
  const double nr = static_cast<double>(n);
  for (std::size_t j = 0; j < tw.size(); ++j) {
    const double theta = (static_cast<double>(2 * j) * -kPiApprox) / nr;  // as entry 2j of twiddles(n)
    tw[j] = {std::cos(theta), std::sin(theta)};
  }
  return tw;
}

namespace {

// The transform is defined by a depth-first recursion that, at stride s, combines
// the two half-transforms at offset o (0 <= o < s):
//   t = w(i) * src[o + i + s];  dst[o + i/2] = src[o + i] + t;  dst[o + (i + n)/2] = src[o + i] - t
// for i = 0, 2s, 4s, ..., reading the other array, which the level at stride 2s
// wrote. The calls of one level write disjoint entries and read only the level
// below, so running the levels one after another, offsets innermost, performs the
// same operations on the same values (the same bits) with contiguous access.
// w(i) is tw[i * tw_stride / 2]: every other entry of the full table, or each entry
// of the half table.
void fft_levels(std::span<Complex> a, const Complex* tw, std::size_t tw_stride) {
  const std::size_t n = a.size();
  if (n < 2) return;
  std::vector<Complex> other(a.begin(), a.end());
  unsigned levels = 0;
  while ((std::size_t{1} << levels) < n) ++levels;
  const std::size_t half = n / 2;
  // The level at stride s = 2^L writes into a when L is even, else into the copy;
  // the deepest level reads the untouched input from whichever array is its source.
  for (unsigned level = levels; level-- > 0;) {
    const std::size_t s = std::size_t{1} << level;
    Complex* dst = (level % 2 == 0) ? a.data() : other.data();
    const Complex* src = (level % 2 == 0) ? other.data() : a.data();
    for (std::size_t k = 0; k < half / s; ++k) {
      const Complex w = tw[s * k * tw_stride];
      const Complex* even = src + 2 * s * k;
      const Complex* odd = even + s;
      Complex* lo = dst + s * k;
      Complex* hi = lo + half;
      for (std::size_t o = 0; o < s; ++o) {
        const Complex t = w * odd[o];
        lo[o] = even[o] + t;
        hi[o] = even[o] - t;
      }
    }
  }
}

bool is_power_of_two(std::size_t n) { return n != 0 && (n & (n - 1)) == 0; }

}  // namespace

void fft(std::span<Complex> a, std::span<const Complex> tw) {
  const std::size_t n = a.size();
  if ((n & (n - 1)) != 0 || tw.size() < n)
    throw std::invalid_argument("fft: length must be a power of two covered by the table");
  fft_levels(a, tw.data(), 2);
}

void fft_with_half_table(std::span<Complex> a, std::span<const Complex> half_tw) {
  const std::size_t n = a.size();
  if (n > 1 && (!is_power_of_two(n) || half_tw.size() < n / 2))
    throw std::invalid_argument("fft: length must be a power of two covered by the table");
  fft_levels(a, half_tw.data(), 1);
}

}  // namespace tessaly
