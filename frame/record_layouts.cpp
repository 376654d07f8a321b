// The module is built with the record layouts that its callers rely on.
#include "cclp_score/cclp_score.h"
#include "record_layouts.h"

CCLP_CHECK_RECORD_LAYOUTS()
