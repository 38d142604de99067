#include "platform/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <stdexcept>

#include "model/Hooks.h"

namespace {

std::unique_ptr<TDialogs>& Current() {
  static std::unique_ptr<TDialogs> d;
  return d;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QMessageBox::Icon IconOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Error:
      return QMessageBox::Critical;
    case TMsgKind::Warning:
      return QMessageBox::Warning;
    case TMsgKind::Confirmation:
      return QMessageBox::Question;
    case TMsgKind::Information:
      break;
  }
  return QMessageBox::Information;
}

const char* KindName(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Error:
      return "Error";
    case TMsgKind::Warning:
      return "Warning";
    case TMsgKind::Confirmation:
      return "Confirm";
    case TMsgKind::Information:
      break;
  }
  return "Information";
}

int Ask(TMsgKind kind, const std::string& caption, const std::string& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def) {
  QMessageBox box(IconOf(kind), Q(caption.empty() ? KindName(kind) : caption), Q(text), buttons,
                  DialogParent());
  box.setDefaultButton(def);
  return box.exec();
}

}  // namespace

QWidget* DialogParent() {
  return QApplication::activeWindow();
}

void TDialogs::ShowError(const std::string& text) {
  Sound(TMsgKind::Error);
  Message(TMsgKind::Error, "Error", text);
}

bool TDialogs::AskYesNo(const std::string& text) {
  Sound(TMsgKind::Error);
  return YesNo(TMsgKind::Warning, "Warning", text);
}

void TDialogs::ShowWarning(const std::string& text) {
  Message(TMsgKind::Warning, "Morvex Warning", text);
}

void TDialogs::ShowMessage(const std::string& text) {
  Message(TMsgKind::Information, "Morvex2", text);
}

TDialogs& Dialogs() {
  auto& d = Current();
  if (!d) d = std::make_unique<TQtDialogs>();
  return *d;
}

std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> d) {
  auto previous = std::move(Current());
  Current() = d ? std::move(d) : std::make_unique<TQtDialogs>();
  return previous;
}

void ShowWarning(const std::string& text) {
  Dialogs().ShowWarning(text);
}

void Beep() {
  Dialogs().Sound(TMsgKind::Information);
}

void InstallCoreDialogHooks() {
  CoreHooks().ShowError = [](const std::string& s) { Dialogs().ShowError(s); };
  CoreHooks().AskYesNo = [](const std::string& s) { return Dialogs().AskYesNo(s); };
}

std::string QtFilterFromPairs(const std::string& filter) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : filter) {
    if (c == '|') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  parts.push_back(cur);
  if (parts.size() == 1) return filter;
  std::string out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (!out.empty()) out += ";;";
    std::string patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ';') c = ' ';
    out += parts[i] + " (" + patterns + ")";
  }
  return out;
}

std::string WithDefaultExt(const std::string& name, const std::string& ext) {
  if (ext.empty() || name.empty()) return name;
  QFileInfo fi(Q(name));
  if (!fi.suffix().isEmpty()) return name;
  return name + "." + ext;
}

// ---- the real service ----

void TQtDialogs::Message(TMsgKind kind, const std::string& caption, const std::string& text) {
  Ask(kind, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool TQtDialogs::YesNo(TMsgKind kind, const std::string& caption, const std::string& text) {
  return Ask(kind, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
         QMessageBox::Yes;
}

bool TQtDialogs::OkCancel(TMsgKind kind, const std::string& caption, const std::string& text) {
  return Ask(kind, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) ==
         QMessageBox::Ok;
}

std::optional<std::string> TQtDialogs::OpenFile(const TFileDialogOptions& o) {
  QString dir = Q(o.InitialDir);
  if (!o.FileName.empty()) dir = QFileInfo(Q(o.InitialDir), Q(o.FileName)).filePath();
  const QString name =
      QFileDialog::getOpenFileName(DialogParent(), Q(o.Title), dir, Q(QtFilterFromPairs(o.Filter)));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

std::optional<std::string> TQtDialogs::SaveFile(const TFileDialogOptions& o) {
  QString dir = Q(o.InitialDir);
  if (!o.FileName.empty()) dir = QFileInfo(Q(o.InitialDir), Q(o.FileName)).filePath();
  QFileDialog::Options opts;
  if (!o.OverwritePrompt) opts |= QFileDialog::DontConfirmOverwrite;
  const QString name = QFileDialog::getSaveFileName(DialogParent(), Q(o.Title), dir,
                                                    Q(QtFilterFromPairs(o.Filter)), nullptr, opts);
  if (name.isEmpty()) return std::nullopt;
  return WithDefaultExt(name.toStdString(), o.DefaultExt);
}

std::optional<QColor> TQtDialogs::ChooseColor(const QColor& initial, const std::string& caption) {
  const QColor c = QColorDialog::getColor(initial, DialogParent(), Q(caption));
  if (!c.isValid()) return std::nullopt;
  return c;
}

bool TQtDialogs::Print(QPrinter& printer) {
  QPrintDialog dlg(&printer, DialogParent());
  return dlg.exec() == QDialog::Accepted;
}

std::optional<int> TQtDialogs::InputNumber(const std::string& caption, const std::string& label,
                                           int value, int min, int max) {
  bool ok = false;
  const int n = QInputDialog::getInt(DialogParent(), Q(caption), Q(label), value, min, max, 1, &ok);
  if (!ok) return std::nullopt;
  return n;
}

TFileExistsChoice TQtDialogs::FileExists(const std::string& fullName) {
  QMessageBox box(QMessageBox::Warning, "File exists!", Q("File " + fullName + "\nexists!"),
                  QMessageBox::NoButton, DialogParent());
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  QPushButton* over = box.addButton("Overwrite", QMessageBox::AcceptRole);
  QPushButton* app = box.addButton("&Append", QMessageBox::ActionRole);
  box.addButton(QMessageBox::Cancel);
  box.exec();
  if (box.clickedButton() == over) return TFileExistsChoice::Overwrite;
  if (box.clickedButton() == app) return TFileExistsChoice::Append;
  return TFileExistsChoice::Cancel;
}

void TQtDialogs::OpenDocument(const std::string& target) {
  QUrl url(Q(target));
  if (url.scheme().isEmpty() || url.scheme().size() == 1) url = QUrl::fromLocalFile(Q(target));
  if (url.isLocalFile()) {
    // Without a configured viewer there is nothing to open it with; skip quietly.
    const QString mime =
        url.fileName().endsWith(".pdf", Qt::CaseInsensitive) ? "application/pdf" : QString();
    if (!mime.isEmpty()) {
      if (QStandardPaths::findExecutable("xdg-mime").isEmpty()) return;
      QProcess q;
      q.start("xdg-mime", {"query", "default", mime});
      if (!q.waitForFinished(3000) || q.readAllStandardOutput().trimmed().isEmpty()) return;
    }
  }
  QDesktopServices::openUrl(url);
}

void TQtDialogs::Sound(TMsgKind) {
  QApplication::beep();
}

// ---- the scripted service ----

std::vector<std::string> TScriptedDialogs::Texts() const {
  std::vector<std::string> t;
  for (const auto& r : FRecords) t.push_back(r.Text);
  return t;
}

bool TScriptedDialogs::Shown(const std::string& part) const {
  for (const auto& r : FRecords)
    if (r.Text.find(part) != std::string::npos) return true;
  return false;
}

void TScriptedDialogs::Clear() {
  FAnswers.clear();
  FRecords.clear();
  FOpened.clear();
  FSounds = 0;
}

TScriptedDialogs::TAnswer TScriptedDialogs::Next(const std::string& what) {
  if (FAnswers.empty()) throw EScriptError("scripted dialogs: no answer queued for " + what);
  TAnswer a = std::move(FAnswers.front());
  FAnswers.pop_front();
  return a;
}

namespace {
[[noreturn]] void WrongAnswer(const std::string& what) {
  throw EScriptError("scripted dialogs: the queued answer does not fit " + what);
}
}  // namespace

void TScriptedDialogs::Message(TMsgKind kind, const std::string& caption, const std::string& text) {
  FRecords.push_back({std::string("message:") + KindName(kind), caption, text});
}

bool TScriptedDialogs::YesNo(TMsgKind, const std::string& caption, const std::string& text) {
  FRecords.push_back({"yesno", caption, text});
  auto a = Next("yes/no \"" + text + "\"");
  if (auto* b = std::get_if<bool>(&a)) return *b;
  if (std::holds_alternative<TCancel>(a)) return false;
  WrongAnswer("yes/no \"" + text + "\"");
}

bool TScriptedDialogs::OkCancel(TMsgKind, const std::string& caption, const std::string& text) {
  FRecords.push_back({"okcancel", caption, text});
  auto a = Next("OK/Cancel \"" + text + "\"");
  if (auto* b = std::get_if<bool>(&a)) return *b;
  if (std::holds_alternative<TCancel>(a)) return false;
  WrongAnswer("OK/Cancel \"" + text + "\"");
}

std::optional<std::string> TScriptedDialogs::FileAnswer(const std::string& what,
                                                        const TFileDialogOptions& o) {
  FRecords.push_back({what, o.Title, o.Filter});
  FLastFile = o;
  auto a = Next(what + " file dialog");
  if (std::holds_alternative<TCancel>(a)) return std::nullopt;
  if (auto* s = std::get_if<std::string>(&a)) return *s;
  WrongAnswer(what + " file dialog");
}

std::optional<std::string> TScriptedDialogs::OpenFile(const TFileDialogOptions& o) {
  return FileAnswer("open", o);
}

std::optional<std::string> TScriptedDialogs::SaveFile(const TFileDialogOptions& o) {
  auto name = FileAnswer("save", o);
  if (name) return WithDefaultExt(*name, o.DefaultExt);
  return name;
}

std::optional<QColor> TScriptedDialogs::ChooseColor(const QColor&, const std::string& caption) {
  FRecords.push_back({"color", caption, ""});
  auto a = Next("colour dialog");
  if (std::holds_alternative<TCancel>(a)) return std::nullopt;
  if (auto* c = std::get_if<QColor>(&a)) return *c;
  WrongAnswer("colour dialog");
}

bool TScriptedDialogs::Print(QPrinter& printer) {
  FRecords.push_back({"print", "Print", ""});
  auto a = Next("print dialog");
  if (std::holds_alternative<TCancel>(a)) return false;
  if (auto* p = std::get_if<TPrintTo>(&a)) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Q(p->PdfFile));
    return true;
  }
  WrongAnswer("print dialog");
}

std::optional<int> TScriptedDialogs::InputNumber(const std::string& caption,
                                                 const std::string& label, int, int min, int max) {
  FRecords.push_back({"number", caption, label});
  auto a = Next("number dialog");
  if (std::holds_alternative<TCancel>(a)) return std::nullopt;
  if (auto* n = std::get_if<int>(&a)) {
    if (*n < min || *n > max) return std::nullopt;
    return *n;
  }
  WrongAnswer("number dialog");
}

TFileExistsChoice TScriptedDialogs::FileExists(const std::string& fullName) {
  FRecords.push_back({"fileexists", "File exists!", "File " + fullName});
  auto a = Next("file-exists dialog");
  if (std::holds_alternative<TCancel>(a)) return TFileExistsChoice::Cancel;
  if (auto* c = std::get_if<TFileExistsChoice>(&a)) return *c;
  WrongAnswer("file-exists dialog");
}

void TScriptedDialogs::OpenDocument(const std::string& target) {
  FOpened.push_back(target);
}

void TScriptedDialogs::Sound(TMsgKind) {
  ++FSounds;
}

TScriptedDialogsScope::TScriptedDialogsScope() {
  auto s = std::make_unique<TScriptedDialogs>();
  FScripted = s.get();
  FPrevious = SetDialogs(std::move(s));
}

TScriptedDialogsScope::~TScriptedDialogsScope() {
  SetDialogs(std::move(FPrevious));
}
