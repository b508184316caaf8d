#include <benchmark/benchmark.h>

#include <string>

#include "sizing/sizing.h"

namespace {

class BenchView : public sizing::View {
 public:
  BenchView(std::u16string input, bool oldSelected)
      : input_(std::move(input)), oldSelected_(oldSelected) {}
  std::u16string InputText() const override { return input_; }
  void SetOutputText(const std::u16string& text) override { output_ = text; }
  bool OldAlgorithmSelected() const override { return oldSelected_; }
  void ShowRefusal() override {}

  std::u16string input_;
  bool oldSelected_;
  std::u16string output_;
};

// A click on the calculate button with what users typically type.
void BM_Calculate(benchmark::State& state, const char16_t* input, bool oldSelected) {
  BenchView view(input, oldSelected);
  for (auto _ : state) {
    sizing::Calculate(view);
    benchmark::DoNotOptimize(view.output_);
  }
}

BENCHMARK_CAPTURE(BM_Calculate, old_4GB, u"4", true);
BENCHMARK_CAPTURE(BM_Calculate, new_4GB, u"4", false);
BENCHMARK_CAPTURE(BM_Calculate, new_1_5GB, u"1.5", false);
BENCHMARK_CAPTURE(BM_Calculate, new_16065GB, u"16065", false);
BENCHMARK_CAPTURE(BM_Calculate, refused_12a, u"12a", false);

}  // namespace
