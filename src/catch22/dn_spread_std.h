#pragma once

#include <span>

namespace tessaly {

double dn_spread_std(std::span<const double> y);

}  // namespace tessaly
