#pragma once

// A small timing harness: each benchmark measures its subject and a baseline side by side in
// one run, alternating them, and reports the median time of each and their ratio.

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median wall time, in milliseconds, of `repetitions` runs of each function, run in turn
// so that all see the same machine. `prepare`, when given, runs untimed before every run, to
// put the input back in place (for a subject that rewrites its input, say).
inline std::vector<double> medians(const std::vector<std::function<void()>>& runs, int repetitions,
                                   const std::function<void()>& prepare = {})
{
    std::vector<std::vector<double>> times(runs.size());
    auto timed = [&](const std::function<void()>& run) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        return timer.nsecsElapsed() / 1e6;
    };
    for (const auto& run : runs) // warm each up once
        timed(run);
    for (int i = 0; i < repetitions; ++i)
        for (std::size_t n = 0; n < runs.size(); ++n)
            times[n].push_back(timed(runs[n]));
    std::vector<double> result;
    for (const auto& t : times)
        result.push_back(median(t));
    return result;
}

// The median times of a subject and its baseline, measured alternately.
inline std::pair<double, double> medianPair(const std::function<void()>& subject,
                                            const std::function<void()>& baseline, int repetitions,
                                            const std::function<void()>& prepare = {})
{
    const std::vector<double> m = medians({subject, baseline}, repetitions, prepare);
    return {m[0], m[1]};
}

// Prints one line "name: subject X ms, baseline Y ms, ratio R (goal <= G) met|MISSED"
// and returns whether the goal was met.
inline bool report(const QString& name, double subject, double baseline, double goal,
                   const char* unit = "ms")
{
    const double ratio = baseline > 0 ? subject / baseline : 0;
    const bool met = ratio <= goal;
    std::printf("%-58s %10.2f %s vs %10.2f %s  ratio %5.2f  (goal <= %.2f) %s\n", qPrintable(name),
                subject, unit, baseline, unit, ratio, goal, met ? "met" : "MISSED");
    std::fflush(stdout);
    return met;
}

// Prints one line "name: X ms vs Y ms ratio R" for a comparison that has no goal of its own.
inline void note(const QString& name, double subject, double baseline, const char* unit = "ms")
{
    std::printf("%-58s %10.2f %s vs %10.2f %s  ratio %5.2f\n", qPrintable(name), subject, unit,
                baseline, unit, baseline > 0 ? subject / baseline : 0);
    std::fflush(stdout);
}

} // namespace bench
