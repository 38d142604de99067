#include "windows/WindowsStylesDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Dialogs.h"
#include "platform/Styles.h"
#include "windows/FormParts.h"

TAvailableStylesF::TAvailableStylesF(TIniRef ini, QWidget* mainWindow, QWidget* parent)
    : QDialog(parent), FIni(ini), FMainWindow(mainWindow) {
  setObjectName("AvailableStylesF");
  setWindowTitle("Window styles");
  auto grid = std::make_unique<QGridLayout>();
  auto combo = std::make_unique<QComboBox>();
  combo->setObjectName("AvailableStylesCombo");
  AvailableStylesCombo = combo.get();
  auto edit = std::make_unique<QLineEdit>();
  edit->setObjectName("CurrentStyleEdit");
  edit->setReadOnly(true);
  CurrentStyleEdit = edit.get();
  grid->addWidget(std::make_unique<QLabel>("Available Styles:").release(), 0, 0);
  grid->addWidget(combo.release(), 0, 1);
  grid->addWidget(std::make_unique<QLabel>("Current style:").release(), 1, 0);
  grid->addWidget(edit.release(), 1, 1);
  auto buttons = std::make_unique<QHBoxLayout>();
  PreviewBtn = AddButton(*buttons, "PreviewBtn", "Preview");
  OKBitBtn = AddButton(*buttons, "OKBitBtn", "OK");
  CancelBitBtn = AddButton(*buttons, "CancelBitBtn", "Cancel");
  CancelBitBtn->setToolTip("Restore original style");
  grid->addLayout(buttons.release(), 2, 0, 1, 2);
  setLayout(grid.release());
  connect(PreviewBtn, &QPushButton::clicked, this, &TAvailableStylesF::PreviewBtnClick);
  connect(OKBitBtn, &QPushButton::clicked, this, &TAvailableStylesF::OKBitBtnClick);
  connect(CancelBitBtn, &QPushButton::clicked, this, &TAvailableStylesF::CancelBitBtnClick);

  // FormCreate
  for (const auto& n : TStyleManager::StyleNames())
    AvailableStylesCombo->addItem(QString::fromStdString(n));
  OriginalStyle = TStyleManager::ActiveStyleName();
  CurrentStyleEdit->setText(QString::fromStdString(OriginalStyle));
  AvailableStylesCombo->setCurrentIndex(
      AvailableStylesCombo->findText(QString::fromStdString(OriginalStyle)));
}

TAvailableStylesF::~TAvailableStylesF() {
  if (FMainWindow) FMainWindow->setEnabled(true);
}

void TAvailableStylesF::Activate(const std::string& name) {
  try {
    TStyleManager::SetStyle(name);
  } catch (const EStyleNotFound& e) {
    Dialogs().ShowError(e.what());
  }
}

void TAvailableStylesF::PreviewBtnClick() {
  Activate(AvailableStylesCombo->currentText().toStdString());
  if (FMainWindow) FMainWindow->setEnabled(false);
}

void TAvailableStylesF::CancelBitBtnClick() {
  if (!CurrentStyleEdit->text().isEmpty()) Activate(CurrentStyleEdit->text().toStdString());
  reject();
}

void TAvailableStylesF::OKBitBtnClick() {
  Activate(AvailableStylesCombo->currentText().toStdString());
  if (TIniFile* ini = FIni.Get())
    ini->WriteString("Style", "Name", TStyleManager::ActiveStyleName());
  accept();
}

void TAvailableStylesF::done(int r) {
  // The main window is usable again however the chooser closes.
  if (FMainWindow) FMainWindow->setEnabled(true);
  QDialog::done(r);
}
