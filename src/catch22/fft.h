// The catch22 radix-2 FFT. Its exact arithmetic, including the pi approximation of
// the twiddle table, is part of the feature values.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tessaly {

// std::complex is avoided on purpose: its division scales and its multiplication
// recovers infinities, both of which change bits.
struct Complex {
  double re = 0.0;
  double im = 0.0;
};

inline Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
inline Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
inline Complex operator*(Complex a, Complex b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline Complex conj(Complex a) { return {a.re, -a.im}; }
// p / d = p * conj(d) / (d.re^2 + d.im^2)
inline Complex operator/(Complex p, Complex d) {
  const Complex num = p * conj(d);
  const double den = d.re * d.re + d.im * d.im;
  return {num.re / den, num.im / den};
}

inline constexpr double kPiApprox = 3.14159265359;

// Entry k = (cos t, sin t), t = (k * -kPiApprox) / n.
std::vector<Complex> twiddles(std::size_t n);

// Unscaled forward transform in place; a.size() is a power of two equal to tw.size().
void fft(std::span<Complex> a, std::span<const Complex> tw);

// The transform reads only the even entries of the table: fft_twiddles(n)[j] is
// twiddles(n)[2 * j], and fft_with_half_table(a, fft_twiddles(n)) equals
// fft(a, twiddles(n)) to the bit at half the trigonometric cost.
std::vector<Complex> fft_twiddles(std::size_t n);
void fft_with_half_table(std::span<Complex> a, std::span<const Complex> half_tw);

}  // namespace tessaly
