#pragma once

#include <benchmark/benchmark.h>

#include <functional>

namespace money {

// Times our operation and raw SQLite's alternately, each going first every other iteration, so that caches
// and the disk treat both alike; `prepare` runs untimed before each pair. The benchmark's own time is ours;
// the counters give both means ("ours_us", "raw_us") and "ratio", ours over raw.
void CompareAlternately(benchmark::State& state, const std::function<void()>& prepare,
                        const std::function<void()>& ours, const std::function<void()>& raw);

// Runs a benchmark's body, reporting any failure as the benchmark's error.
void Guarded(benchmark::State& state, const std::function<void()>& body);

}  // namespace money
