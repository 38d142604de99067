#pragma once
// The window-style chooser: preview a style, keep it with OK or go back with Cancel.

#include <QDialog>
#include <QPointer>
#include <string>

#include "platform/IniFile.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TAvailableStylesF : public QDialog {
  Q_OBJECT
 public:
  // mainWindow is disabled while a previewed style is on trial.
  TAvailableStylesF(TIniRef ini, QWidget* mainWindow, QWidget* parent = nullptr);
  ~TAvailableStylesF() override;

  void PreviewBtnClick();
  void CancelBitBtnClick();
  void OKBitBtnClick();

  QComboBox* AvailableStylesCombo = nullptr;
  QLineEdit* CurrentStyleEdit = nullptr;
  QPushButton* CancelBitBtn = nullptr;
  QPushButton* OKBitBtn = nullptr;
  QPushButton* PreviewBtn = nullptr;

 protected:
  void done(int r) override;

 private:
  void Activate(const std::string& name);
  TIniRef FIni;
  QPointer<QWidget> FMainWindow;
  std::string OriginalStyle;
};
