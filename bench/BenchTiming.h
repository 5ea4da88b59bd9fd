#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

// Wall-clock median and minimum, and the least CPU time, over several runs. The machine is
// shared, so the minimum and the CPU time say more than the median when it is busy.
struct BenchTiming
{
    double median = 0, best = 0, cpu = 0;

    static double cpuMs()
    {
        timespec t;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    }

    // after() runs outside the clock, e.g. to free what run() made.
    static BenchTiming measure(int runs, const std::function<void()> &run,
                               const std::function<void()> &after = {})
    {
        std::vector<double> times;
        double cpu = 1e18;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            const double cpuStart = cpuMs();
            timer.start();
            run();
            times.push_back(timer.nsecsElapsed() / 1e6);
            cpu = std::min(cpu, cpuMs() - cpuStart);
            if (after)
                after();
        }
        std::sort(times.begin(), times.end());
        return {times[times.size() / 2], times.front(), cpu};
    }

    void print(const char *what) const
    {
        std::printf("  %-44s median %7.1f ms, best %7.1f ms, cpu %7.1f ms\n", what, median, best, cpu);
    }
};
