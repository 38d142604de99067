#include "formats/MxtExport.h"

#include <cmath>

#include "model/NumberWrite.h"

std::string F65(double v) {
  return FormatRounded(v, 6, 5, DecimalSeparator());
}

void WriteMxtFile(TTextOut& f, TdataList& Data) {
  TBusyCursor cursor;
  if (Data.Count() == 0) return;
  const TSpecimen& first = *Data.Items(0);
  const std::uint32_t nLM = first.nLM();
  const std::uint32_t nDims = first.nDims();
  for (int k = 1; k < Data.Count(); ++k) {
    const TSpecimen& s = *Data.Items(k);
    if (s.nLM() != nLM) throw ElmkException("All specimens must have\nsame number of landmarks.");
    if (s.nDims() != nDims)
      throw ElmkException("All specimens must have\nsame number of dimensions.");
  }
  const bool twoD = nDims == 2;
  const int columns = twoD ? 2 : 3;
  const char sep = DecimalSeparator();
  std::string& out = f.Buffer();
  for (int k = 1; k <= Data.Count(); ++k) {
    const TSpecimen& s = *Data.Items(k - 1);
    const double scale = s.scale() == 0 ? 1 : s.scale();
    // A line break in the ID would end the comment line early.
    std::string id = s.ID();
    for (char& c : id)
      if (c == '\r' || c == '\n') c = ' ';
    out += "\" Specimen ";
    AppendInt(out, k);
    out += ", ID = ";
    out += id;
    out += "\r\n1 ";
    AppendInt(out, nLM);
    out += "L ";
    AppendInt(out, columns);
    out += "L 0\r\n";
    for (std::uint32_t i = 1; i <= nLM; ++i) {
      out += "LM";
      AppendInt(out, i);
      out += ' ';
    }
    out += twoD ? "\r\nX Y \r\n" : "\r\nX Y Z \r\n";
    for (std::uint32_t i = 1; i <= nLM; ++i) {
      for (int j = 1; j <= columns; ++j) {
        const double v = s.getXY3(i, static_cast<std::uint32_t>(j)) * scale;
        if (!std::isfinite(v))
          throw ElmkException("Error writing specimen " + std::to_string(k) + " (ID=" + s.ID() +
                              "),\nvalue is not a number");
        AppendRounded(out, v, 6, 5, sep);
        out += ' ';
      }
      out += "\r\n";
    }
    f.Check();
    if (k % 200 == 0) ProcessMessages();
  }
}
