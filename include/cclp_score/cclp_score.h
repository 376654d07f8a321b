/** @file
 * The whole public interface of the caliper scoring module. */
#ifndef CCLP_SCORE_H
#define CCLP_SCORE_H

#include "cclp_version.h"
#include "cclp_export.h"
#include "cclp_status.h"
#include "cclp_status_text.h"
#include "cclp_scoring_function.h"
#include "cclp_score_method.h"
#include "cclp_score_params.h"
#include "cclp_result_set_ex.h"
#include "cclp_results.h"
#include "cclp_run.h"
#include "cclp_vectors.h"
#include "cclp_type_checks.h"

#endif
