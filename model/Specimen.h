#pragma once
// One specimen: landmarks (2-D or 3-D), curves, outlines, texts, image name and scale.

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "model/Outline.h"
#include "model/Vectors.h"

using TSetOfByte = std::bitset<256>;  // membership by landmark number 0..255

class TSpecimen {
 public:
  TSpecimen(std::uint32_t n, std::uint32_t dims);

  // Texts, kept as the bytes read.
  const std::string& ID() const { return Fid; }
  void SetID(std::string s) { Fid = std::move(s); }
  const std::string& comment() const { return Fcomment; }
  void SetComment(std::string s) { Fcomment = std::move(s); }
  const std::string& Variables() const { return Fvariables; }
  void SetVariables(std::string s) { Fvariables = std::move(s); }
  const std::string& ImageFn() const { return FImageFn; }
  void SetImageFn(std::string s) { FImageFn = std::move(s); }

  std::uint32_t nLM() const { return FnLM; }
  std::uint32_t nDims() const { return FnDims; }
  Txy* xy() const { return Fxy.get(); }
  Txyz* xyz() const { return Fxyz.get(); }
  // Replaces the 2-D landmark list; nLM follows its count (none: 0).
  void SetXY(std::unique_ptr<Txy> xy);
  void SetXYZ(std::unique_ptr<Txyz> xyz);
  TxyList* Curves() const { return FCurves.get(); }
  void SetCurves(std::unique_ptr<TxyList> c) { FCurves = std::move(c); }
  std::uint32_t nCurves() const;
  TOutlineList* OutlineList() const { return FOutlineList.get(); }
  void SetOutlineList(std::unique_ptr<TOutlineList> l) { FOutlineList = std::move(l); }

  double xMin() const { return FXmin; }
  double xMax() const { return FXmax; }
  double yMin() const { return FYmin; }
  double yMax() const { return FYmax; }
  double zMin() const { return FZmin; }
  double zMax() const { return FZmax; }
  const Tcoords3& Centroid() const { return Fcentroid; }
  double MeanX() const { return Fcentroid.x; }
  double csize() const { return FCsize; }
  void SetCsize(double v) { FCsize = v; }
  double OrigCsize() const { return FOrigCsize; }
  double baseX() const { return FbaseX; }
  void SetBaseX(double v) { FbaseX = v; }
  double baseY() const { return FbaseY; }
  void SetBaseY(double v) { FbaseY = v; }
  double scale() const { return Fscale; }
  void SetScale(double v) { Fscale = v; }
  double OrigScale() const { return FOrigScale; }
  void SetOrigScale(double v) { FOrigScale = v; }

  double getXY3(std::uint32_t i, std::uint32_t j) const;
  void putXY3(std::uint32_t i, std::uint32_t j, double x);
  Tcoords GetXY(std::uint32_t i) const;
  void PutXY(std::uint32_t i, Tcoords xy);
  Tcoords GetXYc(std::uint32_t i) const;

  Txy* CreateCurve(std::uint32_t nPts);
  std::uint32_t GetNcurvesI(std::uint32_t i) const;
  Tcoords getCXY(std::uint32_t i, std::uint32_t j) const;
  void putCXY(std::uint32_t i, std::uint32_t j, Tcoords xy);
  double GetCxy3(std::uint32_t i, std::uint32_t j, std::uint32_t k) const;
  void PutCxy3(std::uint32_t i, std::uint32_t j, std::uint32_t k, double x);

  void Centroids();
  void MinMax();

  void Center();
  void Normalize();
  void Mult(double s);
  void Reflect();
  void KeepLandmarks(const TSetOfByte& keep);
  void Sum(const TSpecimen& other);
  double Diff(const TSpecimen& other) const;
  void Copy(const TSpecimen& other);
  void CopyTo(std::unique_ptr<TSpecimen>& other) const;
  void clear();
  void SaveOrigScale();
  void RestoreOrigScale();
  void print(const AddProc& add, int width, int decimal) const;

 private:
  bool ValidLM(std::uint32_t i, std::uint32_t j) const;
  Txy& CurveChecked(std::uint32_t i, const char* tag, std::initializer_list<long long> idx) const;

  std::unique_ptr<Txy> Fxy;
  std::unique_ptr<Txyz> Fxyz;
  Tcoords3 FOrigCentroid;
  double FOrigCsize = 0;
  std::string Fid;
  std::string Fcomment;
  std::string Fvariables;
  std::uint32_t FnLM;
  std::uint32_t FnDims;
  std::unique_ptr<TxyList> FCurves;
  std::unique_ptr<TOutlineList> FOutlineList;
  double FXmin = 0, FYmin = 0, FXmax = 0, FYmax = 0, FZmin = 0, FZmax = 0;
  Tcoords3 Fcentroid;
  double FCsize = 0;
  std::string FImageFn;
  double FbaseX = 0;
  double FbaseY = -1;
  double Fscale = 0;
  double FOrigScale = 0;
};

class TdataList : public TOwnedList<TSpecimen> {
 public:
  bool AnyImages() const { return FAnyImages; }
  void SetAnyImages(bool v) { FAnyImages = v; }
  void CopyTo(std::unique_ptr<TdataList>& NewData) const;
  void print(const AddProc& add, int width, int decimal) const;

 private:
  bool FAnyImages = false;
};
