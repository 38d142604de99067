#include "platform/Rtf.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include "gtest/gtest.h"
#include "model/Errors.h"

namespace {

QTextCharFormat Fmt(const char* family, double pt, bool bold, bool italic = false,
                    bool underline = false, QColor color = QColor()) {
  QTextCharFormat f;
  f.setFontFamilies({family});
  f.setFontPointSize(pt);
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(italic);
  f.setFontUnderline(underline);
  if (color.isValid()) f.setForeground(color);
  return f;
}

struct TRun {
  QString Text;
  QString Family;
  double Pt;
  bool Bold, Italic, Underline;
  QColor Color;
};

std::vector<std::vector<TRun>> Runs(const QTextDocument& doc) {
  std::vector<std::vector<TRun>> all;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    std::vector<TRun> runs;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const auto f = it.fragment().charFormat();
      runs.push_back(
          {it.fragment().text(), f.fontFamilies().toStringList().value(0), f.fontPointSize(),
           f.fontWeight() >= QFont::Bold, f.fontItalic(), f.fontUnderline(),
           f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor()});
    }
    all.push_back(runs);
  }
  return all;
}

TEST(RtfTest, WhatWeWriteReadsBackWithItsFormatting) {
  QTextDocument doc;
  QTextCursor c(&doc);
  c.insertText("Morvex2 ", Fmt("Courier New", 16, true));
  c.insertText("(c) 2026 {braces} back\\slash", Fmt("Courier New", 10, false));
  c.insertBlock();
  c.insertText("Heading", Fmt("Courier New", 14, true));
  c.insertBlock();
  c.insertText("italic", Fmt("Arial", 11, false, true));
  c.insertText(" under", Fmt("Arial", 11, false, false, true, QColor(200, 10, 20)));
  c.insertText(QString::fromUtf8(" µm ± 5 € — ok\tTab"), Fmt("Arial", 11, false));
  c.insertBlock();
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  c.setBlockFormat(centred);
  c.insertText("centred", Fmt("Courier New", 10, false));
  c.insertBlock();  // an empty last paragraph, as the listing leaves it

  const std::string rtf = DocumentToRtf(doc);
  ASSERT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u);
  for (char ch : rtf) EXPECT_LT(static_cast<unsigned char>(ch), 128) << "RTF is 7-bit text";

  QTextDocument back;
  RtfToDocument(rtf, back);
  EXPECT_EQ(back.toPlainText(), doc.toPlainText());
  EXPECT_EQ(back.blockCount(), doc.blockCount());
  const auto a = Runs(doc), b = Runs(back);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    ASSERT_EQ(a[i].size(), b[i].size()) << "paragraph " << i;
    for (size_t k = 0; k < a[i].size(); ++k) {
      EXPECT_EQ(a[i][k].Text, b[i][k].Text);
      EXPECT_EQ(a[i][k].Family, b[i][k].Family);
      EXPECT_EQ(a[i][k].Pt, b[i][k].Pt);
      EXPECT_EQ(a[i][k].Bold, b[i][k].Bold);
      EXPECT_EQ(a[i][k].Italic, b[i][k].Italic);
      EXPECT_EQ(a[i][k].Underline, b[i][k].Underline);
      EXPECT_EQ(a[i][k].Color, b[i][k].Color);
    }
  }
  EXPECT_EQ(back.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHCenter,
            Qt::AlignHCenter);
}

TEST(RtfTest, ForeignFilesGiveTheirPlainText) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fswiss\\fcharset0 Calibri;}}\n"
      "{\\*\\generator Riched20 10.0.19041}{\\stylesheet{\\s0 Normal;}}{\\info{\\author Me}}"
      "\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Caf\\'e9 \\u8364? "
      "\\b bold\\b0  text\\par\n"
      "{\\pict\\wmetafile8 0123456789abcdef}Second\\line line\\par\n"
      "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}\\par\n}";
  QTextDocument doc;
  RtfToDocument(rtf, doc);
  EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Café € bold text\nSecond\nline\nlink\n"));
  EXPECT_EQ(doc.findBlockByNumber(1).text(), QString("Second") + QChar::LineSeparator + "line");
  const auto runs = Runs(doc);
  ASSERT_GE(runs[0].size(), 2u);
  EXPECT_EQ(runs[0][0].Family, "Calibri");
  EXPECT_EQ(runs[0][0].Pt, 11.0);
  EXPECT_TRUE(runs[0][1].Bold);
}

TEST(RtfTest, NonRtfIsRefused) {
  QTextDocument doc;
  EXPECT_THROW(RtfToDocument("plain text", doc), EInOutError);
  EXPECT_THROW(RtfToDocument("", doc), EInOutError);
}

TEST(RtfTest, TruncatedInputEndsCleanly) {
  QTextDocument doc;
  RtfToDocument("{\\rtf1 {\\b half", doc);
  EXPECT_EQ(doc.toPlainText(), "half");
  RtfToDocument("{\\rtf1 x\\'4", doc);  // a broken hex escape is dropped
}

}  // namespace

namespace {

TEST(RtfTest, ArbitraryBytesAfterTheOpeningNeverBreakTheReader) {
  const std::string alphabet = "{}\\\\'*abfuclr0123456789- ;\x80\xe9\n";
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 500; ++round) {
    std::string rtf = "{\\rtf1";
    const int n = static_cast<int>(next() % 200);
    for (int i = 0; i < n; ++i) rtf += alphabet[next() % alphabet.size()];
    QTextDocument doc;
    EXPECT_NO_THROW(RtfToDocument(rtf, doc)) << rtf;
  }
}

TEST(RtfTest, HugeNumbersAndDeepNestingAreTaken) {
  QTextDocument doc;
  EXPECT_NO_THROW(
      RtfToDocument("{\\rtf1\\fs99999999999999999999 a\\u-99999999999 b\\uc-5 c}", doc));
  EXPECT_EQ(doc.toPlainText(), "ac");  // \u skips its fallback character "b"
  std::string deep = "{\\rtf1 ";
  deep += std::string(100000, '{') + "x" + std::string(100000, '}') + "}";
  QTextDocument doc2;
  RtfToDocument(deep, doc2);
  EXPECT_EQ(doc2.toPlainText(), "x");
}

}  // namespace
