// What the benchmarks time with and how they sum up their rounds.
#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// The middle of the rounds: a run that stalls now and then under Wine on a
// busy host moves it less than it moves a mean.
inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double Seconds(BenchClock::time_point from) {
  return std::chrono::duration<double>(BenchClock::now() - from).count();
}
