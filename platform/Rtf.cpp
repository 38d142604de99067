#include "platform/Rtf.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "model/Errors.h"
#include "platform/TextCodec.h"

namespace {

// ---------------------------------------------------------------- writing

std::string Escape(const QString& text) {
  std::string out;
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += '\\';
      out += static_cast<char>(u);
    } else if (u == '\t') {
      out += "\\tab ";
    } else if (u == QChar::LineSeparator || u == '\n') {
      out += "\\line ";
    } else if (u == QChar::Nbsp) {
      out += "\\~";
    } else if (u >= 32 && u < 127) {
      out += static_cast<char>(u);
    } else if (u < 32) {
      // control characters have no place in the text
    } else {
      out += "\\u" + std::to_string(static_cast<int16_t>(u)) + "?";
    }
  }
  return out;
}

int IndexOf(std::vector<std::string>& list, const std::string& v) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == v) return static_cast<int>(i);
  list.push_back(v);
  return static_cast<int>(list.size() - 1);
}

int IndexOf(std::vector<QRgb>& list, QRgb v) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == v) return static_cast<int>(i) + 1;
  list.push_back(v);
  return static_cast<int>(list.size());
}

std::string FontEscape(const std::string& name) {
  std::string out;
  for (char c : name)
    if (c != ';' && c != '{' && c != '}' && c != '\\') out += c;
  return out;
}

}  // namespace

std::string DocumentToRtf(const QTextDocument& doc) {
  std::vector<std::string> fonts;
  std::vector<QRgb> colors;
  const QFont base = doc.defaultFont();
  IndexOf(fonts, base.family().toStdString());
  std::string body;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    body += "\\pard";
    const Qt::Alignment a = b.blockFormat().alignment();
    if (a & Qt::AlignHCenter)
      body += "\\qc";
    else if (a & Qt::AlignRight)
      body += "\\qr";
    else if (a & Qt::AlignJustify)
      body += "\\qj";
    else
      body += "\\ql";
    body += ' ';
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (!f.isValid()) continue;
      const QTextCharFormat cf = f.charFormat();
      const QFont font = cf.font().resolve(base);
      body += "{\\f" + std::to_string(IndexOf(fonts, font.family().toStdString()));
      double pt =
          cf.hasProperty(QTextFormat::FontPointSize) ? cf.fontPointSize() : font.pointSizeF();
      if (pt <= 0) pt = 10;
      body += "\\fs" + std::to_string(static_cast<int>(std::lround(pt * 2)));
      if (font.bold()) body += "\\b";
      if (font.italic()) body += "\\i";
      if (font.underline()) body += "\\ul";
      if (cf.hasProperty(QTextFormat::ForegroundBrush))
        body += "\\cf" + std::to_string(IndexOf(colors, cf.foreground().color().rgb()));
      body += ' ' + Escape(f.text()) + '}';
    }
    if (b.next().isValid()) body += "\\par\r\n";
  }
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i)
    out += "{\\f" + std::to_string(i) + "\\fnil " + FontEscape(fonts[i]) + ";}";
  out += "}\r\n{\\colortbl ;";
  for (QRgb c : colors)
    out += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
           std::to_string(qBlue(c)) + ";";
  out += "}\r\n\\viewkind4\r\n" + body + "\r\n}\r\n";
  return out;
}

// ---------------------------------------------------------------- reading

namespace {

enum class TDest { Text, FontTable, ColorTable, Skip };

struct TState {
  TDest Dest = TDest::Text;
  bool Bold = false, Italic = false, Underline = false;
  int Font = -1;
  int HalfPoints = 24;
  int Color = 0;
  int UcSkip = 1;
  Qt::Alignment Align = Qt::AlignLeft;
};

char16_t FromCp1252(unsigned char b) {
  return Cp1252ToUnicode(b);
}

const std::set<std::string>& SkippedDestinations() {
  static const std::set<std::string> s = {"stylesheet",
                                          "info",
                                          "pict",
                                          "object",
                                          "header",
                                          "headerl",
                                          "headerr",
                                          "headerf",
                                          "footer",
                                          "footerl",
                                          "footerr",
                                          "footerf",
                                          "footnote",
                                          "fldinst",
                                          "themedata",
                                          "colorschememapping",
                                          "latentstyles",
                                          "datastore",
                                          "xmlnstbl",
                                          "listtable",
                                          "listoverridetable",
                                          "rsidtbl",
                                          "generator",
                                          "mmathPr",
                                          "filetbl",
                                          "revtbl",
                                          "pgdsctbl",
                                          "bkmkstart",
                                          "bkmkend",
                                          "xmlopen",
                                          "operator",
                                          "author",
                                          "title",
                                          "company",
                                          "nonshppict",
                                          "shppict",
                                          "pntext",
                                          "pntxta",
                                          "pntxtb",
                                          "listtext",
                                          "private",
                                          "comment",
                                          "template",
                                          "keywords",
                                          "doccomm",
                                          "subject"};
  return s;
}

class TRtfReader {
 public:
  TRtfReader(const std::string& rtf, QTextDocument& doc) : FIn(rtf), FCursor(&doc) {
    FCursor.movePosition(QTextCursor::End);
    if (!FCursor.block().text().isEmpty()) FCursor.insertBlock();
  }

  void Run() {
    size_t i = 0;
    while (i < FIn.size() && (std::isspace(static_cast<unsigned char>(FIn[i])) ||
                              static_cast<unsigned char>(FIn[i]) >= 0xEF))
      ++i;  // whitespace or a byte-order mark
    if (FIn.compare(i, 5, "{\\rtf") != 0) throw EInOutError("Not a rich text file");
    FPos = i;
    while (FPos < FIn.size()) Step();
    Flush();
    ApplyParagraph();
  }

 private:
  void Step() {
    const char c = FIn[FPos];
    if (c == '{') {
      ++FPos;
      FStack.push_back(FState);
      FGroupStart = true;
      return;
    }
    if (c == '}') {
      ++FPos;
      Flush();
      if (FState.Dest == TDest::FontTable && !FFontName.isEmpty()) EndFontName();
      if (!FStack.empty()) {
        FState = FStack.back();
        FStack.pop_back();
      }
      FGroupStart = false;
      return;
    }
    if (c == '\\') {
      ControlWord();
      FGroupStart = false;
      return;
    }
    ++FPos;
    FGroupStart = false;
    if (c == '\r' || c == '\n') return;
    Char(static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c)
                                              : FromCp1252(static_cast<unsigned char>(c)));
  }

  void ControlWord() {
    const bool atGroupStart = FGroupStart;
    ++FPos;  // the backslash
    if (FPos >= FIn.size()) return;
    const char c = FIn[FPos];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++FPos;
      switch (c) {
        case '\\':
        case '{':
        case '}':
          Char(static_cast<char16_t>(c));
          return;
        case '~':
          Char(QChar::Nbsp);
          return;
        case '_':
          Char(u'-');
          return;
        case '*':
          FStarred = true;
          return;
        case '\'': {
          if (FPos + 2 <= FIn.size() && std::isxdigit(static_cast<unsigned char>(FIn[FPos])) &&
              std::isxdigit(static_cast<unsigned char>(FIn[FPos + 1]))) {
            const int v = std::stoi(FIn.substr(FPos, 2), nullptr, 16);
            FPos += 2;
            Char(FromCp1252(static_cast<unsigned char>(v)));
          }
          return;
        }
        case '\r':
        case '\n':
          Word("par", false, 0);
          return;
        default:
          return;  // \- \| \: and the like carry no text
      }
    }
    size_t k = FPos;
    while (k < FIn.size() && std::isalpha(static_cast<unsigned char>(FIn[k]))) ++k;
    const std::string word = FIn.substr(FPos, k - FPos);
    bool hasParam = false;
    int param = 0;
    size_t d = k;
    if (d < FIn.size() && FIn[d] == '-') ++d;
    size_t digitsStart = d;
    while (d < FIn.size() && std::isdigit(static_cast<unsigned char>(FIn[d]))) ++d;
    if (d > digitsStart) {
      hasParam = true;
      try {
        param = std::stoi(FIn.substr(k, d - k));
      } catch (const std::out_of_range&) {
        param = 0;
      }
      k = d;
    }
    if (k < FIn.size() && FIn[k] == ' ') ++k;
    FPos = k;
    const bool starred = FStarred;
    FStarred = false;
    if (atGroupStart || starred) {
      if (starred || SkippedDestinations().count(word)) {
        Flush();
        FState.Dest = TDest::Skip;
        return;
      }
    }
    Word(word, hasParam, param);
  }

  void Word(const std::string& w, bool hasParam, int p) {
    if (FState.Dest == TDest::Skip) return;
    if (w == "fonttbl") {
      FState.Dest = TDest::FontTable;
      return;
    }
    if (w == "colortbl") {
      FState.Dest = TDest::ColorTable;
      FColors.clear();
      FR = FG = FB = 0;
      return;
    }
    if (FState.Dest == TDest::FontTable) {
      if (w == "f") FFontIndex = p;
      return;
    }
    if (FState.Dest == TDest::ColorTable) {
      if (w == "red") FR = p;
      if (w == "green") FG = p;
      if (w == "blue") FB = p;
      return;
    }
    const bool on = !hasParam || p != 0;
    if (w == "par" || w == "page" || w == "sect") {
      Flush();
      ApplyParagraph();
      FCursor.insertBlock();
    } else if (w == "line") {
      Char(QChar::LineSeparator);
    } else if (w == "tab") {
      Char(u'\t');
    } else if (w == "emdash") {
      Char(0x2014);
    } else if (w == "endash") {
      Char(0x2013);
    } else if (w == "bullet") {
      Char(0x2022);
    } else if (w == "lquote") {
      Char(0x2018);
    } else if (w == "rquote") {
      Char(0x2019);
    } else if (w == "ldblquote") {
      Char(0x201C);
    } else if (w == "rdblquote") {
      Char(0x201D);
    } else if (w == "u") {
      Char(static_cast<char16_t>(p < 0 ? p + 65536 : p));
      FPendingSkip = FState.UcSkip;
      return;
    } else if (w == "uc") {
      FState.UcSkip = std::max(0, p);
    } else if (w == "deff") {
      FDefaultFont = p;
    } else if (w == "plain") {
      Flush();
      FState.Bold = FState.Italic = FState.Underline = false;
      FState.Font = -1;
      FState.HalfPoints = 24;
      FState.Color = 0;
    } else if (w == "pard") {
      FState.Align = Qt::AlignLeft;
    } else if (w == "ql") {
      FState.Align = Qt::AlignLeft;
    } else if (w == "qc") {
      FState.Align = Qt::AlignHCenter;
    } else if (w == "qr") {
      FState.Align = Qt::AlignRight;
    } else if (w == "qj") {
      FState.Align = Qt::AlignJustify;
    } else if (w == "b") {
      Flush();
      FState.Bold = on;
    } else if (w == "i") {
      Flush();
      FState.Italic = on;
    } else if (w == "ul") {
      Flush();
      FState.Underline = on;
    } else if (w == "ulnone") {
      Flush();
      FState.Underline = false;
    } else if (w == "f") {
      Flush();
      FState.Font = p;
    } else if (w == "fs") {
      Flush();
      if (p > 0) FState.HalfPoints = p;
    } else if (w == "cf") {
      Flush();
      FState.Color = p;
    }
    FPendingSkip = 0;
  }

  void Char(char16_t u) {
    if (FPendingSkip > 0) {
      --FPendingSkip;
      return;
    }
    switch (FState.Dest) {
      case TDest::Skip:
        return;
      case TDest::FontTable:
        if (u == ';')
          EndFontName();
        else
          FFontName += QChar(u);
        return;
      case TDest::ColorTable:
        if (u == ';') {
          FColors.push_back(QColor(FR, FG, FB));
          FR = FG = FB = 0;
        }
        return;
      case TDest::Text:
        break;
    }
    if (u < 0x20 && u != u'\t') return;  // no control characters in the text
    if (FText.isEmpty()) FTextState = FState;
    FText += QChar(u);
  }

  void EndFontName() {
    FFonts[FFontIndex] = FFontName.trimmed();
    FFontName.clear();
  }

  void Flush() {
    if (FText.isEmpty()) return;
    const TState& s = FTextState;
    QTextCharFormat f;
    const int font = s.Font >= 0 ? s.Font : FDefaultFont;
    auto it = FFonts.find(font);
    if (it != FFonts.end() && !it->second.isEmpty()) f.setFontFamilies({it->second});
    f.setFontPointSize(s.HalfPoints / 2.0);
    f.setFontWeight(s.Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.Italic);
    f.setFontUnderline(s.Underline);
    // Entry 0 of the colour table is the automatic colour.
    if (s.Color > 0 && s.Color < static_cast<int>(FColors.size()))
      f.setForeground(FColors[static_cast<size_t>(s.Color)]);
    FCursor.insertText(FText, f);
    FText.clear();
  }

  void ApplyParagraph() {
    QTextBlockFormat bf = FCursor.blockFormat();
    bf.setAlignment(FState.Align);
    FCursor.setBlockFormat(bf);
  }

  const std::string& FIn;
  size_t FPos = 0;
  QTextCursor FCursor;
  TState FState;
  TState FTextState;
  std::vector<TState> FStack;
  bool FGroupStart = false;
  bool FStarred = false;
  int FPendingSkip = 0;
  QString FText;
  std::map<int, QString> FFonts;
  int FFontIndex = 0;
  int FDefaultFont = 0;
  QString FFontName;
  std::vector<QColor> FColors;
  int FR = 0, FG = 0, FB = 0;
};

}  // namespace

void RtfToDocument(const std::string& rtf, QTextDocument& doc) {
  TRtfReader(rtf, doc).Run();
}
