// General-purpose complex DFT of any length, forward and inverse, unscaled,
// backed by FFTW. Plans are made with FFTW_ESTIMATE so the chosen algorithm (and so
// the rounding of the result) never depends on timing.
#pragma once

#include <complex>
#include <cstddef>
#include <span>
#include <vector>

namespace tessaly {

// One transform size and direction. Owns its FFTW plan and aligned buffers.
// Plan creation and destruction take a process-wide lock (the FFTW planner is not
// thread-safe); execution does not. An object may be used by one thread at a time;
// distinct objects may run concurrently.
class DftPlan {
 public:
  // inverse = false: X[k] = sum_t x[t] exp(-2 pi i t k / n);
  // inverse = true: the same with +2 pi i, not divided by n.
  DftPlan(std::size_t n, bool inverse);
  ~DftPlan();
  DftPlan(const DftPlan&) = delete;
  DftPlan& operator=(const DftPlan&) = delete;
  DftPlan(DftPlan&& other) noexcept;
  DftPlan& operator=(DftPlan&& other) noexcept;

  std::size_t size() const { return n_; }
  bool inverse() const { return inverse_; }

  // in.size() and out.size() must equal size(); in and out may alias.
  void execute(std::span<const std::complex<double>> in, std::span<std::complex<double>> out);

 private:
  void release() noexcept;

  std::size_t n_ = 0;
  bool inverse_ = false;
  void* plan_ = nullptr;  // fftw_plan
  std::complex<double>* buffer_ = nullptr;
};

// One-shot transform: makes a plan for x.size(), runs it and drops it.
std::vector<std::complex<double>> dft(std::span<const std::complex<double>> x, bool inverse);

}  // namespace tessaly
