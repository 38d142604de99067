// Reading the 50 MB benchmark file from memory, next to a raw line scan of the same bytes.

#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchData.h"
#include "formats/Lmkcomm2.h"

namespace {

const std::string& Text() {
  static const std::string text = MakeBenchLmkText();
  return text;
}

// Made before any benchmark runs, so that no timing includes it.
[[maybe_unused]] const bool kMade = !Text().empty();

void BM_ReadLandmarkFile(benchmark::State& state) {
  const std::string& text = Text();
  for (auto _ : state) {
    TTextFile f = TTextFile::View(text);
    TdataList data;
    TSpecimen* spec = nullptr;
    if (!ReadLandmarkFile(f, spec, data, false)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(data.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadLandmarkFile)->Unit(benchmark::kMillisecond);

// The floor: finding every line end with memchr, touching nothing else.
void BM_RawLineScan(benchmark::State& state) {
  const std::string& text = Text();
  for (auto _ : state) {
    std::size_t lines = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
      const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
      if (!nl) break;
      p = static_cast<const char*>(nl) + 1;
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_RawLineScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
