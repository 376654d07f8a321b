// Timing for the benchmarks' ratios: the calling thread's CPU time, which
// on a shared machine leaves out the time other processes take, and a
// stretch of repeated runs timed by it.
#pragma once

#include <cstdint>
#include <ctime>

inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds that `repeats` runs took; ok turns false when a run fails.
template <class Run>
double timed(int32_t repeats, bool& ok, Run run) {
    const double start = threadSeconds();
    for (int32_t r = 0; r < repeats; ++r) ok = run() && ok;
    return threadSeconds() - start;
}
