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

namespace {

// One level of the ping-pong recursion: the two halves (even and odd positions at
// this stride) are transformed into src using dst as scratch, then combined into dst.
// dst and src point at the same offset in the two arrays; n is the full length.
void fft_step(Complex* dst, Complex* src, std::size_t step, std::size_t n, const Complex* tw) {
  if (step >= n) return;
  fft_step(src, dst, step * 2, n, tw);
  fft_step(src + step, dst + step, step * 2, n, tw);
  for (std::size_t i = 0; i < n; i += 2 * step) {
    const Complex t = tw[i] * src[i + step];
    dst[i / 2] = src[i] + t;
    dst[(i + n) / 2] = src[i] - t;
  }
}

}  // namespace

void fft(std::span<Complex> a, std::span<const Complex> tw) {
  const std::size_t n = a.size();
  if ((n & (n - 1)) != 0 || tw.size() < n)
    throw std::invalid_argument("fft: length must be a power of two covered by the table");
  std::vector<Complex> out(a.begin(), a.end());
  fft_step(a.data(), out.data(), 1, a.size(), tw.data());
}

}  // namespace tessaly
