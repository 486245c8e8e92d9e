#include "catchamouse16/co_addnoise.h"

#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "catch22/co_histogramami.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr unsigned long kSeed = 0;
constexpr double kNoiseSigma = 1.0;
constexpr double kLevelFrom = 0.0;
constexpr double kLevelTo = 3.0;
constexpr std::size_t kLevelCount = 50;
constexpr double kTargetLevel = 1.0;
constexpr std::uint64_t kBins = 10;
constexpr std::uint64_t kLag = 1;

struct RngDeleter {
  void operator()(gsl_rng* r) const { gsl_rng_free(r); }
};
using RngPtr = std::unique_ptr<gsl_rng, RngDeleter>;

}  // namespace

double co_addnoise_1_even_10_ami_at_10(std::span<const double> y, bool normalize) {
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());

  // No gsl_rng_env_setup: it reads GSL_RNG_TYPE/GSL_RNG_SEED from the environment
  // (aborting on an unknown type name), while the type and seed below are explicit,
  // so the draws would not depend on it anyway.
  const RngPtr rng(gsl_rng_alloc(gsl_rng_mt19937));
  if (!rng) return kNaN;
  gsl_rng_set(rng.get(), kSeed);

  // First level at or above 1: the 18th of 50 accumulated steps of 3/49.
  const std::vector<double> levels = linspace(kLevelFrom, kLevelTo, kLevelCount);
  double level = kNaN;
  for (double l : levels) {
    if (l >= kTargetLevel) {
      level = l;
      break;
    }
  }

  std::vector<double> q(w.size());
  for (std::size_t i = 0; i < w.size(); ++i) {
    const double e = gsl_ran_gaussian_ziggurat(rng.get(), kNoiseSigma);
    q[i] = level * e + w[i];
  }
  return histogram_ami_even(q, kBins, kLag, false);
}

}  // namespace tessaly
