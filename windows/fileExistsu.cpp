#include "windows/fileExistsu.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "windows/FormParts.h"

TFileExistsF::TFileExistsF(const std::string& fullName, QWidget* parent) : QDialog(parent) {
  setObjectName("FileExistsF");
  setWindowTitle("File exists!");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  auto outer = std::make_unique<QVBoxLayout>();
  auto label = [&](const char* name, const QString& text, QLabel*& field) {
    auto l = std::make_unique<QLabel>(text);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignHCenter);
    field = l.get();
    outer->addWidget(l.release());
  };
  label("ExistsLab", QString::fromStdString("File " + fullName), ExistsLab);
  label("Label1", "exists!", Label1);
  auto buttons = std::make_unique<QHBoxLayout>();
  overwriteBtn = AddButton(*buttons, "overwriteBtn", "Overwrite");
  appendBtn = AddButton(*buttons, "appendBtn", "&Append");
  cancelBtn = AddButton(*buttons, "cancelBtn", "Cancel");
  overwriteBtn->setDefault(true);
  outer->addLayout(buttons.release());
  setLayout(outer.release());
  connect(overwriteBtn, &QPushButton::clicked, this, &TFileExistsF::overwriteBtnClick);
  connect(appendBtn, &QPushButton::clicked, this, &TFileExistsF::appendBtnClick);
  connect(cancelBtn, &QPushButton::clicked, this, &TFileExistsF::cancelBtnClick);

  // Centred on the screen, not on the window that asked.
  adjustSize();
  if (QScreen* s = QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - rect().center());
}

void TFileExistsF::overwriteBtnClick() {
  Foverwrite = true;
  accept();
}

void TFileExistsF::appendBtnClick() {
  Fappend = true;
  accept();
}

void TFileExistsF::cancelBtnClick() {
  reject();
}

TFileExistsChoice TFileExistsF::Choice() const {
  if (Foverwrite) return TFileExistsChoice::Overwrite;
  if (Fappend) return TFileExistsChoice::Append;
  return TFileExistsChoice::Cancel;
}

TFileExistsChoice RunFileExists(QWidget* parent, const std::string& fullName,
                                QPointer<QWidget>* slot) {
  TFileExistsF dlg(fullName, parent);
  if (slot) *slot = &dlg;
  dlg.exec();
  return dlg.Choice();
}
