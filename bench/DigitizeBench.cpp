// Digitizing work in the main window: the object-layer rebuild that follows most edits, with
// 10,000 landmarks on screen, and opening a data file of 1,000 specimens whose image sizes are
// read from the image headers.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "digitize/ObjectLayer.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

namespace {

TLayerStyle Style() {
  TLayerStyle s;
  s.BitmapWidth = 4000;
  s.BitmapHeight = 3000;
  s.ShowLabels = true;
  return s;
}

void BM_RebuildObjectLayer(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TVectorLayer layer;
  for (int k = 0; k < n; ++k)
    AddLandmarkObjects(layer, 10 + (k * 37) % 3900, 10 + (k * 53) % 2900, 3);
  // A few curves and measurement objects as a session has them.
  for (int c = 0; c < 10; ++c)
    AddCurvePolyline(layer, {{c, 0}, {c + 10, 10}, {c + 20, 0}, {c + 30, 10}}, 16);
  for (auto _ : state) {
    const TLayerCounts counts = RebuildObjectLayer(layer, Style());
    benchmark::DoNotOptimize(counts);
  }
  state.counters["objects"] = layer.ObjectsCount();
}
BENCHMARK(BM_RebuildObjectLayer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The window's own rebuild (settings, counts and the view's single repaint request).
void BM_WindowUpdateObjects(benchmark::State& state) {
  TScriptedDialogsScope dialogs;
  ResetWorkspace();
  auto w = std::make_unique<TMorvexF>();
  for (int k = 0; k < 10000; ++k) w->AddLMobject(10 + (k * 37) % 380, 10 + (k * 53) % 280);
  for (auto _ : state) w->UpdateObjects();
  state.counters["landmarks"] = nLM;
  DataChanged = SpecimenChanged = false;
  w->close();
}
BENCHMARK(BM_WindowUpdateObjects)->Unit(benchmark::kMillisecond);

struct TBigFile {
  QTemporaryDir Dir;
  std::string Path;
  TBigFile() {
    const std::filesystem::path d = Dir.path().toStdString();
    // 25 camera-sized JPEGs, each named by 40 of the specimens.
    for (int i = 0; i < 25; ++i) {
      QImage img(4000, 3000, QImage::Format_RGB888);
      img.fill(QColor(20 * (i % 10), 100, 150));
      img.save(QString::fromStdString((d / ("img" + std::to_string(i) + ".jpg")).string()), "JPG",
               80);
    }
    Path = (d / "big.lmk").string();
    std::ofstream out(Path, std::ios::binary);
    for (int k = 0; k < 1000; ++k) {
      out << "LM=20\r\n";
      for (int j = 1; j <= 20; ++j) out << 100 + 150 * j << ".25 " << 200 + 100 * j << ".75\r\n";
      out << "IMAGE=img" << k % 25 << ".jpg\r\nID=specimen-" << k << "\r\nSCALE=0.010000\r\n";
    }
  }
};

void BM_OpenThousandSpecimenFile(benchmark::State& state) {
  static TBigFile file;
  TScriptedDialogsScope dialogs;
  ResetWorkspace();
  auto w = std::make_unique<TMorvexF>();
  w->FitToWindowMnu->setChecked(false);
  for (auto _ : state) {
    w->OpenDataFile(file.Path, false);
    if (!DataList || DataList->Count() != 1000) state.SkipWithError("file did not read whole");
  }
  state.counters["specimens"] = DataList ? DataList->Count() : 0;
  DataChanged = SpecimenChanged = false;
  w->close();
}
BENCHMARK(BM_OpenThousandSpecimenFile)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;
  qputenv("XDG_DATA_HOME", settings.path().toLocal8Bit());
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
