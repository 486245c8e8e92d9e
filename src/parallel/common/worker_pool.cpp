#include "parallel/common/worker_pool.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/info.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/task_arena.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tessaly {
namespace {

std::size_t configured_threads() {
  if (const char* text = std::getenv("TESSALY_NUM_THREADS")) {
    std::size_t value = 0;
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec == std::errc() && ptr == end && value > 0) return value;
  }
  const int cores = oneapi::tbb::info::default_concurrency();
  return cores > 0 ? static_cast<std::size_t>(cores) : 1;
}

struct Pool {
  std::size_t threads = configured_threads();
  // Lets a pool larger than the machine actually get its threads.
  oneapi::tbb::global_control limit{oneapi::tbb::global_control::max_allowed_parallelism, threads};
  oneapi::tbb::task_arena arena{static_cast<int>(threads)};
};

Pool& pool() {
  static Pool instance;  // thread-safe initialisation, never destroyed before exit
  return instance;
}

}  // namespace

std::size_t pool_threads() { return pool().threads; }

void parallel_for(std::size_t n, const std::function<void(std::size_t)>& body) {
  if (n == 0) return;
  pool().arena.execute([&] {
    oneapi::tbb::parallel_for(oneapi::tbb::blocked_range<std::size_t>(0, n, 1),
                              [&](const oneapi::tbb::blocked_range<std::size_t>& range) {
                                for (std::size_t i = range.begin(); i != range.end(); ++i) body(i);
                              });
  });
}

}  // namespace tessaly
