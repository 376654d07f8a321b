/* The scoring run that the consumer programs share. */
#ifndef CONSUMER_SCORE_PAIR_H
#define CONSUMER_SCORE_PAIR_H

/* Scores the edge pairs 12 pixels wide among three edges in double
 * precision. Nonzero when the result is what the module promises. Calls
 * nothing but the module and its runtime library, so that a program without
 * a C runtime can make it too. */
int consumer_runScorePair(void);

#endif
