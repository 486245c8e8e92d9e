// One-time GSL configuration for the process.
#pragma once

namespace tessaly {

// Makes GSL report failures through return codes instead of aborting. Idempotent;
// called once when the module initialises, before any feature runs.
void init_gsl();

}  // namespace tessaly
