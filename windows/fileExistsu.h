#pragma once
// Asks what to do with a file that is already there: overwrite it, append to it, or neither.

#include <QDialog>
#include <QPointer>
#include <string>

#include "platform/Dialogs.h"

class QLabel;
class QPushButton;

class TFileExistsF : public QDialog {
  Q_OBJECT
 public:
  explicit TFileExistsF(const std::string& fullName, QWidget* parent = nullptr);

  void overwriteBtnClick();
  void appendBtnClick();
  void cancelBtnClick();
  // What the buttons chose; Cancel when neither flag is set.
  TFileExistsChoice Choice() const;

  QLabel* ExistsLab = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* overwriteBtn = nullptr;
  QPushButton* appendBtn = nullptr;
  QPushButton* cancelBtn = nullptr;

  bool Fappend = false;
  bool Foverwrite = false;
};

// Shows the file-exists dialog modally. While it is open, *slot (when given) points at it.
TFileExistsChoice RunFileExists(QWidget* parent, const std::string& fullName,
                                QPointer<QWidget>* slot = nullptr);
