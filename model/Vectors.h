#pragma once
// Vectors and point lists with 1-based, bounds-tested access.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TTextFile;

struct Tcoords {
  double x = 0;
  double y = 0;
  bool operator==(const Tcoords&) const = default;
};

struct Ticoords {
  int x = 0;
  int y = 0;
  bool operator==(const Ticoords&) const = default;
};

struct Tcoords3 {
  double x = 0;
  double y = 0;
  double z = 0;
  // Coordinate j, 1 for x, 2 for y, 3 for z.
  double Get(int j) const;
  void Set(int j, double v);
  bool operator==(const Tcoords3&) const = default;
};

// Receives one line of text; the print operations send their output through it.
using AddProc = std::function<void(const std::string& s)>;

class TiVect {
 public:
  explicit TiVect(int n);
  int n() const { return Fn; }
  int geti(int i) const;
  void Puti(int i, int ii);
  void CopyTo(std::unique_ptr<TiVect>& dest) const;
  void print(const AddProc& add, int width) const;

 private:
  std::vector<int> FiVect;
  int Fn;
};

class TVect {
 public:
  explicit TVect(int n);
  int n() const { return Fn; }
  const std::string& comment() const { return Fcomment; }
  void SetComment(std::string c) { Fcomment = std::move(c); }
  double Average() const { return FAverage; }
  void SetAverage(double a) { FAverage = a; }

  double geti(int i) const;
  void Puti(int i, double x);
  void Zero();
  void ScalarMult(double f);
  void Inverse();
  void MinMax(double& min, double& max) const;
  void GetAverage();
  void CopyTo(std::unique_ptr<TVect>& dest) const;
  void print(const AddProc& add, unsigned width, unsigned decimal) const;
  void save(const std::string& fnm, int width, int decimal) const;

 private:
  int Fn;
  std::vector<double> FVect;
  double FAverage = 0;
  std::string Fcomment;
};

class Tixy {
 public:
  explicit Tixy(int n);
  int n() const { return Fn; }
  void IncreaseSize(int num);
  void DeletePoint(int i);
  Ticoords GetXY(int i) const;
  void PutXY(int i, Ticoords ixy);
  int Getij(int i, int j) const;
  void Putij(int i, int j, int xx);
  void Getixy(int i, int& xx, int& yy) const;
  void Putixy(int i, int xx, int yy);
  void CopyTo(std::unique_ptr<Tixy>& Another) const;
  void print(const AddProc& add, int width) const;
  void save(const std::string& fname, const std::string& comment) const;

 private:
  int Fn;
  std::vector<Ticoords> Fixy;
};

class Txy {
 public:
  explicit Txy(int n);
  int n() const { return Fn; }
  const std::string& ID() const { return Fid; }
  void SetID(std::string id) { Fid = std::move(id); }

  Tcoords GetXY(int i) const;
  void PutXY(int i, Tcoords xy);
  double Getij(int i, int j) const;
  void Putij(int i, int j, double xx);
  // Reads n coordinate lines (two numbers each) from f into points 1..n.
  void ReadFile(TTextFile& f);
  void CopyTo(std::unique_ptr<Txy>& other) const;
  void CopyToInt(std::unique_ptr<Tixy>& other) const;
  void MultBy(double s);
  void Normalize(double& csize);
  void print(const AddProc& add, int width, int decimal) const;
  void save(const std::string& fname, const std::string& comment) const;

  // Direct view of the points for fast loops; always exactly n elements.
  const std::vector<Tcoords>& Points() const { return Fxy; }

 private:
  int Fn;
  std::vector<Tcoords> Fxy;
  std::string Fid;
};

class Txyz {
 public:
  explicit Txyz(int n);
  int n() const { return Fn; }
  Tcoords3 GetXYZ(int i) const;
  void PutXYZ(int i, Tcoords3 xyz);
  double Getij(int i, int j) const;
  void Putij(int i, int j, double xx);
  void ReadFile(TTextFile& f);
  void CopyTo(std::unique_ptr<Txyz>& other) const;
  void Normalize();
  void print(const AddProc& add, int width, int decimal) const;
  void save(const std::string& fname, const std::string& comment) const;

  const std::vector<Tcoords3>& Points() const { return Fxyz; }

 private:
  int Fn;
  std::vector<Tcoords3> Fxyz;
};

// Parses one coordinate line of dims numbers (2 or 3) into out, with the reader's messages:
// the other decimal character, the word count, the conversion.
void ParseCoordinateLine(std::string_view s, int dims, double* out);

// An owning, ordered list; item positions are 0-based.
template <typename T>
class TOwnedList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  T* Items(int k) const;
  T* Add(std::unique_ptr<T> item) {
    FItems.push_back(std::move(item));
    return FItems.back().get();
  }
  void Insert(int k, std::unique_ptr<T> item);
  // Takes item k out of the list and hands it to the caller.
  std::unique_ptr<T> Extract(int k);
  // Puts item in place k and answers the item that was there.
  std::unique_ptr<T> Replace(int k, std::unique_ptr<T> item);
  void Delete(int k) { Extract(k); }
  void Clear() { FItems.clear(); }

 private:
  void CheckIndex(int k) const;
  std::vector<std::unique_ptr<T>> FItems;
};

[[noreturn]] void ThrowListIndex(int k);

template <typename T>
void TOwnedList<T>::CheckIndex(int k) const {
  if (k < 0 || k >= Count()) ThrowListIndex(k);
}

template <typename T>
T* TOwnedList<T>::Items(int k) const {
  CheckIndex(k);
  return FItems[static_cast<std::size_t>(k)].get();
}

template <typename T>
void TOwnedList<T>::Insert(int k, std::unique_ptr<T> item) {
  if (k < 0 || k > Count()) ThrowListIndex(k);
  FItems.insert(FItems.begin() + k, std::move(item));
}

template <typename T>
std::unique_ptr<T> TOwnedList<T>::Extract(int k) {
  CheckIndex(k);
  auto item = std::move(FItems[static_cast<std::size_t>(k)]);
  FItems.erase(FItems.begin() + k);
  return item;
}

template <typename T>
std::unique_ptr<T> TOwnedList<T>::Replace(int k, std::unique_ptr<T> item) {
  CheckIndex(k);
  std::swap(FItems[static_cast<std::size_t>(k)], item);
  return item;
}

class TixyList : public TOwnedList<Tixy> {
 public:
  void CopyTo(std::unique_ptr<TixyList>& other) const;
};

class TxyList : public TOwnedList<Txy> {
 public:
  void CopyTo(std::unique_ptr<TxyList>& other) const;
  void CopyToInt(std::unique_ptr<TixyList>& other) const;
};
