#pragma once

// The best of a few runs of one piece of work, in milliseconds: the figure least disturbed by whatever
// else the machine did meanwhile.
#include <windows.h>

#include <algorithm>
#include <functional>

inline double benchSeconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double bestMilliseconds(int runs, const std::function<void()>& work) {
  double fastest = 1e30;
  for (int run = 0; run < runs; ++run) {
    double start = benchSeconds();
    work();
    fastest = std::min(fastest, (benchSeconds() - start) * 1000);
  }
  return fastest;
}
