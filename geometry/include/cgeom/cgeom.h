/** @file
 * Geometry tools: a row of calipers across a nominal segment fitted with a
 * line, or a ring of radial calipers around a nominal circle fitted with a
 * circle. Every caliper finds its edges with the edge finder and scores them
 * with the caller's score parameters (cclp_runScore: single edges or pairs,
 * a pair standing for its centre); the best-scored candidate of each caliper
 * is its point. The fit is robust: a deterministic RANSAC start, then
 * iteratively reweighted least squares on orthogonal distances (Tukey or
 * Huber weights), so that points the scoring got wrong are not used.
 *
 * @verbatim
 * Conventions are the edge finder's (cedge/cedge.h): pixel centres at
 * integers, x right, y down, angles in degrees clockwise on screen.
 *   Line     caliper i of K is centred at start + (i + 0.5) / K * (end -
 *            start) and searches across the segment, along its direction
 *            turned by +90 degrees: a segment from left to right searches
 *            downward. Polarities and positions in the score parameters
 *            follow that search direction.
 *   Circle   caliper i of K is centred on the nominal circle at the angle
 *            start + (i + 0.5) / K * sweep and searches outward (inward with
 *            CGEOM_SEARCH_INWARD).
 *   Spacing  with count 0, K is the number of calipers that fit at least
 *            `spacing` pixels apart along the segment or the arc (at least
 *            1), spread evenly as above.
 * @endverbatim
 *
 * Every function returns 0 or a negative status (cgeom_status.h); on failure
 * its outputs are left as they were. The outputs are the caller's records;
 * nothing is allocated for the caller. */
#ifndef CGEOM_H
#define CGEOM_H

#include <stdint.h>

#include "cclp_score/cclp_score_params.h"
#include "cedge/cedge.h"
#include "cgeom_export.h"
#include "cgeom_status.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The most calipers one tool runs. */
#define CGEOM_CALIPERS_MAX 4096

/** How many calipers, and their size. */
typedef struct cgeom_calipers {
    int32_t count;    /**< K, 1 to CGEOM_CALIPERS_MAX; 0: derived from spacing */
    uint32_t flags;   /**< circle: 0 or CGEOM_SEARCH_INWARD; line: 0 */
    double spacing;   /**< pixels between caliper centres, when count is 0 */
    double length;    /**< pixels along each caliper's search direction */
    double thickness; /**< pixels across it */
} cgeom_calipers;

/** cgeom_calipers flags, circle: the calipers search toward the centre. */
#define CGEOM_SEARCH_INWARD 1u

/** How the robust fit weighs a point by its residual r. */
typedef enum cgeom_weight {
    cgeom_weightTukey = 0, /**< (1 - (r / d)^2)^2 within the inlier distance d */
    cgeom_weightHuber = 1, /**< 1 up to d / 2, (d / 2) / |r| beyond, 0 beyond d */
    cgeom_weightNone = 2   /**< plain least squares over every found point */
} cgeom_weight;

/** The robust fit's settings. */
typedef struct cgeom_fitParams {
    int32_t weight;        /**< a cgeom_weight */
    int32_t maxIterations; /**< reweighting rounds, 1 to 100 */
    double inlierDistance; /**< pixels: the RANSAC consensus band and the weights' cut-off */
} cgeom_fitParams;

/** The line tool's settings. */
typedef struct cgeom_lineParams {
    double startX;           /**< the nominal segment: its start, x */
    double startY;           /**< its start, y */
    double endX;             /**< its end, x */
    double endY;             /**< its end, y */
    cgeom_calipers calipers; /**< the calipers across the segment */
    cgeom_fitParams fit;     /**< the line's fit */
} cgeom_lineParams;

/** The circle tool's settings. */
typedef struct cgeom_circleParams {
    double centerX;          /**< the nominal circle: its centre, x */
    double centerY;          /**< its centre, y */
    double radius;           /**< pixels, at least 1 */
    double startAngle;       /**< degrees, of the arc's first end */
    double sweep;            /**< degrees, -360 to 360 but not 0; 360: the whole circle */
    cgeom_calipers calipers; /**< the radial calipers along the arc */
    cgeom_fitParams fit;     /**< the circle's fit */
} cgeom_circleParams;

/** What one caliper searched and chose, and what the fit made of it. */
typedef struct cgeom_caliperResult {
    cedge_caliper caliper; /**< where it searched */
    double position;       /**< the chosen candidate along the caliper (a pair: its centre) */
    cedge_point point;     /**< the same in the image */
    double score;          /**< the candidate's score, 0 to 1 */
    double residual;       /**< signed distance from the fitted geometry (line: along the
                                search direction; circle: outside positive) */
    double weight;         /**< the point's weight by its residual, 0 to 1 */
    int32_t status;        /**< 0, or CEDGE_STATUS_OUTSIDE_IMAGE for a caliper reaching
                                outside the image (without CEDGE_CLIP_TO_IMAGE) */
    int32_t found;         /**< 1: a candidate was chosen; 0: the fields above are 0 */
    int32_t used;          /**< 1: the fit used the point (weight above 0) */
    int32_t numEdges;      /**< of the candidate: 1, 2 for a pair, 0 when none */
} cgeom_caliperResult;

/** How the fit went. */
typedef struct cgeom_fitSummary {
    double rms;          /**< root mean square residual of the used points */
    int32_t numCalipers; /**< K */
    int32_t numFound;    /**< calipers with a point */
    int32_t numMissing;  /**< calipers that found nothing or reached outside the image */
    int32_t numUsed;     /**< points the fit used */
} cgeom_fitSummary;

/** The fitted line. */
typedef struct cgeom_line {
    cedge_point point;     /**< the nominal segment's midpoint projected onto the line */
    cedge_point direction; /**< unit, pointing as the nominal segment does */
    double angle;          /**< degrees of the direction, -180 to 180 */
    cgeom_fitSummary fit;  /**< how the fit went */
} cgeom_line;

/** The fitted circle. */
typedef struct cgeom_circle {
    cedge_point center;   /**< the fitted centre */
    double radius;        /**< of the edge: a caliper H = floor(thickness / 2) lines
                               to either side sees it H (H + 1) / (6 radius) nearer
                               the centre on average, which the fitted points' circle
                               (and the residuals) keep and this corrects */
    cgeom_fitSummary fit; /**< how the fit went */
} cgeom_circle;

/** Defaults: no segment (0, 0 to 0, 0: set it), 10 calipers 40 x 5 pixels,
 * Tukey weights, inlier distance 1.5 pixels, 20 rounds. */
CGEOM_API int32_t cgeom_lineParams_init(cgeom_lineParams* params);
/** Defaults: no circle (radius 0: set it), the whole circle (start 0, sweep
 * 360), 16 outward calipers 40 x 5 pixels, the line's fit defaults. */
CGEOM_API int32_t cgeom_circleParams_init(cgeom_circleParams* params);

/** K for the parameters, to size the caliper results. */
/** @{ */
CGEOM_API int32_t cgeom_lineCaliperCount(const cgeom_lineParams* params, int32_t* count);
CGEOM_API int32_t cgeom_circleCaliperCount(const cgeom_circleParams* params, int32_t* count);
/** @} */

/** Runs the calipers over the image with the edge search settings and the
 * score parameters, and fits. results holds capacity records, at least K;
 * the first K are written. A line needs 2 points that agree, a circle 3
 * not on a line. */
/** @{ */
CGEOM_API int32_t cgeom_findLine(const cedge_image* image, const cgeom_lineParams* params,
                                 const cedge_params* edgeParams,
                                 const cclp_scoreParams* scoreParams, cgeom_line* line,
                                 cgeom_caliperResult* results, int32_t capacity);
CGEOM_API int32_t cgeom_findCircle(const cedge_image* image, const cgeom_circleParams* params,
                                   const cedge_params* edgeParams,
                                   const cclp_scoreParams* scoreParams, cgeom_circle* circle,
                                   cgeom_caliperResult* results, int32_t capacity);
/** @} */

#ifdef __cplusplus
}
#endif

#endif
