#include "catchamouse16/gsl_setup.h"

#include <gsl/gsl_errno.h>

namespace tessaly {

void init_gsl() { gsl_set_error_handler_off(); }

}  // namespace tessaly
