#pragma once
// Every modal interaction of the program goes through one dialogs service: message boxes,
// questions, file, colour, print and number dialogs, the file-exists choice, the shell's
// "open" action and the sounds that go with messages. The real service shows Qt dialogs;
// tests install TScriptedDialogs, which answers from a queue and records what was shown.

#include <QColor>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

class QPrinter;
class QWidget;

enum class TMsgKind { Error, Warning, Information, Confirmation };
enum class TFileExistsChoice { Overwrite, Append, Cancel };

struct TFileDialogOptions {
  std::string Title;
  std::string Filter;  // "TXT files|*.txt|All files|*.*"
  std::string InitialDir;
  std::string FileName;
  std::string DefaultExt;  // without the dot; added when the chosen name has no extension
  bool OverwritePrompt = false;
};

class TDialogs {
 public:
  virtual ~TDialogs() = default;

  // Primitives each service implements.
  virtual void Message(TMsgKind kind, const std::string& caption, const std::string& text) = 0;
  virtual bool YesNo(TMsgKind kind, const std::string& caption, const std::string& text) = 0;
  virtual bool OkCancel(TMsgKind kind, const std::string& caption, const std::string& text) = 0;
  virtual std::optional<std::string> OpenFile(const TFileDialogOptions& o) = 0;
  virtual std::optional<std::string> SaveFile(const TFileDialogOptions& o) = 0;
  virtual std::optional<QColor> ChooseColor(const QColor& initial, const std::string& caption) = 0;
  // The print dialog for printer; true when the user asked to print.
  virtual bool Print(QPrinter& printer) = 0;
  virtual std::optional<int> InputNumber(const std::string& caption, const std::string& label,
                                         int value, int min, int max) = 0;
  virtual TFileExistsChoice FileExists(const std::string& fullName) = 0;
  // The shell's "open" action for a document or web address.
  virtual void OpenDocument(const std::string& target) = 0;
  virtual void Sound(TMsgKind kind) = 0;

  // The program's message helpers, built on the primitives.
  void ShowError(const std::string& text);    // error sound, error box with OK
  bool AskYesNo(const std::string& text);     // error sound, warning box with Yes and No
  void ShowWarning(const std::string& text);  // warning box "Morvex Warning"
  void ShowMessage(const std::string& text);
};

// The service in force; the real one unless a test installed another.
TDialogs& Dialogs();
// Installs d (nullptr: back to the real service) and returns the previous one.
std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> d);

void ShowWarning(const std::string& text);
// The window the real service's dialogs belong to: the active window, or none.
QWidget* DialogParent();
// System beep (also used by the landmark option).
void Beep();

// Points the core's message hooks at the dialogs service.
void InstallCoreDialogHooks();

// Turns "TXT files|*.txt|All|*.*" into Qt's "TXT files (*.txt);;All (*.*)".
std::string QtFilterFromPairs(const std::string& filter);
// Adds .ext to name when it has no extension of its own.
std::string WithDefaultExt(const std::string& name, const std::string& ext);

class TQtDialogs : public TDialogs {
 public:
  void Message(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool YesNo(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool OkCancel(TMsgKind kind, const std::string& caption, const std::string& text) override;
  std::optional<std::string> OpenFile(const TFileDialogOptions& o) override;
  std::optional<std::string> SaveFile(const TFileDialogOptions& o) override;
  std::optional<QColor> ChooseColor(const QColor& initial, const std::string& caption) override;
  bool Print(QPrinter& printer) override;
  std::optional<int> InputNumber(const std::string& caption, const std::string& label, int value,
                                 int min, int max) override;
  TFileExistsChoice FileExists(const std::string& fullName) override;
  void OpenDocument(const std::string& target) override;
  void Sound(TMsgKind kind) override;
};

// A test asked a dialog for which it queued no fitting answer. Handlers and the application
// let it through, so such a test fails loudly instead of seeing an error box.
class EScriptError : public std::logic_error {
 public:
  explicit EScriptError(const std::string& msg) : std::logic_error(msg) {}
};

// Answers from a queue, in order; an answer of the wrong kind, or none left, throws
// EScriptError naming the dialog.
class TScriptedDialogs : public TDialogs {
 public:
  struct TRecord {
    std::string Kind;  // "message", "yesno", "okcancel", "open", "save", "color", "print", ...
    std::string Caption;
    std::string Text;
  };
  struct TCancel {};
  struct TPrintTo {
    std::string PdfFile;
  };
  using TAnswer =
      std::variant<TCancel, bool, std::string, int, QColor, TFileExistsChoice, TPrintTo>;

  void Queue(TAnswer a) { FAnswers.push_back(std::move(a)); }
  void QueueYes() { Queue(true); }
  void QueueNo() { Queue(false); }
  void QueueFile(const std::string& name) { Queue(name); }
  void QueueCancel() { Queue(TCancel{}); }
  void QueueNumber(int n) { Queue(n); }
  void QueueColor(const QColor& c) { Queue(c); }
  void QueueFileExists(TFileExistsChoice c) { Queue(c); }
  // The print dialog answers "print" and sends the printer's output to a PDF file.
  void QueuePrintTo(const std::string& pdfFile) { Queue(TPrintTo{pdfFile}); }

  const std::vector<TRecord>& Records() const { return FRecords; }
  std::vector<std::string> Texts() const;
  bool Shown(const std::string& part) const;  // some recorded text contains part
  int Sounds() const { return FSounds; }
  const std::vector<std::string>& Opened() const { return FOpened; }
  size_t Pending() const { return FAnswers.size(); }
  const TFileDialogOptions& LastFileOptions() const { return FLastFile; }
  void Clear();

  void Message(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool YesNo(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool OkCancel(TMsgKind kind, const std::string& caption, const std::string& text) override;
  std::optional<std::string> OpenFile(const TFileDialogOptions& o) override;
  std::optional<std::string> SaveFile(const TFileDialogOptions& o) override;
  std::optional<QColor> ChooseColor(const QColor& initial, const std::string& caption) override;
  bool Print(QPrinter& printer) override;
  std::optional<int> InputNumber(const std::string& caption, const std::string& label, int value,
                                 int min, int max) override;
  TFileExistsChoice FileExists(const std::string& fullName) override;
  void OpenDocument(const std::string& target) override;
  void Sound(TMsgKind kind) override;

 private:
  TAnswer Next(const std::string& what);
  std::optional<std::string> FileAnswer(const std::string& what, const TFileDialogOptions& o);
  std::deque<TAnswer> FAnswers;
  std::vector<TRecord> FRecords;
  std::vector<std::string> FOpened;
  TFileDialogOptions FLastFile;
  int FSounds = 0;
};

// Installs a scripted service for the lifetime of the object and restores the previous one.
class TScriptedDialogsScope {
 public:
  TScriptedDialogsScope();
  ~TScriptedDialogsScope();
  TScriptedDialogsScope(const TScriptedDialogsScope&) = delete;
  TScriptedDialogsScope& operator=(const TScriptedDialogsScope&) = delete;
  TScriptedDialogs& operator*() { return *FScripted; }
  TScriptedDialogs* operator->() { return FScripted; }

 private:
  TScriptedDialogs* FScripted;
  std::unique_ptr<TDialogs> FPrevious;
};
