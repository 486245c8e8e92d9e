#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <stdexcept>
#include <vector>

#include "tsfeatures/least_squares.h"
#include "literal_solver.h"

namespace tessaly {
namespace {

using Columns = std::vector<std::span<const double>>;

TEST(LeastSquaresTest, ExactLineIsRecovered) {
  const std::vector<double> ones(4, 1.0);
  const std::vector<double> x = {0, 1, 2, 3};
  const std::vector<double> v = {2, 5, 8, 11};  // 2 + 3x
  const Columns cols = {ones, x};
  const Expected<LeastSquaresFit> fit = least_squares(cols, v);
  ASSERT_TRUE(fit.ok());
  ASSERT_EQ(fit->coefficients.size(), 2u);
  // The pivot row exchange brings in the inexact factor 4 / 6, so only rounding
  // residue remains.
  EXPECT_NEAR(fit->coefficients[0], 2.0, 1e-13);
  EXPECT_NEAR(fit->coefficients[1], 3.0, 1e-13);
  for (double r : fit->residuals) EXPECT_NEAR(r, 0.0, 1e-13);
  EXPECT_LT(fit->ssr, 1e-26);
}

TEST(LeastSquaresTest, OverdeterminedSystemGivesTheLeastSquaresLine) {
  // Points (0, 0), (1, 1), (2, 1): slope 1/2, intercept 1/6, residuals -1/6, 1/3, -1/6.
  const std::vector<double> ones(3, 1.0);
  const std::vector<double> x = {0, 1, 2};
  const std::vector<double> v = {0, 1, 1};
  const Columns cols = {ones, x};
  const Expected<LeastSquaresFit> fit = least_squares(cols, v);
  ASSERT_TRUE(fit.ok());
  EXPECT_DOUBLE_EQ(fit->coefficients[0], 1.0 / 6.0);
  EXPECT_DOUBLE_EQ(fit->coefficients[1], 0.5);
  EXPECT_DOUBLE_EQ(fit->residuals[0], -1.0 / 6.0);
  EXPECT_DOUBLE_EQ(fit->residuals[1], 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(fit->residuals[2], -1.0 / 6.0);
  EXPECT_DOUBLE_EQ(fit->ssr, 1.0 / 6.0);
}

TEST(LeastSquaresTest, RowExchangeRescuesATinyLeadingPivot) {
  // A[0][0] = 1e-12 is below the threshold, but the system is regular: the pivot
  // search must take row 1 (A[1][0] = 1e-3) instead of failing.
  const std::vector<double> x0 = {1e-6, 0.0};
  const std::vector<double> x1 = {1e3, 1e3};
  const std::vector<double> v = {2.0 * 1e-6 + 3.0 * 1e3, 3.0 * 1e3};
  const Columns cols = {x0, x1};
  const Expected<LeastSquaresFit> fit = least_squares(cols, v);
  ASSERT_TRUE(fit.ok()) << fit.error();
  EXPECT_NEAR(fit->coefficients[0], 2.0, 1e-4);  // ill-conditioned column
  EXPECT_NEAR(fit->coefficients[1], 3.0, 1e-12);
}

TEST(LeastSquaresTest, SingularSystemsReportTheError) {
  const std::vector<double> ones(3, 1.0);
  const std::vector<double> x = {1, 2, 4};
  const std::vector<double> twice = {2, 4, 8};
  const std::vector<double> tiny = {1e-6, 0.0, 0.0};
  const std::vector<double> v = {1, 0, 3};
  const struct {
    Columns cols;
    const char* why;
  } cases[] = {
      {{ones, x, twice}, "dependent columns"},
      {{ones, ones}, "repeated column"},
      {{tiny}, "pivot 1e-12 below the threshold"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Expected<LeastSquaresFit> fit = least_squares(c.cols, v);
    ASSERT_FALSE(fit.ok());
    EXPECT_EQ(fit.error(), "Singular matrix");
  }
  // One row cannot fix two coefficients.
  const std::vector<double> one = {1.0};
  const std::vector<double> at = {2.0};
  const Columns wide = {one, at};
  EXPECT_FALSE(least_squares(wide, one).ok());
}

TEST(LeastSquaresTest, NaNFlowsThroughWithoutAnError) {
  // A NaN pivot is not "small", so the solve completes and the NaN propagates.
  const std::vector<double> ones(3, 1.0);
  const std::vector<double> x = {1, std::numeric_limits<double>::quiet_NaN(), 3};
  const std::vector<double> v = {1, 2, 3};
  const Columns cols = {ones, x};
  const Expected<LeastSquaresFit> fit = least_squares(cols, v);
  ASSERT_TRUE(fit.ok());
  EXPECT_TRUE(std::isnan(fit->ssr));
}

TEST(LeastSquaresTest, MirroredNormalEquationsMatchEveryDotProduct) {
  // Only the upper triangle is summed; the copy must equal the literal lower sums.
  std::mt19937_64 gen(11);
  std::normal_distribution<double> noise(0.0, 3.0);
  constexpr std::size_t kRows = 57;
  constexpr std::size_t kCols = 6;
  std::vector<std::vector<double>> data(kCols + 1, std::vector<double>(kRows));
  for (auto& col : data)
    for (double& v : col) v = noise(gen);
  const Columns cols(data.begin(), data.begin() + kCols);
  const std::span<const double> v = data[kCols];
  const std::vector<double> aug = normal_equations(cols, v);
  ASSERT_EQ(aug.size(), kCols * (kCols + 1));
  for (std::size_t i = 0; i < kCols; ++i) {
    for (std::size_t j = 0; j <= kCols; ++j) {
      const std::span<const double> other = j < kCols ? cols[j] : v;
      double s = -0.0;
      for (std::size_t t = 0; t < kRows; ++t) s += cols[i][t] * other[t];
      EXPECT_EQ(aug[i * (kCols + 1) + j], s) << i << "," << j;
    }
  }
}

TEST(LeastSquaresTest, MatchesLiteralSolveBitForBit) {
  // Random systems, some with nearly collinear columns and an offset so that the
  // pivoting and the order of every subtraction show in the last bits.
  std::mt19937_64 gen(29);
  std::normal_distribution<double> noise(0.0, 1.0);
  const struct {
    std::size_t rows, cols;
    double offset, collinear;
  } shapes[] = {{1, 1, 0.0, 0.0},   {5, 2, 3.0, 0.0},  {12, 4, 0.0, 0.0},  {30, 4, 50.0, 0.0},
                {40, 7, 0.0, 0.999}, {9, 9, 1.0, 0.0}, {200, 13, 2.0, 0.9}, {64, 6, -7.0, 0.5}};
  std::size_t solved = 0;
  for (const auto& shape : shapes) {
    for (int rep = 0; rep < 5; ++rep) {
      SCOPED_TRACE(testing::Message() << shape.rows << "x" << shape.cols << " rep " << rep);
      std::vector<std::vector<double>> data(shape.cols, std::vector<double>(shape.rows));
      for (std::size_t i = 0; i < shape.cols; ++i)
        for (std::size_t t = 0; t < shape.rows; ++t)
          data[i][t] = shape.offset + noise(gen) +
                       (i > 0 ? shape.collinear * data[i - 1][t] : 0.0);
      std::vector<double> v(shape.rows);
      for (double& x : v) x = shape.offset * 0.5 + noise(gen);
      const Columns cols(data.begin(), data.end());
      const Expected<LeastSquaresFit> fit = least_squares(cols, v);
      const test::LiteralFit ref = test::literal_solve(data, v);
      ASSERT_EQ(fit.ok(), ref.ok);
      if (!ref.ok) continue;
      ++solved;
      EXPECT_EQ(fit->coefficients, ref.beta);
      EXPECT_EQ(fit->residuals, ref.residuals);
      EXPECT_EQ(fit->ssr, ref.ssr);
    }
  }
  EXPECT_GT(solved, 30u);

  // |A[1][0]| ties with A[0][0] = 1.0 (both 1 exactly): the first row stays the
  // pivot, and taking row 1 instead changes the rounding of the solution.
  const std::vector<std::vector<double>> tie = {{0.6, 0.8, 0.0}, {1.0, 0.5, 0.1}, {0.3, -0.7, 1.9}};
  const std::vector<double> v = {0.1, 0.7, -0.3};
  const Columns cols(tie.begin(), tie.end());
  const std::vector<double> aug = normal_equations(cols, v);
  ASSERT_EQ(aug[0], 1.0);
  ASSERT_EQ(aug[4], 1.0);
  const Expected<LeastSquaresFit> fit = least_squares(cols, v);
  const test::LiteralFit ref = test::literal_solve(tie, v);
  ASSERT_TRUE(fit.ok() && ref.ok);
  EXPECT_EQ(fit->coefficients, ref.beta);
}

TEST(LeastSquaresTest, MalformedSystemsAreInternalErrors) {
  const std::vector<double> v = {1, 2, 3};
  const std::vector<double> short_col = {1, 2};
  const std::vector<double> empty;
  EXPECT_THROW(least_squares(Columns{}, v), std::invalid_argument);
  EXPECT_THROW(least_squares(Columns{short_col}, v), std::invalid_argument);
  EXPECT_THROW(least_squares(Columns{empty}, empty), std::invalid_argument);
}

}  // namespace
}  // namespace tessaly
