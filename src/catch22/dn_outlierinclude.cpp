#include "catch22/dn_outlierinclude.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

// Outlier inclusion sweeps thresholds k * 0.01, k = 0 .. K - 1, with K about
// max(v) / 0.01. On raw data K follows the scale of the values (1e8 thresholds for
// values near 1e6, 2^64 - 1 for values near 1e300), so the thresholds are not visited
// one by one. Every per-threshold quantity depends only on the set
// S_k = {j : v[j] >= k * 0.01}, which shrinks as k grows and changes only where k
// passes the cutoff of some value: c(u) = smallest k with k * 0.01 > u (u belongs to
// S_k exactly when k < c(u)). The sweep therefore walks the runs of k between
// consecutive cutoffs, keeps S as a list with a cursor on its median, and takes
// the final median over the runs with their lengths. The results equal those of the
// threshold-by-threshold loop bit for bit.
//
// A threshold above every value (the last one can exceed max(v) by rounding, e.g.
// max 0.35 gives K = 36 and 35 * 0.01 > 0.35) selects no position: there are no gaps,
// the mean gap and the median position are NaN, and m - 1 is -1 (pct < 0).

namespace {

constexpr double kStep = 0.01;
constexpr double kTrimPercent = 2.0;

// The 1-based positions of a shrinking set in a linked list, with a cursor on the
// lower median (rank (m - 1) / 2). Each removal moves the cursor by at most two steps,
// so a sweep that removes every position costs O(n).
class ShrinkingPositions {
 public:
  // members[j] says whether position j + 1 starts in the set.
  explicit ShrinkingPositions(const std::vector<bool>& members)
      : prev_(members.size() + 2), next_(members.size() + 2), tail_(members.size() + 1) {
    std::size_t last = 0;
    for (std::size_t j = 0; j < members.size(); ++j) {
      if (!members[j]) continue;
      next_[last] = j + 1;
      prev_[j + 1] = last;
      last = j + 1;
      ++count_;
    }
    next_[last] = tail_;
    prev_[tail_] = last;
    if (count_ > 0) {
      rank_ = (count_ - 1) / 2;
      cursor_ = next_[0];
      for (std::size_t r = 0; r < rank_; ++r) cursor_ = next_[cursor_];
    }
  }

  std::size_t count() const { return count_; }

  void erase(std::size_t pos) {
    next_[prev_[pos]] = next_[pos];
    prev_[next_[pos]] = prev_[pos];
    if (--count_ == 0) return;
    if (pos < cursor_) {
      --rank_;
    } else if (pos == cursor_) {
      if (next_[pos] != tail_) {
        cursor_ = next_[pos];  // the successor inherits the rank
      } else {
        cursor_ = prev_[pos];
        --rank_;
      }
    }
    const std::size_t target = (count_ - 1) / 2;
    while (rank_ > target) {
      cursor_ = prev_[cursor_];
      --rank_;
    }
    while (rank_ < target) {
      cursor_ = next_[cursor_];
      ++rank_;
    }
  }

  // series_median of the positions as reals.
  double median() const {
    if (count_ == 0) return kNaN;
    const double lower = static_cast<double>(cursor_);
    if (count_ % 2 == 1) return lower;
    return (lower + static_cast<double>(next_[cursor_])) * 0.5;
  }

 private:
  std::vector<std::size_t> prev_, next_;
  std::size_t tail_;
  std::size_t count_ = 0;
  std::size_t cursor_ = 0;
  std::size_t rank_ = 0;
};

double threshold(std::uint64_t k) { return static_cast<double>(k) * kStep; }

// Smallest k in [0, k_total] with k * 0.01 > u, k_total standing for "never". The
// threshold is monotone in k, so bisection on the exact predicate finds it.
std::uint64_t cutoff(double u, std::uint64_t k_total) {
  std::uint64_t lo = 0, hi = k_total;
  while (lo < hi) {
    const std::uint64_t mid = lo + (hi - lo) / 2;
    if (threshold(mid) > u)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

struct Run {
  double med_pos;
  std::uint64_t length;
};

// Median, with series_median's arithmetic, of the sequence made of the runs in order.
double median_of_runs(std::vector<Run> runs, std::uint64_t total) {
  if (total == 0) return kNaN;
  for (const Run& r : runs)
    if (std::isnan(r.med_pos)) return kNaN;
  if (total == 1) return runs.front().med_pos;
  std::stable_sort(runs.begin(), runs.end(),
                   [](const Run& a, const Run& b) { return a.med_pos < b.med_pos; });
  auto at_rank = [&runs](std::uint64_t rank) {
    for (const Run& r : runs) {
      if (rank < r.length) return r.med_pos;
      rank -= r.length;
    }
    return runs.back().med_pos;  // not reached: rank < total
  };
  if (total % 2 == 1) return at_rank(total / 2);
  return (at_rank(total / 2 - 1) + at_rank(total / 2)) * 0.5;
}

}  // namespace

double dn_outlierinclude(std::span<const double> y, bool normalize, int sign) {
  if (!all_finite(y)) return kNaN;
  const std::size_t n = y.size();
  if (n < 2) return kNaN;

  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const double s = static_cast<double>(sign);
  std::vector<double> v(n);
  std::size_t tot = 0;
  for (std::size_t i = 0; i < n; ++i) {
    v[i] = w[i] * s;
    if (v[i] >= 0) ++tot;
  }

  bool constant = true;
  for (double x : w) constant = constant && x == w[0];
  if (constant) return 0.0;
  if (has_nan(v)) return kNaN;

  const double max_v = *std::max_element(v.begin(), v.end());
  if (max_v < kStep) return 0.0;
  const std::uint64_t k_total = to_unsigned_saturating(max_v / kStep + 1);
  if (k_total == 0) return kNaN;

  // Cutoff of every position, computed once per distinct value.
  struct Entry {
    double value;
    std::size_t pos;  // 1-based
    std::uint64_t cut;
  };
  std::vector<Entry> order(n);
  for (std::size_t j = 0; j < n; ++j) order[j] = {v[j], j + 1, 0};
  std::sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
    return a.value < b.value || (a.value == b.value && a.pos < b.pos);
  });
  for (std::size_t i = 0; i < n; ++i)
    order[i].cut = (i > 0 && order[i].value == order[i - 1].value) ? order[i - 1].cut
                                                                  : cutoff(order[i].value, k_total);
  // order stays sorted by cutoff as well, since the cutoff is monotone in the value.

  std::vector<bool> selected(n);
  for (const Entry& e : order) selected[e.pos - 1] = e.cut > 0;
  ShrinkingPositions members(selected);

  const double half_n = static_cast<double>(n) * 0.5;
  const double tot_r = static_cast<double>(tot);
  std::vector<Run> runs;
  std::uint64_t mj = 0;
  bool have_fbi = false;
  std::uint64_t fbi = k_total - 1;

  // Evaluate thresholds [begin, end) that share the current member set.
  auto emit = [&](std::uint64_t begin, std::uint64_t end) {
    const std::size_t m = members.count();
    const double med_pos = members.median() / half_n - 1;
    // The mean gap is NaN exactly when there is no gap (m <= 1); the gaps are whole
    // numbers, so their mean is never NaN otherwise.
    if (m <= 1 && !have_fbi) {
      have_fbi = true;
      fbi = begin;
    }
    const double pct = (static_cast<double>(static_cast<std::int64_t>(m) - 1) * 100) / tot_r;
    if (pct > kTrimPercent) mj = end - 1;
    runs.push_back({med_pos, end - begin});
  };

  std::uint64_t k = 0;
  std::size_t i = 0;
  while (i < n && order[i].cut == 0) ++i;
  while (i < n) {
    const std::uint64_t b = order[i].cut;
    if (b > k) emit(k, b);
    while (i < n && order[i].cut == b) members.erase(order[i++].pos);
    k = b;
  }
  if (k < k_total) emit(k, k_total);

  const std::uint64_t len = std::min(mj, fbi) + 1;
  if (len > k_total) return kNaN;

  std::vector<Run> head;
  std::uint64_t taken = 0;
  for (const Run& r : runs) {
    if (taken == len) break;
    const std::uint64_t part = std::min(r.length, len - taken);
    head.push_back({r.med_pos, part});
    taken += part;
  }
  return median_of_runs(std::move(head), len);
}

double dn_outlierinclude_p_001_mdrmd(std::span<const double> y, bool normalize) {
  return dn_outlierinclude(y, normalize, 1);
}

double dn_outlierinclude_n_001_mdrmd(std::span<const double> y, bool normalize) {
  return dn_outlierinclude(y, normalize, -1);
}

}  // namespace tessaly
