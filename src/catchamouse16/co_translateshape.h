// Circle-translation shape counts: for every 7-point window, how many points lie
// within radius 3.5 of the centre point in the (position, value) plane.
#pragma once

#include <span>
#include <string_view>

namespace tessaly {

// summary: "std" (standard deviation of the counts) or "statav4_m" (sliding-window
// mean/std over 4 segments of the counts); any other name gives NaN.
double co_translateshape_circle_35_pts(std::span<const double> y, std::string_view summary,
                                       bool normalize);

double co_translateshape_circle_35_pts_std(std::span<const double> y, bool normalize);
double co_translateshape_circle_35_pts_statav4_m(std::span<const double> y, bool normalize);

}  // namespace tessaly
