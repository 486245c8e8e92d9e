#include "catchamouse16/co_histogramami_even.h"

#include "catch22/co_histogramami.h"

namespace tessaly {

// histogram_ami_even z-scores by itself when asked to.
double co_histogramami_even_2_3(std::span<const double> y, bool normalize) {
  return histogram_ami_even(y, 2, 3, normalize);
}

double co_histogramami_even_10_1(std::span<const double> y, bool normalize) {
  return histogram_ami_even(y, 10, 1, normalize);
}

double co_histogramami_even_10_3(std::span<const double> y, bool normalize) {
  return histogram_ami_even(y, 10, 3, normalize);
}

}  // namespace tessaly
