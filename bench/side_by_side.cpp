#include "side_by_side.h"

#include <chrono>
#include <exception>

namespace money {

namespace {

double SecondsOf(const std::function<void()>& operation) {
  const auto start = std::chrono::steady_clock::now();
  operation();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

void CompareAlternately(benchmark::State& state, const std::function<void()>& prepare,
                        const std::function<void()>& ours, const std::function<void()>& raw) {
  double ours_seconds = 0;
  double raw_seconds = 0;
  bool ours_first = true;
  for (auto _ : state) {
    prepare();
    double ours_time = 0;
    double raw_time = 0;
    if (ours_first) {
      ours_time = SecondsOf(ours);
      raw_time = SecondsOf(raw);
    } else {
      raw_time = SecondsOf(raw);
      ours_time = SecondsOf(ours);
    }
    ours_first = !ours_first;
    ours_seconds += ours_time;
    raw_seconds += raw_time;
    state.SetIterationTime(ours_time);
  }
  state.counters["ours_us"] = benchmark::Counter(ours_seconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["raw_us"] = benchmark::Counter(raw_seconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["ratio"] = raw_seconds > 0 ? ours_seconds / raw_seconds : 0;
}

void Guarded(benchmark::State& state, const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

}  // namespace money
