#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "sizing/sizing.h"

namespace {

// A click on the calculate button with what users typically type.
void BM_Calculate(benchmark::State& state, const char16_t* input, sizing::Algorithm algorithm) {
  for (auto _ : state) {
    std::optional<std::u16string> result = sizing::Calculate(input, algorithm);
    benchmark::DoNotOptimize(result);
  }
}

using enum sizing::Algorithm;
BENCHMARK_CAPTURE(BM_Calculate, old_4GB, u"4", kOld);
BENCHMARK_CAPTURE(BM_Calculate, new_4GB, u"4", kNew);
BENCHMARK_CAPTURE(BM_Calculate, new_1_5GB, u"1.5", kNew);
BENCHMARK_CAPTURE(BM_Calculate, new_16065GB, u"16065", kNew);
BENCHMARK_CAPTURE(BM_Calculate, refused_12a, u"12a", kNew);

}  // namespace
