// Every tsfeatures statistic.
#pragma once

#include "tsfeatures/arch_stat.h"
#include "tsfeatures/crossing_points.h"
#include "tsfeatures/entropy.h"
#include "tsfeatures/flat_spots.h"
#include "tsfeatures/hurst.h"
#include "tsfeatures/lumpiness.h"
#include "tsfeatures/nonlinearity.h"
#include "tsfeatures/pacf_features.h"
#include "tsfeatures/stability.h"
#include "tsfeatures/unitroot_kpss.h"
#include "tsfeatures/unitroot_pp.h"
