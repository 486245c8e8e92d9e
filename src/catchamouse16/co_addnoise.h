// Automutual information of the series with Gaussian noise of level about 1 added.
#pragma once

#include <span>

namespace tessaly {

// The noise comes from a generator created and seeded inside the call, so every
// call (on any thread) adds the same noise sequence.
double co_addnoise_1_even_10_ami_at_10(std::span<const double> y, bool normalize);

}  // namespace tessaly
