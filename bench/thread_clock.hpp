// The calling thread's CPU time, the clock of the benchmarks' ratios: on a
// shared machine it leaves out the time other processes take.
#pragma once

#include <ctime>

inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
