#include "helpers/common/general_fft.h"

#include <fftw3.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <stdexcept>
#include <utility>

namespace tessaly {

namespace {

// The FFTW planner (plan creation and destruction) shares global state; only the
// execute functions are safe to call concurrently.
std::mutex& planner_mutex() {
  static std::mutex m;
  return m;
}

}  // namespace

DftPlan::DftPlan(std::size_t n, bool inverse) : n_(n), inverse_(inverse) {
  // Length 0 has nothing to transform and length 1 is the identity; neither needs
  // FFTW.
  if (n_ <= 1) return;
  buffer_ = reinterpret_cast<std::complex<double>*>(fftw_alloc_complex(n_));
  if (buffer_ == nullptr) throw std::bad_alloc();
  fftw_iodim64 dim;
  dim.n = static_cast<std::ptrdiff_t>(n_);
  dim.is = 1;
  dim.os = 1;
  auto* buf = reinterpret_cast<fftw_complex*>(buffer_);
  {
    std::lock_guard<std::mutex> lock(planner_mutex());
    plan_ = fftw_plan_guru64_dft(1, &dim, 0, nullptr, buf, buf,
                                 inverse_ ? FFTW_BACKWARD : FFTW_FORWARD, FFTW_ESTIMATE);
  }
  if (plan_ == nullptr) {
    fftw_free(buffer_);
    buffer_ = nullptr;
    throw std::runtime_error("FFTW could not create a plan");
  }
}

DftPlan::~DftPlan() { release(); }

DftPlan::DftPlan(DftPlan&& other) noexcept
    : n_(other.n_),
      inverse_(other.inverse_),
      plan_(std::exchange(other.plan_, nullptr)),
      buffer_(std::exchange(other.buffer_, nullptr)) {
  other.n_ = 0;
}

DftPlan& DftPlan::operator=(DftPlan&& other) noexcept {
  if (this != &other) {
    release();
    n_ = std::exchange(other.n_, 0);
    inverse_ = other.inverse_;
    plan_ = std::exchange(other.plan_, nullptr);
    buffer_ = std::exchange(other.buffer_, nullptr);
  }
  return *this;
}

void DftPlan::release() noexcept {
  if (plan_ != nullptr) {
    std::lock_guard<std::mutex> lock(planner_mutex());
    fftw_destroy_plan(static_cast<fftw_plan>(plan_));
    plan_ = nullptr;
  }
  if (buffer_ != nullptr) {
    fftw_free(buffer_);
    buffer_ = nullptr;
  }
}

void DftPlan::execute(std::span<const std::complex<double>> in, std::span<std::complex<double>> out) {
  if (in.size() != n_ || out.size() != n_) throw std::invalid_argument("DftPlan::execute: size mismatch");
  if (n_ <= 1) {
    if (n_ == 1) out[0] = in[0];
    return;
  }
  // Copy through the plan's own aligned buffer: the caller's storage need not have
  // the alignment the plan was made for.
  std::copy(in.begin(), in.end(), buffer_);
  fftw_execute(static_cast<fftw_plan>(plan_));
  std::copy(buffer_, buffer_ + n_, out.begin());
}

std::vector<std::complex<double>> dft(std::span<const std::complex<double>> x, bool inverse) {
  std::vector<std::complex<double>> out(x.size());
  DftPlan plan(x.size(), inverse);
  plan.execute(x, out);
  return out;
}

}  // namespace tessaly
