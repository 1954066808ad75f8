// Shared by the benchmark programs: time a path and its baseline in the same
// run, in alternating rounds, and print one row of the report.
//
// These machines are shared and noisy: a busy spell that falls on one side
// only would move a ratio by a factor of two. So each round times the path
// and then its baseline, the row's ratio is the median of the rounds' ratios,
// and the row prints the lowest and highest ratio so a reader sees the spread.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "host.h"

namespace bench {

inline double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Microseconds per call of one round of `calls` calls.
inline double MicrosecondsPerCall(const std::function<void()> &call, int calls)
{
    double start = Seconds();
    for (int i = 0; i < calls; ++i)
        call();
    return (Seconds() - start) * 1e6 / calls;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Comparison {
    double pathUs = 0;     // median of the path's rounds
    double baselineUs = 0; // median of the baseline's rounds
    double ratio = 0;      // median of the rounds' ratios
    double lowest = 0;     // lowest and highest ratio of one round
    double highest = 0;
};

constexpr int ROUNDS = 15;

// Each round function times one round of its side and returns microseconds
// per call; `between` runs after every round (pumping, letting work finish).
inline Comparison CompareRounds(const std::function<double()> &pathRound, const std::function<double()> &baselineRound,
                                int rounds = ROUNDS, const std::function<void()> &between = {})
{
    std::vector<double> path, baseline, ratios;
    for (int r = 0; r < rounds; ++r) {
        // Alternate which side goes first, so neither always follows the other.
        double p, b;
        if (r % 2) {
            b = baselineRound();
            if (between)
                between();
            p = pathRound();
        } else {
            p = pathRound();
            if (between)
                between();
            b = baselineRound();
        }
        if (between)
            between();
        path.push_back(p);
        baseline.push_back(b);
        ratios.push_back(b > 0 ? p / b : 0);
    }
    Comparison c;
    c.pathUs = Median(path);
    c.baselineUs = Median(baseline);
    c.ratio = Median(ratios);
    c.lowest = *std::min_element(ratios.begin(), ratios.end());
    c.highest = *std::max_element(ratios.begin(), ratios.end());
    return c;
}

// The common case: both sides are a call repeated `calls` times per round.
inline Comparison Compare(const std::function<void()> &path, const std::function<void()> &baseline, int calls,
                          int rounds = ROUNDS, const std::function<void()> &between = {})
{
    return CompareRounds([&] { return MicrosecondsPerCall(path, calls); },
                         [&] { return MicrosecondsPerCall(baseline, calls); }, rounds, between);
}

// Three significant digits, so that a ratio far below one still shows.
struct Figure {
    char text[24];
};
inline Figure Format(double value)
{
    Figure f;
    snprintf(f.text, sizeof f.text, value >= 100 ? "%.0f" : value >= 1 ? "%.2f" : "%.3g", value);
    return f;
}

// One row: "ROW|path|time us|baseline name|baseline us|ratio|lowest|highest|target".
inline void PrintRow(const char *path, const Comparison &c, const char *baseline, const char *target)
{
    printf("ROW|%s|%.3f|%s|%.3f|%s|%s|%s|%s\n", path, c.pathUs, baseline, c.baselineUs, Format(c.ratio).text,
           Format(c.lowest).text, Format(c.highest).text, target);
    fflush(stdout);
}

// A row measured once (start-up, "init"): no spread to show.
inline void PrintSingleRow(const char *path, double microseconds, const char *baseline, double baselineMicroseconds,
                           const char *target)
{
    Comparison c;
    c.pathUs = microseconds;
    c.baselineUs = baselineMicroseconds;
    c.ratio = c.lowest = c.highest = baselineMicroseconds > 0 ? microseconds / baselineMicroseconds : 0.0;
    PrintRow(path, c, baseline, target);
}

// ---- the host's calls into the module ------------------------------------------

// A file or folder of the benchmarks in the temporary folder.
inline std::string TempPath(const std::string &name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}

// The substitute player's folder (where the song file lands), made, and no
// settings stored; returns the folder.
inline std::string PrepareHost()
{
    std::string folder = TempPath("Bramblecourt bench");
    CreateDirectoryA(folder.c_str(), nullptr);
    host::SetHostExecutablePath((folder + "\\iTunes.exe").c_str());
    host::ResetSettings();
    return folder;
}

inline DWORD WINAPI EmptyThread(void *)
{
    return 0;
}

// The baseline of a handler that starts a thread: microseconds per bare
// thread start, each thread let finish (and the pump run) before the next.
inline std::function<double()> ThreadStartRound(int calls, int baselineThreads)
{
    return [=] {
        double total = 0;
        for (int i = 0; i < calls; ++i) {
            double start = Seconds();
            CloseHandle(CreateThread(nullptr, 0, EmptyThread, nullptr, 0, nullptr));
            total += Seconds() - start;
            host::WaitForThreadsAtMost(baselineThreads, 2000);
        }
        return total * 1e6 / calls;
    };
}

// The handler alone, with the worker already alive as it is in a burst: one
// untimed call first, then the round at full speed.
inline std::function<double()> HandlerRound(int calls, const std::function<void(int)> &call)
{
    return [=] {
        call(1);
        double start = Seconds();
        for (int i = 0; i < calls; ++i)
            call(i);
        double us = (Seconds() - start) * 1e6 / calls;
        host::PumpFor(20);
        return us;
    };
}

} // namespace bench
