// Press to outline on large images: our grid build, search and trace beside OpenCV's
// threshold + findContours on the same pixels, and a plain pass over the pixels.
// Run with --benchmark_min_time=1 or more: single iterations of the 100 MP cases mostly
// measure first-touch page faults.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdint>
#include <map>
#include <vector>

#include "outline/core/ThresholdGrid.h"
#include "outline/core/Tracer.h"

namespace {

constexpr int Radius = 1000;  // a boundary of about 5660 codes: below the 6000-code cap

struct TImage {
  int W = 0, H = 0;
  std::vector<std::uint8_t> Pixels;  // 8-bit grey, top row first
  TPixelView View;
};

// A light, gently shaded ground with one large dark disc in the middle.
const TImage& Image(int megapixels) {
  static std::map<int, TImage> cache;
  auto it = cache.find(megapixels);
  if (it != cache.end()) return it->second;
  TImage im;
  if (megapixels == 24) {
    im.W = 6000;
    im.H = 4000;
  } else {
    im.W = 10000;
    im.H = 10000;
  }
  im.Pixels.resize(static_cast<std::size_t>(im.W) * im.H);
  const int cx = im.W / 2, cy = im.H / 2;
  for (int y = 0; y < im.H; ++y) {
    std::uint8_t* row = im.Pixels.data() + static_cast<std::size_t>(y) * im.W;
    for (int x = 0; x < im.W; ++x) {
      const long long dx = x - cx, dy = y - cy;
      const bool in = dx * dx + dy * dy <= static_cast<long long>(Radius) * Radius;
      row[x] = in ? static_cast<std::uint8_t>(40 + (x + y) % 16)
                  : static_cast<std::uint8_t>(200 + (x * 3 + y) % 40);
    }
  }
  im.View = TPixelView::FromBuffer(TPixelFormat::ie8g, im.W, im.H, im.Pixels.data(), im.W);
  return cache.emplace(megapixels, std::move(im)).first->second;
}

void SetCounters(benchmark::State& state, const TImage& im) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * im.W * im.H);
}

void BM_PlainPass(benchmark::State& state) {
  const TImage& im = Image(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::uint64_t sum = 0;
    for (int y = 0; y < im.H; ++y) {
      const std::uint8_t* row = im.View.Rows[static_cast<std::size_t>(y)];
      for (int x = 0; x < im.W; ++x) sum += row[x];
    }
    benchmark::DoNotOptimize(sum);
  }
  SetCounters(state, im);
}

void BM_GridBuild(benchmark::State& state) {
  const TImage& im = Image(static_cast<int>(state.range(0)));
  TThresholdGrid grid;
  for (auto _ : state) {
    int rows, cols;
    BuildThresholdGrid(im.View, rows, cols, grid);
    benchmark::DoNotOptimize(grid.Row8(0));
  }
  SetCounters(state, im);
}

// The first press on an image: the grid's storage is new memory.
void BM_GridBuildFresh(benchmark::State& state) {
  const TImage& im = Image(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TThresholdGrid grid;
    int rows, cols;
    BuildThresholdGrid(im.View, rows, cols, grid);
    benchmark::DoNotOptimize(grid.Row8(0));
  }
  SetCounters(state, im);
}

void BM_PressToOutline(benchmark::State& state) {
  const TImage& im = Image(static_cast<int>(state.range(0)));
  TThresholdGrid grid;
  std::uint32_t codes = 0;
  for (auto _ : state) {
    int rows, cols;
    BuildThresholdGrid(im.View, rows, cols, grid);
    const TTraceResult r = TraceOutline(grid, im.W / 2 + Radius + 50, im.H / 2, TTraceSettings{});
    codes = r.Outline ? r.Outline->n() : 0;
    benchmark::DoNotOptimize(codes);
  }
  state.counters["codes"] = codes;
  SetCounters(state, im);
}

void BM_OpenCvThresholdFindContours(benchmark::State& state) {
  const TImage& im = Image(static_cast<int>(state.range(0)));
  const cv::Mat src(im.H, im.W, CV_8U, const_cast<std::uint8_t*>(im.Pixels.data()));
  cv::Mat bin;
  std::size_t points = 0;
  for (auto _ : state) {
    cv::threshold(src, bin, 128, 255, cv::THRESH_BINARY_INV);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(bin, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    points = contours.empty() ? 0 : contours[0].size();
    benchmark::DoNotOptimize(points);
  }
  state.counters["points"] = static_cast<double>(points);
  SetCounters(state, im);
}

}  // namespace

BENCHMARK(BM_PlainPass)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridBuild)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridBuildFresh)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressToOutline)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCvThresholdFindContours)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
