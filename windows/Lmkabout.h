#pragma once
// The program's own About window, opened from the main window's Help menu.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TlmkAboutF : public QDialog {
  Q_OBJECT
 public:
  explicit TlmkAboutF(QWidget* parent = nullptr);
  void OKButtonClick();

  QFrame* Panel1 = nullptr;
  QLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* CopyLabel = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* OKButton = nullptr;
};
