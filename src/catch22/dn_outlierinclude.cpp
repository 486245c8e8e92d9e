#include "catch22/dn_outlierinclude.h"
