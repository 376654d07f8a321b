#include "sample_profile.h"

/* In ascending position, as a caliper reports them. */
const cclp_edge sampleProfile[] = {
    {-27.40, 18.0},  /* background texture */
    {-22.80, 96.5},  /* bracket, left outer edge */
    {-15.30, -12.4}, /* tool mark */
    {-9.60, -71.2},  /* slot, left wall */
    {-8.90, 9.8},    /* burr inside the slot */
    {-3.10, -6.5},   /* noise */
    {2.70, 74.9},    /* slot, right wall */
    {4.40, -15.1},   /* glare */
    {11.80, -22.6},  /* engraved mark, left side */
    {16.90, 20.3},   /* engraved mark, right side */
    {22.50, -88.7},  /* bracket, right outer edge */
    {27.90, 7.4},    /* background texture */
};

const int32_t sampleProfileSize = (int32_t)(sizeof sampleProfile / sizeof sampleProfile[0]);
