#include "BenchData.h"

#include <cstdio>
#include <random>

namespace {
struct TBenchSpecimen {
  double xy[kBenchLandmarks][2];
  bool curve;
  double cxy[10][2];
  double scale;
};

TBenchSpecimen Make(std::mt19937_64& rng, int k) {
  std::uniform_real_distribution<double> pos(0, 4000);
  TBenchSpecimen s{};
  for (auto& p : s.xy) p[0] = pos(rng), p[1] = pos(rng);
  s.curve = k % 10 == 0;
  if (s.curve)
    for (auto& p : s.cxy) p[0] = pos(rng), p[1] = pos(rng);
  s.scale = 0.0001 + static_cast<double>(rng() % 1000000) * 1e-8;
  return s;
}
}  // namespace

std::unique_ptr<TdataList> MakeBenchList(int specimens) {
  std::mt19937_64 rng(20261211);
  auto list = std::make_unique<TdataList>();
  for (int k = 0; k < specimens; ++k) {
    const TBenchSpecimen b = Make(rng, k);
    auto s = std::make_unique<TSpecimen>(kBenchLandmarks, 2);
    for (int i = 0; i < kBenchLandmarks; ++i)
      s->PutXY(static_cast<std::uint32_t>(i + 1), {b.xy[i][0], b.xy[i][1]});
    if (b.curve) {
      Txy* c = s->CreateCurve(10);
      for (int i = 0; i < 10; ++i) c->PutXY(i + 1, {b.cxy[i][0], b.cxy[i][1]});
    }
    s->SetID("specimen-" + std::to_string(k + 1));
    s->SetScale(b.scale);
    list->Add(std::move(s));
  }
  return list;
}

std::string MakeBenchLmkText(int specimens) {
  std::mt19937_64 rng(20261211);
  std::string out;
  out.reserve(static_cast<std::size_t>(specimens) * 520);
  char buf[128];
  for (int k = 0; k < specimens; ++k) {
    const TBenchSpecimen b = Make(rng, k);
    out += "LM=20\r\n";
    for (const auto& p : b.xy) {
      std::snprintf(buf, sizeof buf, "%.5f %.5f\r\n", p[0], p[1]);
      out += buf;
    }
    if (b.curve) {
      out += "CURVES=1\r\nPOINTS=10\r\n";
      for (const auto& p : b.cxy) {
        std::snprintf(buf, sizeof buf, "%.5f %.5f\r\n", p[0], p[1]);
        out += buf;
      }
    }
    std::snprintf(buf, sizeof buf, "ID=specimen-%d\r\nSCALE=%.6f\r\n", k + 1, b.scale);
    out += buf;
  }
  return out;
}
