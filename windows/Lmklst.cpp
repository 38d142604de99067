#include "windows/Lmklst.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <fstream>
#include <sstream>

#include "model/Errors.h"
#include "model/Hooks.h"
#include "platform/Cursors.h"
#include "platform/Dialogs.h"
#include "platform/FormatSettings.h"
#include "platform/Rtf.h"
#include "platform/TextCodec.h"
#include "platform/WinPos.h"
#include "windows/Aboutu.h"
#include "windows/HelpWindow.h"

namespace {

// Opens hyperlinks with a single click, as the listing's links are meant to be used.
class TListingEditor : public QTextEdit {
 public:
  using QTextEdit::QTextEdit;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    const QString href = anchorAt(e->pos());
    if (e->button() == Qt::LeftButton && !href.isEmpty()) {
      Dialogs().OpenDocument(href.toStdString());
      return;
    }
    QTextEdit::mouseReleaseEvent(e);
  }
};

std::string ReadFileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw EInOutError("Cannot open file " + name);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFileBytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  if (out) out << bytes;
  out.close();
  if (!out) throw EInOutError("Cannot write file " + name);
}

constexpr const char* kRuleFont = "Courier new";

}  // namespace

TlmkLstF::TlmkLstF(TIniRef ini, QWidget* parent) : QMainWindow(parent), FIni(ini) {
  setObjectName("lmkLstF");
  setWindowTitle("Report listing");
  resize(720, 560);
  auto central = std::make_unique<QWidget>();
  auto layout = std::make_unique<QVBoxLayout>();
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto panel = std::make_unique<QWidget>();
  panel->setObjectName("AdvPanel1");
  auto panelLayout = std::make_unique<QVBoxLayout>();
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->setSpacing(0);
  panel->setLayout(panelLayout.release());
  AdvPanel1 = panel.get();
  layout->addWidget(panel.release());
  auto editor = std::make_unique<TListingEditor>();
  editor->setObjectName("Editor");
  editor->setAcceptRichText(true);
  editor->setLineWrapMode(QTextEdit::NoWrap);
  Editor = editor.get();
  layout->addWidget(editor.release());
  central->setLayout(layout.release());
  setCentralWidget(central.release());

  QFont f("Courier New", 10);
  f.setStyleHint(QFont::Monospace);
  Editor->document()->setDefaultFont(f);
  Editor->setTextColor(Qt::black);
  BuildToolBars();
  BuildMenus();

  // FormCreate
  ReadWinPos(this, FIni.Get(), "lmkLstF");
  Reallyexit = false;
}

TlmkLstF::~TlmkLstF() = default;

void TlmkLstF::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  OpenTXTfile = file->addAction("Open TXT file ...", this, &TlmkLstF::OpenTXTfileClick);
  LoadRTF = file->addAction("Open RT file ...", this, &TlmkLstF::LoadRTFClick);
  SaveTXT = file->addAction("Save TXT file ...", this, &TlmkLstF::SaveTXTClick);
  SaveRTF = file->addAction("Save RT file ...", this, &TlmkLstF::SaveRTFClick);
  file->addSeparator();
  Clear1 = file->addAction("Clear", this, &TlmkLstF::Clear1Click);
  Print1 = file->addAction("Print...", this, &TlmkLstF::Print1Click);
  ExportPDF = file->addAction("Export to PDF ...", this, &TlmkLstF::ExportPDFClick);
  file->addSeparator();
  Exit1 = file->addAction("E&xit", this, &TlmkLstF::Exit1Click);
  QMenu* edit = menuBar()->addMenu("Edit");
  edit->addAction("Select all", this, &TlmkLstF::Selectall1Click);
  edit->addAction("Cut", this, &TlmkLstF::Cut1Click);
  edit->addAction("Copy", this, &TlmkLstF::Copy1Click);
  edit->addAction("Paste", this, &TlmkLstF::Paste1Click);
  QMenu* help = menuBar()->addMenu("Help");
  help->addAction("Contents", this, &TlmkLstF::Contents1Click);
  help->addAction("&About...", this, &TlmkLstF::AboutClick);
}

void TlmkLstF::BuildToolBars() {
  auto edit = std::make_unique<QToolBar>("Edit");
  edit->setObjectName("AdvRichEditorEditToolBar1");
  edit->addAction("Cut", Editor, &QTextEdit::cut)->setToolTip("Cut");
  edit->addAction("Copy", Editor, &QTextEdit::copy)->setToolTip("Copy");
  edit->addAction("Paste", Editor, &QTextEdit::paste)->setToolTip("Paste");
  edit->addAction("Undo", Editor, &QTextEdit::undo)->setToolTip("Undo");
  edit->addAction("Redo", Editor, &QTextEdit::redo)->setToolTip("Redo");
  AdvRichEditorEditToolBar1 = edit.get();
  AdvPanel1->layout()->addWidget(edit.release());

  auto fmt = std::make_unique<QToolBar>("Format");
  fmt->setObjectName("AdvRichEditorFormatToolBar");
  auto fontCombo = std::make_unique<QFontComboBox>();
  fontCombo->setToolTip("Font");
  connect(fontCombo.get(), &QFontComboBox::currentFontChanged, this,
          [this](const QFont& font) { Editor->setFontFamily(font.family()); });
  FFontCombo = fontCombo.get();
  fmt->addWidget(fontCombo.release());
  auto sizeCombo = std::make_unique<QComboBox>();
  sizeCombo->setToolTip("Font size");
  sizeCombo->setEditable(true);
  for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36})
    sizeCombo->addItem(QString::number(s));
  sizeCombo->setCurrentText("10");
  connect(sizeCombo.get(), &QComboBox::textActivated, this, [this](const QString& t) {
    bool ok = false;
    const double pt = t.toDouble(&ok);
    if (ok && pt > 0) Editor->setFontPointSize(pt);
  });
  FSizeCombo = sizeCombo.get();
  fmt->addWidget(sizeCombo.release());
  QAction* bold = fmt->addAction(
      "B", this, [this](bool on) { Editor->setFontWeight(on ? QFont::Bold : QFont::Normal); });
  bold->setCheckable(true);
  bold->setToolTip("Bold");
  QAction* italic = fmt->addAction("I", this, [this](bool on) { Editor->setFontItalic(on); });
  italic->setCheckable(true);
  italic->setToolTip("Italic");
  QAction* underline = fmt->addAction("U", this, [this](bool on) { Editor->setFontUnderline(on); });
  underline->setCheckable(true);
  underline->setToolTip("Underline");
  fmt->addAction("Colour", this,
                 [this] {
                   if (auto c = Dialogs().ChooseColor(Editor->textColor(), "Text colour"))
                     Editor->setTextColor(*c);
                 })
      ->setToolTip("Text colour");
  fmt->addAction("Left", this, [this] { Editor->setAlignment(Qt::AlignLeft); })
      ->setToolTip("Align left");
  fmt->addAction("Centre", this, [this] { Editor->setAlignment(Qt::AlignHCenter); })
      ->setToolTip("Centre");
  fmt->addAction("Right", this, [this] { Editor->setAlignment(Qt::AlignRight); })
      ->setToolTip("Align right");
  connect(Editor, &QTextEdit::currentCharFormatChanged, this,
          [this, bold, italic, underline](const QTextCharFormat& f) {
            const QSignalBlocker b1(bold), b2(italic), b3(underline);
            bold->setChecked(f.fontWeight() >= QFont::Bold);
            italic->setChecked(f.fontItalic());
            underline->setChecked(f.fontUnderline());
            if (f.fontPointSize() > 0)
              FSizeCombo->setCurrentText(QString::number(f.fontPointSize()));
          });
  AdvRichEditorFormatToolBar = fmt.get();
  AdvPanel1->layout()->addWidget(fmt.release());
}

QTextCharFormat TlmkLstF::Font(const char* family, double pt, bool bold) const {
  QTextCharFormat f;
  f.setFontFamilies({QString::fromUtf8(family)});
  f.setFontPointSize(pt);
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  f.setForeground(Qt::black);
  return f;
}

void TlmkLstF::Setup(const std::string& n, const std::string& v, const std::string& cy, int hc) {
  ProgramName = n;
  ProgVersion = v;
  CopyYear = cy;
  FHelpContext = hc;
}

void TlmkLstF::Initialize() {
  QTextCursor c(Editor->document());
  c.movePosition(QTextCursor::End);
  // The header starts on a line of its own.
  if (!c.block().text().isEmpty()) c.insertBlock();
  c.insertText(QString::fromStdString(ProgramName + " "), Font(kRuleFont, 16, true));
  c.insertText(QString::fromStdString("(c) " + CopyYear + " the Morvex2 developers"),
               Font(kRuleFont, 10, false));
  c.insertBlock(QTextBlockFormat(), Font(kRuleFont, 10, false));
  c.insertText(QString::fromStdString("Program version: " + ProgVersion + ", " +
                                      Format("Date/time: %s %s", {DateToStr(), TimeToStr()})),
               Font(kRuleFont, 10, false));
  c.insertBlock(QTextBlockFormat(), Font(kRuleFont, 10, false));
  QFont f(kRuleFont, 10);
  f.setStyleHint(QFont::Monospace);
  Editor->document()->setDefaultFont(f);
  c.insertText(QString(74, '-'), Font(kRuleFont, 10, false));
  c.insertBlock(QTextBlockFormat(), Font(kRuleFont, 10, false));
}

void TlmkLstF::add(const std::string& s) {
  QTextCursor c(Editor->document());
  c.movePosition(QTextCursor::End);
  if (s.size() >= 3 && s.compare(0, 2, "@H") == 0) {
    if (!c.block().text().isEmpty()) c.insertBlock();
    c.insertText(QString::fromStdString(s.substr(2)), Font(kRuleFont, 14, true));
  } else {
    c.insertText(QString::fromStdString(s), Font(kRuleFont, 10, false));
  }
  c.insertBlock(QTextBlockFormat(), Font(kRuleFont, 10, false));
  if (Editor->document()->blockCount() % 200 == 0) {
    ++FYields;
    ProcessMessages();
  }
}

void TlmkLstF::do_save(const std::string&) {}

void TlmkLstF::CursorPush() {
  if (!FCursorStack) FCursorStack = std::make_unique<std::vector<int>>();
  FCursorStack->push_back(Screen().Cursor());
  Screen().SetCursor(crHourGlass);
}

void TlmkLstF::CursorPop() {
  if (!FCursorStack || FCursorStack->empty()) return;  // unpaired pop: nothing to restore
  Screen().SetCursor(FCursorStack->back());
  FCursorStack->pop_back();
}

void TlmkLstF::LoadTxtFile(const std::string& fileName) {
  QString text = DecodeText(ReadFileBytes(fileName));
  text.replace("\r\n", "\n");
  // The line end that Save TXT file adds after the text.
  if (text.endsWith('\n')) text.chop(1);
  Editor->setPlainText(text);
}

void TlmkLstF::LoadRtfFile(const std::string& fileName) {
  const std::string bytes = ReadFileBytes(fileName);
  QTextDocument doc;
  doc.setDefaultFont(Editor->document()->defaultFont());
  RtfToDocument(bytes, doc);  // a file that is not RTF leaves the editor as it was
  Editor->clear();
  Editor->document()->setDefaultFont(doc.defaultFont());
  QTextCursor c(Editor->document());
  c.insertFragment(QTextDocumentFragment(&doc));
}

void TlmkLstF::SaveTxtFile(const std::string& fileName) const {
  QString text = Editor->toPlainText();
  text.replace("\n", "\r\n");
  WriteFileBytes(fileName, (text + "\r\n").toStdString());
}

void TlmkLstF::SaveRtfFile(const std::string& fileName) const {
  WriteFileBytes(fileName, DocumentToRtf(*Editor->document()));
}

void TlmkLstF::ExportPdfFile(const std::string& fileName) const {
  QPdfWriter writer(QString::fromStdString(fileName));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
  writer.setResolution(300);
  writer.setTitle(QString::fromStdString(ProgramName + " report listing"));
  writer.setCreator(QString::fromStdString(ProgramName + " " + ProgVersion));
  const double px = writer.resolution() / 72.0;  // device pixels per point
  const QRectF page(0, 0, writer.width(), writer.height());
  // Margins left 20, top 50, right 20, bottom 50 points; header and footer sit in them.
  const QRectF body = page.adjusted(20 * px, 50 * px, -20 * px, -50 * px);

  std::unique_ptr<QTextDocument> doc(Editor->document()->clone());
  doc->documentLayout()->setPaintDevice(&writer);
  doc->setPageSize(body.size());
  const int pages = std::max(1, doc->pageCount());

  QPainter p;
  if (!p.begin(&writer)) throw EInOutError("Cannot write file " + fileName);
  QFont arial("Arial", 9);
  arial.setStyleHint(QFont::SansSerif);
  for (int i = 0; i < pages; ++i) {
    if (i > 0) writer.newPage();
    p.setFont(arial);
    p.setPen(Qt::black);
    const QRectF header(body.left(), 20 * px, body.width(), 20 * px);
    p.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(ProgramName + " " + ProgVersion + " - Report listing"));
    p.drawText(header, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(DateToStr()));
    const QRectF footer(body.left(), body.bottom() + 10 * px, body.width(), 20 * px);
    p.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
               QString::fromStdString(Format("%d", {i + 1})));
    p.save();
    p.translate(body.left(), body.top() - i * body.height());
    const QRectF clip(0, i * body.height(), body.width(), body.height());
    p.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = clip;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    doc->documentLayout()->draw(&p, ctx);
    p.restore();
  }
  if (!p.end()) throw EInOutError("Cannot write file " + fileName);
}

void TlmkLstF::Guard(const std::function<void()>& work) {
  try {
    work();
  } catch (const EAbort&) {
  } catch (const EScriptError&) {
    throw;
  } catch (const std::exception& e) {
    Dialogs().ShowError(e.what());
  }
}

std::string TlmkLstF::SaveName(const char* filter, const char* ext) {
  TFileDialogOptions o;
  o.Title = "Save listing file";
  o.Filter = filter;
  o.DefaultExt = ext;
  o.OverwritePrompt = true;
  auto name = Dialogs().SaveFile(o);
  return name ? *name : std::string();
}

void TlmkLstF::OpenTXTfileClick() {
  Guard([this] {
    TFileDialogOptions o;
    o.Filter = "TXT files|*.txt";
    if (auto name = Dialogs().OpenFile(o)) LoadTxtFile(*name);
  });
}

void TlmkLstF::LoadRTFClick() {
  Guard([this] {
    TFileDialogOptions o;
    o.Filter = "RT files|*.rtf";
    if (auto name = Dialogs().OpenFile(o)) LoadRtfFile(*name);
  });
}

void TlmkLstF::SaveTXTClick() {
  Guard([this] {
    const std::string name = SaveName("TXT files|*.txt", "TXT");
    if (!name.empty()) SaveTxtFile(name);
  });
}

void TlmkLstF::SaveRTFClick() {
  Guard([this] {
    const std::string name = SaveName("RT files|*.rtf", "rtf");
    if (!name.empty()) SaveRtfFile(name);
  });
}

void TlmkLstF::Clear1Click() {
  Initialize();
}

void TlmkLstF::Print1Click() {
  Guard([this] {
    QPrinter printer(QPrinter::HighResolution);
    if (Dialogs().Print(printer)) Editor->print(&printer);
  });
}

void TlmkLstF::ExportPDFClick() {
  Guard([this] {
    CursorPush();
    try {
      const std::string name = SaveName("PDF files|*.pdf", "pdf");
      if (!name.empty()) {
        ExportPdfFile(name);
        Dialogs().OpenDocument(name);
      }
    } catch (...) {
      CursorPop();
      throw;
    }
    CursorPop();
  });
}

void TlmkLstF::Exit1Click() {
  hide();
}

void TlmkLstF::Selectall1Click() {
  Editor->selectAll();
}
void TlmkLstF::Cut1Click() {
  Editor->cut();
}
void TlmkLstF::Copy1Click() {
  Editor->copy();
}
void TlmkLstF::Paste1Click() {
  Editor->paste();
}

void TlmkLstF::Contents1Click() {
  ShowHelpContents();
}

void TlmkLstF::AboutClick() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "AboutF") {
      w->show();
      w->raise();
      return;
    }
  auto about = std::make_unique<TAboutF>(FIni);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->show();
  about.release();  // frees itself when closed
}

void TlmkLstF::closeEvent(QCloseEvent* e) {
  // Hidden, not freed; the main window frees it at the end.
  try {
    SaveWinPos(this, FIni.Get(), "lmkLstF");
  } catch (const EAbort&) {
  } catch (const EInOutError& err) {
    Dialogs().ShowError(err.what());
  }
  e->accept();
}
