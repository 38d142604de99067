#include "platform/TextCodec.h"

#include <QStringDecoder>

char16_t Cp1252ToUnicode(unsigned char b) {
  static const char16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  if (b >= 0x80 && b < 0xA0) return high[b - 0x80];
  return b;
}

QString DecodeText(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString s = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return s;
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) out += QChar(Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}
