#pragma once
// The program's dialogs service: the real Qt one, but with the program's own number and
// file-exists dialogs. Each of those is recorded in a caller's window variable while open.

#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

class TProgramDialogs : public TQtDialogs {
 public:
  explicit TProgramDialogs(QPointer<QWidget>* fileExistsSlot = nullptr,
                           QPointer<QWidget>* getDimsSlot = nullptr);

  std::optional<int> InputNumber(const std::string& caption, const std::string& label, int value,
                                 int min, int max) override;
  TFileExistsChoice FileExists(const std::string& fullName) override;

 private:
  QPointer<QWidget>* FFileExistsSlot;
  QPointer<QWidget>* FGetDimsSlot;
};
