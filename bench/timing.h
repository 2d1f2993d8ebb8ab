#ifndef TIMING_H
#define TIMING_H

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// What the window benchmarks share: the median of their runs, and the time
// a piece of work takes.

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template<typename Work>
double milliseconds(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

#endif // TIMING_H
