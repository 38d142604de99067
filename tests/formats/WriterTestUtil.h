#pragma once
// Building specimens and writing them in memory, for the writer and round-trip tests.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ReaderTestUtil.h"
#include "formats/Lmkcomm2.h"

// Reads LMK text into data; true when the whole text was read without an error or a box.
inline bool ReadLmkText(const std::string& text, TdataList& data) {
  const TRecordedRead r = ReadText(text, data);
  return r.ok && r.error.empty() && r.boxes.empty();
}

// The lines joined with CR LF after each, as the writer ends them.
inline std::string CrLf(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

inline std::string WriteLmk(TdataList& data, bool includePath = true, bool addPath = false,
                            const std::string& folder = "") {
  TTextOut out;
  WriteLandmarkFile(out, data, includePath, addPath, folder);
  return out.TakeText();
}

inline std::string WriteMxt(TdataList& data) {
  TTextOut out;
  WriteMxtFile(out, data);
  return out.TakeText();
}

inline TSpecimen* Add2D(TdataList& data, std::initializer_list<Tcoords> pts) {
  auto s = std::make_unique<TSpecimen>(static_cast<std::uint32_t>(pts.size()), 2);
  std::uint32_t i = 1;
  for (const Tcoords& p : pts) s->PutXY(i++, p);
  return data.Add(std::move(s));
}

inline TSpecimen* Add3D(TdataList& data, std::initializer_list<Tcoords3> pts) {
  auto s = std::make_unique<TSpecimen>(static_cast<std::uint32_t>(pts.size()), 3);
  std::uint32_t i = 1;
  for (const Tcoords3& p : pts) {
    s->putXY3(i, 1, p.x);
    s->putXY3(i, 2, p.y);
    s->putXY3(i, 3, p.z);
    ++i;
  }
  return data.Add(std::move(s));
}

inline TOutlineList& Outlines(TSpecimen& s) {
  if (!s.OutlineList()) s.SetOutlineList(std::make_unique<TOutlineList>());
  return *s.OutlineList();
}

inline TOutline& AddChain(TSpecimen& s, int x1, int y1, const std::vector<int>& codes) {
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(codes.size()), x1, y1,
                                      OutlineChain, 0, 0);
  for (int c : codes) o->add(static_cast<std::uint8_t>(c));
  return *Outlines(s).Add(std::move(o));
}

inline TOutline& AddRadii(TSpecimen& s, int x1, int y1, double xBar, double yBar,
                          const std::vector<double>& radii, bool clockwise) {
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(radii.size()), x1, y1,
                                      OutlineRadii, xBar, yBar);
  for (std::size_t i = 0; i < radii.size(); ++i)
    o->putri(static_cast<std::uint32_t>(i + 1), radii[i]);
  o->SetN(static_cast<std::uint32_t>(radii.size()));
  o->SetClockwise(clockwise);
  return *Outlines(s).Add(std::move(o));
}

inline TOutline& AddPoints(TSpecimen& s, TOutlineKind kind, const std::vector<Ticoords>& pts) {
  auto o = std::make_unique<TOutline>(static_cast<std::uint32_t>(pts.size()), 0, 0, kind, 0, 0);
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const auto k = static_cast<std::uint32_t>(i + 1);
    if (kind == OutlineXY) {
      o->putPij(k, 1, pts[i].x);
      o->putPij(k, 2, pts[i].y);
    } else {
      o->putRij(k, 1, pts[i].x);
      o->putRij(k, 2, pts[i].y);
    }
  }
  o->SetN(static_cast<std::uint32_t>(pts.size()));
  return *Outlines(s).Add(std::move(o));
}

// Sets a core hook for the lifetime of the object.
template <typename F>
class THookScope {
 public:
  THookScope(F& slot, F value) : FSlot(slot), FSaved(slot) { FSlot = std::move(value); }
  ~THookScope() { FSlot = FSaved; }
  THookScope(const THookScope&) = delete;
  THookScope& operator=(const THookScope&) = delete;

 private:
  F& FSlot;
  F FSaved;
};
