// The process-wide worker pool: created on first use, sized by TESSALY_NUM_THREADS
// when set (a positive integer), else by the number of logical processors.
#pragma once

#include <cstddef>
#include <functional>

namespace tessaly {

std::size_t pool_threads();

// Runs body(i) once for every i in [0, n) on the pool and waits. Nested calls from
// a pool thread join the work. An exception thrown by any body is rethrown here,
// on the calling thread, once all work has stopped.
void parallel_for(std::size_t n, const std::function<void(std::size_t)>& body);

}  // namespace tessaly
