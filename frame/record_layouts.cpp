// The records that cross the library boundary have fixed layouts that
// callers and stored data rely on; any change fails the build.
#include <cstddef>

#include "cclp_score/cclp_score.h"

#define CCLP_CHECK_SIZE(type, size) static_assert(sizeof(type) == (size), #type " size")
#define CCLP_CHECK_OFFSET(type, field, offset) \
    static_assert(offsetof(type, field) == (offset), #type "." #field " offset")

CCLP_CHECK_SIZE(cclp_scoreOneSided, 72);
CCLP_CHECK_SIZE(cclp_scoreOneSidedFixed, 36);
CCLP_CHECK_OFFSET(cclp_scoreOneSided, rampInvSpan, 64);
CCLP_CHECK_SIZE(cclp_scoreTwoSided, 144);
CCLP_CHECK_SIZE(cclp_scoreTwoSidedFixed, 72);

CCLP_CHECK_SIZE(cclp_score, 232);
CCLP_CHECK_OFFSET(cclp_score, oneSided, 8);
CCLP_CHECK_OFFSET(cclp_score, twoSided, 80);
CCLP_CHECK_OFFSET(cclp_score, method, 224);
CCLP_CHECK_SIZE(cclp_scoreFixed, 116);
CCLP_CHECK_OFFSET(cclp_scoreFixed, oneSided, 4);
CCLP_CHECK_OFFSET(cclp_scoreFixed, twoSided, 40);
CCLP_CHECK_OFFSET(cclp_scoreFixed, method, 112);

CCLP_CHECK_SIZE(cclp_desiredEdge, 16);
CCLP_CHECK_SIZE(cclp_scoreParams, 40);
CCLP_CHECK_OFFSET(cclp_scoreParams, desiredEdges, 8);
CCLP_CHECK_OFFSET(cclp_scoreParams, maxNumResults, 16);
CCLP_CHECK_OFFSET(cclp_scoreParams, numScoreMethods, 20);
CCLP_CHECK_OFFSET(cclp_scoreParams, scoreMethods, 24);
CCLP_CHECK_OFFSET(cclp_scoreParams, scoreMethodsFixed, 32);

CCLP_CHECK_SIZE(cclp_edge, 16);
CCLP_CHECK_SIZE(cclp_edgeFixed, 8);
CCLP_CHECK_SIZE(cclp_edgeEx, 40);
CCLP_CHECK_SIZE(cclp_edgeFixedEx, 20);

CCLP_CHECK_SIZE(cimg_image32, 64);
CCLP_CHECK_SIZE(cimg_imageD, 64);

CCLP_CHECK_SIZE(cclp_resultSet, 216);
CCLP_CHECK_OFFSET(cclp_resultSet, numEdges, 0);
CCLP_CHECK_OFFSET(cclp_resultSet, formats, 4);
CCLP_CHECK_OFFSET(cclp_resultSet, edges, 8);
CCLP_CHECK_OFFSET(cclp_resultSet, edgesFixed, 16);
CCLP_CHECK_OFFSET(cclp_resultSet, projectionScale, 40);
CCLP_CHECK_OFFSET(cclp_resultSet, projectionScaling, 44);
CCLP_CHECK_OFFSET(cclp_resultSet, projectionImage, 48);
CCLP_CHECK_OFFSET(cclp_resultSet, auxValue, 112);
CCLP_CHECK_OFFSET(cclp_resultSet, doubleImage, 120);
CCLP_CHECK_OFFSET(cclp_resultSet, vect0, 184);
CCLP_CHECK_OFFSET(cclp_resultSet, vect1, 200);

CCLP_CHECK_SIZE(cclp_resultSetEx, 216);
CCLP_CHECK_OFFSET(cclp_resultSetEx, edges, 8);
CCLP_CHECK_OFFSET(cclp_resultSetEx, edgesFixed, 16);
CCLP_CHECK_OFFSET(cclp_resultSetEx, projectionScaling, 40);
CCLP_CHECK_OFFSET(cclp_resultSetEx, projectionImage, 48);
CCLP_CHECK_OFFSET(cclp_resultSetEx, projectionScale, 112);
CCLP_CHECK_OFFSET(cclp_resultSetEx, auxValue, 116);
CCLP_CHECK_OFFSET(cclp_resultSetEx, doubleImage, 120);
CCLP_CHECK_OFFSET(cclp_resultSetEx, vect0, 184);
CCLP_CHECK_OFFSET(cclp_resultSetEx, vect1, 200);

CCLP_CHECK_SIZE(cclp_scoreOneResult, 80);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, position, 16);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, positionFixed, 24);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, score, 32);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, scoreFixed, 40);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, scores, 48);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, scoresFixed, 56);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, edges, 64);
CCLP_CHECK_OFFSET(cclp_scoreOneResult, edgesFixed, 72);
CCLP_CHECK_SIZE(cclp_scoreOneResultEx, 80);
CCLP_CHECK_OFFSET(cclp_scoreOneResultEx, edgesFixed, 72);
CCLP_CHECK_SIZE(cclp_scoreResultSet, 16);
CCLP_CHECK_SIZE(cclp_scoreResultSetEx, 16);
