// Image view and processor on a 100-megapixel image: repaint at several zooms, a dense
// object layer, header reading, and the memory of nine undo steps of paint strokes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "imaging/ImageFiles.h"
#include "imaging/ImageView.h"

namespace {

constexpr int kBigW = 10000, kBigH = 10000;  // 100 MP, 24-bit: 300 MB
constexpr int kWinW = 1280, kWinH = 800;

const TIEBitmap& BigImage() {
  static const TIEBitmap bmp = [] {
    TIEBitmap b(kBigW, kBigH, TIEPixelFormat::ie24RGB);
    for (int y = 0; y < kBigH; ++y) {
      std::uint8_t* row = b.WritableScanLine(y);
      for (int x = 0; x < kBigW; ++x) {
        row[3 * x] = std::uint8_t(x >> 4);
        row[3 * x + 1] = std::uint8_t(y >> 4);
        row[3 * x + 2] = std::uint8_t((x ^ y) & 255);
      }
    }
    return b;
  }();
  return bmp;
}

std::unique_ptr<TImageView> MakeView(const TIEBitmap& bmp) {
  auto v = std::make_unique<TImageView>();
  v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  v->setFrameShape(QFrame::NoFrame);
  v->resize(kWinW, kWinH);
  v->show();
  QApplication::processEvents();
  v->IEBitmap() = bmp;  // shares the bands, no pixel copy
  v->ImageChanged();
  return v;
}

double RssMB() {
  std::ifstream in("/proc/self/status");
  std::string key;
  while (in >> key) {
    if (key == "VmRSS:") {
      double kb = 0;
      in >> kb;
      return kb / 1024.0;
    }
    in.ignore(1 << 16, '\n');
  }
  return 0;
}

// Full-window repaint; range(0) is the zoom in percent (5 = 0.05).
void BM_Repaint100MP(benchmark::State& state) {
  const double zoom = double(state.range(0));  // percent
  auto view = MakeView(BigImage());
  view->SetZoom(zoom);
  view->SetViewXY(view->Maths().ScrollMaxX() / 2, view->Maths().ScrollMaxY() / 2);
  QImage target(kWinW, kWinH, QImage::Format_ARGB32_Premultiplied);
  {
    // The reduced copy for this zoom is built once, outside the timing.
    const auto t0 = std::chrono::steady_clock::now();
    QPainter p(&target);
    view->PaintView(p, target.rect());
    state.counters["first_paint_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  }
  const TIERect vis = view->Maths().VisibleBitmapRect();
  state.counters["client_w"] = view->Maths().ClientWidth();
  state.counters["visible_bmp_w"] = vis.Width();
  for (auto _ : state) {
    QPainter p(&target);
    view->PaintView(p, target.rect());
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_Repaint100MP)->Arg(5)->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// 10,000 landmarks: a marker and a number label each, all inside the window at zoom 1.
void AddLandmarks(TVectorLayer& L, int count) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> xs(10, kWinW - 30), ys(20, kWinH - 10);
  for (int i = 0; i < count; ++i) {
    const int x = xs(rng), y = ys(rng), r = 3;
    L.SetObjKind(-1, TIEVObjectKind::iekELLIPSE);
    L.SetObjRect(-1, {x - r, y - r, x + r + 1, y + r + 1});
    L.SetObjID(-1, 1);
    L.SetObjPenColor(-1, IERGB(255, 0, 0));
    L.SetObjPenWidth(-1, 2);
    L.SetObjBrushStyle(-1, TIEBrushStyle::bsSolid);
    L.SetObjBrushColor(-1, IERGB(255, 0, 0));
    L.AddNewObject();
    L.SetObjKind(-1, TIEVObjectKind::iekTEXT);
    L.SetObjID(-1, 2);
    L.SetObjText(-1, std::to_string(i + 1) + " ");
    L.SetObjTextAutoSize(-1, true);
    L.SetObjFontHeight(-1, 10);
    L.SetObjBrushStyle(-1, TIEBrushStyle::bsClear);
    L.SetObjPenColor(-1, IERGB(255, 255, 0));
    L.SetObjLeft(-1, x + 2 * r);
    L.SetObjTop(-1, y - 10);
    L.AddNewObject();
  }
}

void BM_Paint20000Objects(benchmark::State& state) {
  TIEBitmap small(kWinW, kWinH, TIEPixelFormat::ie24RGB);
  auto view = MakeView(small);
  AddLandmarks(view->Layer(), 10000);
  if (state.range(0) > 0) {
    // 1: markers only, 2: labels only (the others hidden), to see where the time goes.
    TVectorLayer& L = view->Layer();
    for (int i = 0; i < L.ObjectsCount(); ++i)
      if (i % 2 == (state.range(0) == 1 ? 1 : 0))
        L.SetObjStyle(L.GetObjFromIndex(i), ievsSelectable);
  }
  view->SetZoom(100);
  QImage target(kWinW, kWinH, QImage::Format_ARGB32_Premultiplied);
  {
    QPainter p(&target);
    view->PaintView(p, target.rect());  // lays the label texts out once
  }
  for (auto _ : state) {
    QPainter p(&target);
    view->PaintView(p, target.rect());
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["objects"] = view->Layer().ObjectsCount();
}
BENCHMARK(BM_Paint20000Objects)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_HitTest20000Objects(benchmark::State& state) {
  TVectorLayer L;
  AddLandmarks(L, 10000);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> xs(0, kWinW), ys(0, kWinH);
  int hits = 0;
  for (auto _ : state) {
    const int h = L.FindObjectAt(xs(rng), ys(rng), 1.0, 3);
    hits += h >= 0;
    benchmark::DoNotOptimize(h);
  }
  state.counters["hit_rate"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_HitTest20000Objects)->Unit(benchmark::kMicrosecond);

void BM_HeaderRead24MPJpeg(benchmark::State& state) {
  static QTemporaryDir dir;
  static const std::string path = [] {
    QImage img(6000, 4000, QImage::Format_RGB888);
    for (int y = 0; y < img.height(); ++y) {
      uchar* row = img.scanLine(y);
      for (int x = 0; x < img.width(); ++x)
        row[3 * x] = uchar(x), row[3 * x + 1] = uchar(y), row[3 * x + 2] = uchar(x + y);
    }
    const std::string p = dir.filePath("big.jpg").toStdString();
    img.save(QString::fromStdString(p), "jpeg", 80);
    return p;
  }();
  int w = 0, h = 0;
  std::string error;
  for (auto _ : state) {
    if (!ReadImageHeader(path, w, h, error)) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(w);
  }
  state.counters["width"] = w;
  state.counters["height"] = h;
}
BENCHMARK(BM_HeaderRead24MPJpeg)->Unit(benchmark::kMicrosecond);

// Nine paint strokes of 30 pen marks each, each saving its undo step as the program does.
void BM_NineUndoStepsOf100MP(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TIEBitmap bmp = BigImage();
    TImageProcessor proc(bmp);
    const double rss0 = RssMB();
    state.ResumeTiming();
    for (int s = 0; s < 9; ++s) {
      proc.SaveUndoCaptioned("Paint");
      for (int i = 0; i < 30; ++i)
        proc.PaintPenMarker(1000 + 800 * s + 5 * i, 2000 + 700 * s + 3 * i, 5, IERGB(255, 0, 0));
    }
    state.PauseTiming();
    state.counters["image_MB"] = double(bmp.ByteSize()) / 1048576.0;
    state.counters["history_MB"] = double(proc.HistoryBytes()) / 1048576.0;
    state.counters["rss_growth_MB"] = RssMB() - rss0;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_NineUndoStepsOf100MP)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undo of the newest of those steps: brings the whole image back.
void BM_Undo100MP(benchmark::State& state) {
  TIEBitmap bmp = BigImage();
  TImageProcessor proc(bmp);
  proc.SaveUndoCaptioned("Paint");
  proc.PaintPenMarker(5000, 5000, 9, IERGB(0, 0, 255));
  for (auto _ : state) benchmark::DoNotOptimize(proc.Undo());
}
BENCHMARK(BM_Undo100MP)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
