// Wall-clock timing and the statistic that a measurement reports.
#pragma once

#include <chrono>
#include <vector>

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_;
};

// The median of the samples (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> samples);
