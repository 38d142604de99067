#include "windows/Lmkabout.h"

#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "windows/Aboutu.h"
#include "windows/FormParts.h"

TlmkAboutF::TlmkAboutF(QWidget* parent) : QDialog(parent) {
  setObjectName("lmkAboutF");
  setWindowTitle("About Morvex");
  auto outer = std::make_unique<QVBoxLayout>();
  auto panel = std::make_unique<QFrame>();
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  auto v = std::make_unique<QVBoxLayout>();
  auto label = [&](const char* name, const QString& text, QLabel*& field) {
    auto l = std::make_unique<QLabel>(text);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignHCenter);
    l->setWordWrap(true);
    field = l.get();
    v->addWidget(l.release());
  };
  label("ProgramIcon", {}, ProgramIcon);
  ProgramIcon->setPixmap(ProgramPicture(72));
  label("ProductName", "Morvex2", ProductName);
  QFont big = ProductName->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  ProductName->setFont(big);
  label("VersionLabel", "", VersionLabel);
  label("CopyLabel", "", CopyLabel);
  label("Label1", "Landmarks, curves and outlines from specimen images", Label1);
  label("Label2", "Free software for morphometric research", Label2);
  panel->setLayout(v.release());
  Panel1 = panel.get();
  outer->addWidget(panel.release());
  OKButton = AddButton(*outer, "OKButton", "OK", true, Qt::AlignHCenter);
  OKButton->setToolTip("Close window");
  connect(OKButton, &QPushButton::clicked, this, &TlmkAboutF::OKButtonClick);
  setLayout(outer.release());

  // FormCreate
  VersionLabel->setText("Version 2.32");
  CopyLabel->setText(QString("(c) %1 the Morvex2 developers").arg(QDate::currentDate().year()));
  adjustSize();
  if (QScreen* s = QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - rect().center());
}

void TlmkAboutF::OKButtonClick() {
  close();
}
