// Every catch22 feature.
#pragma once

#include "catch22/co_embed2_dist_tau_d_expfit_meandiff.h"
#include "catch22/co_f1ecac.h"
#include "catch22/co_firstmin_ac.h"
#include "catch22/co_histogramami.h"
#include "catch22/co_trev_1_num.h"
#include "catch22/dn_outlierinclude.h"
#include "catch22/dn_spread_std.h"
#include "catch22/fc_localsimple.h"
#include "catch22/in_automutualinfostats.h"
#include "catch22/md_hrv.h"
#include "catch22/pd_periodicitywang.h"
#include "catch22/sb_binarystats.h"
#include "catch22/sb_motifthree.h"
#include "catch22/sb_transitionmatrix.h"
#include "catch22/sc_fluctanal.h"
#include "catch22/sp_summaries.h"
