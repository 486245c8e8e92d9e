// Every catchaMouse16 feature.
#pragma once

#include "catchamouse16/co_addnoise.h"
#include "catchamouse16/co_histogramami_even.h"
#include "catchamouse16/co_nonlinearautocorr.h"
#include "catchamouse16/co_translateshape.h"
#include "catchamouse16/dn_removepoints.h"
#include "catchamouse16/fc_looplocalsimple.h"
#include "catchamouse16/in_automutualinfostats_diff.h"
#include "catchamouse16/ph_walker.h"
#include "catchamouse16/sc_fluctanal.h"
#include "catchamouse16/st_localextrema.h"
#include "catchamouse16/sy_driftingmean.h"
#include "catchamouse16/sy_slidingwindow.h"
