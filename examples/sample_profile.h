/* A recorded caliper profile across a bright machined bracket with a dark
 * slot: the edges the caliper found, in pixels from its centre, with their
 * signed contrast (positive: dark to light along the caliper). */
#ifndef SAMPLE_PROFILE_H
#define SAMPLE_PROFILE_H

#include <stdint.h>

#include "cclp_caliper.h"

extern const cclp_edge sampleProfile[];
extern const int32_t sampleProfileSize;

#endif
