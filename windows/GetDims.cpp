#include "windows/GetDims.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "model/NumberFormat.h"
#include "platform/FormatSettings.h"
#include "windows/FormParts.h"

TGetDimsF::TGetDimsF(QWidget* parent) : QDialog(parent) {
  setObjectName("GetDimsF");
  setWindowTitle("Dims");
  auto outer = std::make_unique<QVBoxLayout>();
  auto row = std::make_unique<QHBoxLayout>();
  auto label = std::make_unique<QLabel>("Dimensions:");
  label->setObjectName("EditLabel");
  EditLabel = label.get();
  auto edit = std::make_unique<QLineEdit>();
  edit->setObjectName("DimsEdit");
  edit->setMaxLength(5);
  edit->setToolTip("Enter number of dimensions");
  edit->setValidator(
      std::make_unique<QRegularExpressionValidator>(QRegularExpression("[0-9]*"), edit.get())
          .release());
  DimsEdit = edit.get();
  label->setBuddy(DimsEdit);
  row->addWidget(label.release());
  row->addWidget(edit.release());
  outer->addLayout(row.release());
  auto buttons = std::make_unique<QHBoxLayout>();
  buttons->addStretch();
  CancelBitBtn = AddButton(*buttons, "CancelBitBtn", "Cancel");
  OKBitBtn = AddButton(*buttons, "OKBitBtn", "OK");
  OKBitBtn->setDefault(true);
  outer->addLayout(buttons.release());
  setLayout(outer.release());
  connect(OKBitBtn, &QPushButton::clicked, this, &TGetDimsF::OKBitBtnClick);
  connect(CancelBitBtn, &QPushButton::clicked, this, &TGetDimsF::CancelBitBtnClick);
}

void TGetDimsF::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormShow();
}

void TGetDimsF::FormShow() {
  DimsEdit->setText(QString::fromStdString(Format("%d", {n})));
}

void TGetDimsF::OKBitBtnClick() {
  const int value = StrToInt(DimsEdit->text().toStdString());
  if (nMin <= value && value <= nMax) n = value;
  accept();
}

void TGetDimsF::CancelBitBtnClick() {
  done = true;
  close();
}

bool TGetDimsF::FormCloseQuery() const {
  return done || InRange();
}

void TGetDimsF::FormClose() {
  QDialog::done(InRange() ? Accepted : Rejected);
}

void TGetDimsF::accept() {
  TryClose();
}

void TGetDimsF::reject() {
  TryClose();
}

void TGetDimsF::TryClose() {
  if (FormCloseQuery()) FormClose();
}

std::optional<int> RunGetDims(QWidget* parent, const std::string& caption, const std::string& label,
                              int value, int min, int max, QPointer<QWidget>* slot) {
  TGetDimsF dlg(parent);
  dlg.setWindowTitle(QString::fromStdString(caption));
  dlg.EditLabel->setText(QString::fromStdString(label));
  dlg.n = value;
  dlg.nMin = min;
  dlg.nMax = max;
  if (slot) *slot = &dlg;
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.n;
}
