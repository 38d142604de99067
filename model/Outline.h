#pragma once
// Outlines in four forms: chain codes, radii, radii end points and boundary points.

#include <cstdint>
#include <memory>
#include <vector>

#include "model/Vectors.h"

enum class TOutlineKind : int {
  OutlineChain = 0,
  OutlineRadii = 1,
  OutlineRadiiXY = 2,
  OutlineXY = 3
};
constexpr TOutlineKind OutlineChain = TOutlineKind::OutlineChain;
constexpr TOutlineKind OutlineRadii = TOutlineKind::OutlineRadii;
constexpr TOutlineKind OutlineRadiiXY = TOutlineKind::OutlineRadiiXY;
constexpr TOutlineKind OutlineXY = TOutlineKind::OutlineXY;

// A chain never holds more than this many codes.
constexpr std::uint32_t MaxChainCodes = 12000;

class TOutline {
 public:
  TOutline(std::uint32_t max, int x1, int y1, TOutlineKind OutlineKind, double xBar, double yBar);

  std::uint32_t Fn = 0;
  std::uint32_t Fmax;
  int Fx1, Fy1;
  double FxBar, FyBar;
  TOutlineKind FOutlineKind;
  std::unique_ptr<std::vector<std::uint8_t>> pChain;  // OutlineChain only
  std::unique_ptr<Tixy> Fpoints;                      // OutlineXY only
  std::unique_ptr<TVect> Fradii;                      // OutlineRadii only
  std::unique_ptr<Tixy> FradiiXY;                     // OutlineRadiiXY only
  bool Fclockwise = false;
  int FhObj = -1;

  std::uint32_t n() const { return Fn; }
  void SetN(std::uint32_t n) { Fn = n; }
  int x1() const { return Fx1; }
  int y1() const { return Fy1; }
  double xBar() const { return FxBar; }
  double yBar() const { return FyBar; }
  void SetXBar(double v) { FxBar = v; }
  void SetYBar(double v) { FyBar = v; }
  TOutlineKind kind() const { return FOutlineKind; }
  void SetKind(TOutlineKind k) { FOutlineKind = k; }
  bool clockwise() const { return Fclockwise; }
  void SetClockwise(bool c) { Fclockwise = c; }
  int hObj() const { return FhObj; }
  void SetHObj(int h) { FhObj = h; }

  void add(std::uint8_t c);
  std::uint8_t geti(std::uint32_t i) const;
  void Puti(std::uint32_t i, std::uint8_t c);
  double getri(std::uint32_t i) const;
  void putri(std::uint32_t i, double c);
  int getPij(std::uint32_t i, std::uint32_t j) const;
  void putPij(std::uint32_t i, std::uint32_t j, int x);
  int getRij(std::uint32_t i, std::uint32_t j) const;
  void putRij(std::uint32_t i, std::uint32_t j, int x);

  void CreateCopy(std::unique_ptr<TOutline>& Another) const;
  void CopyTo(std::unique_ptr<TOutline>& other) const;
  void CreateCopyRefl(std::unique_ptr<TOutline>& Another, double base) const;
  void TruncateRadii(std::uint32_t nNew);

 private:
  void CopyElements(TOutline& dest, bool reflect, double base) const;
};

class TOutlineList : public TOwnedList<TOutline> {
 public:
  void CopyTo(std::unique_ptr<TOutlineList>& other) const;
};
