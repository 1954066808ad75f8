// Shared by the benchmark programs: time a path and its baseline in the same
// run, print one row of the report ("path | time | baseline | ratio").
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>

namespace bench {

inline double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Microseconds per call: the best of several rounds, so a stray context
// switch does not count against either side.
inline double MicrosecondsPerCall(const std::function<void()> &call, int callsPerRound, int rounds = 7)
{
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        double start = Seconds();
        for (int i = 0; i < callsPerRound; ++i)
            call();
        double perCall = (Seconds() - start) * 1e6 / callsPerRound;
        if (perCall < best)
            best = perCall;
    }
    return best;
}

// One row: "ROW|path|time us|baseline name|baseline us|ratio|target".
inline void PrintRow(const char *path, double microseconds, const char *baseline, double baselineMicroseconds,
                     const char *target)
{
    printf("ROW|%s|%.3f|%s|%.3f|%.2f|%s\n", path, microseconds, baseline, baselineMicroseconds,
           baselineMicroseconds > 0 ? microseconds / baselineMicroseconds : 0.0, target);
    fflush(stdout);
}

} // namespace bench
