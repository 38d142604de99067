// The single-list saves of the vectors and point lists. Each replaces its file safely (a
// temporary file renamed over the target when complete) and shows the busy cursor meanwhile.

#include <string>

#include "model/Errors.h"
#include "model/Hooks.h"
#include "model/NumberFormat.h"
#include "model/NumberWrite.h"
#include "model/Text.h"
#include "model/TextOutFile.h"
#include "model/Vectors.h"

namespace {

// The layouts are chosen by the upper-cased extension.
std::string UpperExt(const std::string& fname) {
  return UpperCase(ExtractFileExt(fname));
}

// A line break inside a comment would split its line.
std::string OneLine(std::string s) {
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

void Line(std::string& out, std::string_view s) {
  out += s;
  out += "\r\n";
}

void CommentLine(std::string& out, const std::string& comment) {
  out += "\" ";
  Line(out, OneLine(comment));
}

// "1 n cols 0": a matrix of n rows without labels and without a missing-value code.
void MatrixHeader(std::string& out, int n, int cols) {
  out += "1 ";
  AppendInt(out, n);
  out += ' ';
  AppendInt(out, cols);
  Line(out, " 0");
}

void IntPoint(std::string& out, const Ticoords& p) {
  AppendInt(out, p.x);
  out += ' ';
  AppendInt(out, p.y);
  out += "\r\n";
}

// x and y as 10:8 (period), as the old point-list files have them.
void RealPoint(std::string& out, const Tcoords& p) {
  AppendFixedWidth(out, p.x, 10, 8, '.');
  out += ' ';
  AppendFixedWidth(out, p.y, 10, 8, '.');
}

void Save(const std::string& fname, const std::function<void(std::string& out)>& fill) {
  TBusyCursor cursor;
  SafeWriteFile(fname, false, [&](TTextOut& f) {
    fill(f.Buffer());
    f.Check();
  });
}

}  // namespace

void TVect::save(const std::string& fnm, int width, int decimal) const {
  const std::string ext = UpperExt(fnm);
  // Checked before the file is touched: a wrong name must not empty an existing file.
  if (ext != ".MXT" && ext != ".M" && ext != ".CSV")
    throw ElmkException("Invalid file type: " + ext);
  const char sep = DecimalSeparator();
  auto element = [&](std::string& out, double v) {
    if (width >= 1)
      AppendFixedWidth(out, v, width, decimal, sep);
    else
      AppendExponent(out, v, 15, sep);  // the %e form: 15 significant digits
    out += ' ';
  };
  Save(fnm, [&](std::string& out) {
    std::string name = UpperCase(ExtractFileName(fnm));
    if (ext == ".MXT") {
      if (!Fcomment.empty()) CommentLine(out, Fcomment);
      MatrixHeader(out, Fn, 1);
    } else if (ext == ".M") {
      std::erase(name, ' ');
      Line(out, name + "=[");
    } else {
      for (char& c : name)
        if (c == ' ') c = '_';
      Line(out, "'" + name);
    }
    for (int i = 1; i <= Fn; ++i) {
      element(out, geti(i));
      if (ext == ".M" && i == Fn) out += " ];";
      out += "\r\n";
    }
    // An empty vector still closes its matrix.
    if (ext == ".M" && Fn == 0) Line(out, " ];");
  });
}

void Tixy::save(const std::string& fname, const std::string& comment) const {
  const bool lmk = UpperExt(fname) == ".LMK";
  Save(fname, [&](std::string& out) {
    if (lmk) {
      Line(out, "ID=" + OneLine(comment));
      out += "LM=";
      AppendInt(out, Fn);
      out += "\r\n";
    } else {
      CommentLine(out, comment);
      MatrixHeader(out, Fn, 2);
    }
    for (int i = 1; i <= Fn; ++i) IntPoint(out, GetXY(i));
  });
}

void Txy::save(const std::string& fname, const std::string& comment) const {
  const std::string ext = UpperExt(fname);
  Save(fname, [&](std::string& out) {
    if (ext == ".LMK") {
      out += "LM=";
      AppendInt(out, Fn);
      out += "\r\n";
      for (int i = 1; i <= Fn; ++i) {
        RealPoint(out, GetXY(i));
        out += "\r\n";
      }
      Line(out, "ID=" + OneLine(comment));
    } else if (ext == ".MXT") {
      CommentLine(out, comment);
      MatrixHeader(out, Fn, 2);
      for (int i = 1; i <= Fn; ++i) {
        RealPoint(out, GetXY(i));
        out += "\r\n";
      }
    } else if (ext == ".M") {
      out += UpperCase(ExtractFileName(fname)) + "=[";
      for (int i = 1; i <= Fn; ++i) {
        RealPoint(out, GetXY(i));
        if (i == Fn) out += "];";
        out += "\r\n";
      }
      if (Fn == 0) out += "];\r\n";
    }
    // Any other extension: an empty file.
  });
}

void Txyz::save(const std::string& fname, const std::string& comment) const {
  const bool lmk = UpperExt(fname) == ".LMK";
  Save(fname, [&](std::string& out) {
    if (lmk) {
      Line(out, "ID=" + OneLine(comment));
      out += "LM3=";
      AppendInt(out, Fn);
      out += "\r\n";
    } else {
      CommentLine(out, comment);
      MatrixHeader(out, Fn, 3);
    }
    for (int i = 1; i <= Fn; ++i) {
      const Tcoords3 p = GetXYZ(i);
      AppendFixedWidth(out, p.x, lmk ? 8 : 10, lmk ? 6 : 8, '.');
      out += ' ';
      AppendFixedWidth(out, p.y, 10, 8, '.');
      out += ' ';
      AppendFixedWidth(out, p.z, 10, 8, '.');
      out += "\r\n";
    }
  });
}
