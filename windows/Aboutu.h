#pragma once
// The generic About window: its texts come from section Prog of the settings file.

#include <QDialog>
#include <string>

#include "platform/IniFile.h"

class QLabel;
class QPushButton;
class QFrame;

class TAboutF : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutF(TIniRef ini, QWidget* parent = nullptr);
  void OKButtonClick();

  QFrame* Panel1 = nullptr;
  QLabel* ProgramLogo = nullptr;
  QLabel* ProgNameLab = nullptr;
  QLabel* VersionLab = nullptr;
  QLabel* BitsLab = nullptr;
  QLabel* CreditLab = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* OKButton = nullptr;

  std::string INIname;
  std::string copyyear;
  std::string MyVersion;
  std::string bits;
};

// A small drawn program picture for the About windows.
QPixmap ProgramPicture(int size);
