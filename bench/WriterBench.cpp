// Writing the 50 MB benchmark list: LMK into memory and to a file on disk (the safe replace,
// fsync included), and the MXT export.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "BenchData.h"
#include "formats/Lmkcomm2.h"

namespace {

TdataList& List() {
  static const std::unique_ptr<TdataList> list = MakeBenchList();
  return *list;
}

// Made before any benchmark runs, so that no timing includes it.
[[maybe_unused]] const bool kMade = List().Count() > 0;

// The formatting itself: one output whose memory is kept from one run to the next.
void BM_WriteLandmarkFile(benchmark::State& state) {
  std::size_t bytes = 0;
  static TTextOut out;  // its memory stays from one repetition to the next
  for (auto _ : state) {
    out.Buffer().clear();
    WriteLandmarkFile(out, List(), true, false, "");
    bytes = out.Text().size();
    benchmark::DoNotOptimize(out.Text().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteLandmarkFile)->Unit(benchmark::kMillisecond);

void BM_SaveLandmarkFileToDisk(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("morvex-bench-" + std::to_string(::getpid()) + ".lmk"))
                               .string();
  for (auto _ : state) SaveLandmarkFile(path, List(), true, false, "", false);
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveLandmarkFileToDisk)->Unit(benchmark::kMillisecond);

void BM_WriteMxtFile(benchmark::State& state) {
  std::size_t bytes = 0;
  static TTextOut out;  // its memory stays from one repetition to the next
  for (auto _ : state) {
    out.Buffer().clear();
    WriteMxtFile(out, List());
    bytes = out.Text().size();
    benchmark::DoNotOptimize(out.Text().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteMxtFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
