#pragma once

namespace tessaly {

// Turns GSL's abort-on-error handler off; called once when the module initialises.
void init_gsl();

}  // namespace tessaly
