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

// The median wall time, in milliseconds, of `repetitions` runs of each of two functions,
// run alternately so that both see the same machine.
inline std::pair<double, double> medianPair(const std::function<void()>& subject,
                                            const std::function<void()>& baseline, int repetitions)
{
    std::vector<double> a, b;
    subject(); // warm both up once
    baseline();
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        subject();
        a.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        baseline();
        b.push_back(timer.nsecsElapsed() / 1e6);
    }
    auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return {median(a), median(b)};
}

// Prints one line "name: subject X ms, baseline Y ms, ratio R (goal <= G) met|MISSED"
// and returns whether the goal was met.
inline bool report(const QString& name, double subject, double baseline, double goal,
                   const char* unit = "ms")
{
    const double ratio = baseline > 0 ? subject / baseline : 0;
    const bool met = ratio <= goal;
    std::printf("%-58s %10.2f %s vs %10.2f %s  ratio %5.2f  (goal <= %.2f) %s\n",
                qPrintable(name), subject, unit, baseline, unit, ratio, goal,
                met ? "met" : "MISSED");
    std::fflush(stdout);
    return met;
}

} // namespace bench
