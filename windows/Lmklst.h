#pragma once
// The report listing: a rich-text log that every part of the program writes to through add().
// The user can edit it, save it as text, rich text or PDF, print it and load files into it.

#include <QMainWindow>
#include <QTextCharFormat>
#include <memory>
#include <string>
#include <vector>

#include "platform/IniFile.h"

class QAction;
class QComboBox;
class QFontComboBox;
class QTextEdit;
class QToolBar;

class TlmkLstF : public QMainWindow {
  Q_OBJECT
 public:
  explicit TlmkLstF(TIniRef ini, QWidget* parent = nullptr);
  ~TlmkLstF() override;

  void Setup(const std::string& n, const std::string& v, const std::string& cy, int hc);
  void Initialize();
  void add(const std::string& s);
  void do_save(const std::string& FileName);

  // Busy-cursor stack shared with the core's hooks.
  void CursorPush();
  void CursorPop();

  // The file work behind the menu items; errors are raised, the handlers show them.
  void LoadTxtFile(const std::string& fileName);
  void LoadRtfFile(const std::string& fileName);
  void SaveTxtFile(const std::string& fileName) const;
  void SaveRtfFile(const std::string& fileName) const;
  void ExportPdfFile(const std::string& fileName) const;

  // Menu handlers.
  void OpenTXTfileClick();
  void LoadRTFClick();
  void SaveTXTClick();
  void SaveRTFClick();
  void Clear1Click();
  void Print1Click();
  void ExportPDFClick();
  void Exit1Click();
  void Selectall1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Contents1Click();
  void AboutClick();

  QTextEdit* Editor = nullptr;
  QWidget* AdvPanel1 = nullptr;
  QToolBar* AdvRichEditorEditToolBar1 = nullptr;
  QToolBar* AdvRichEditorFormatToolBar = nullptr;
  QAction* OpenTXTfile = nullptr;
  QAction* LoadRTF = nullptr;
  QAction* SaveTXT = nullptr;
  QAction* SaveRTF = nullptr;
  QAction* Clear1 = nullptr;
  QAction* Print1 = nullptr;
  QAction* ExportPDF = nullptr;
  QAction* Exit1 = nullptr;

  bool Reallyexit = false;
  std::string ProgramName;
  std::string ProgVersion;
  std::string CopyYear;
  int HelpContext() const { return FHelpContext; }
  // Lines since the last yield to pending window events (for tests).
  int Yields() const { return FYields; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildMenus();
  void BuildToolBars();
  void Guard(const std::function<void()>& work);
  QTextCharFormat Font(const char* family, double pt, bool bold) const;
  std::string SaveName(const char* filter, const char* ext);

  TIniRef FIni;
  int FHelpContext = 503;
  int FYields = 0;
  std::unique_ptr<std::vector<int>> FCursorStack;
  QFontComboBox* FFontCombo = nullptr;
  QComboBox* FSizeCombo = nullptr;
};
