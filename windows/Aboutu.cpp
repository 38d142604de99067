#include "windows/Aboutu.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/WinPos.h"
#include "windows/FormParts.h"

QPixmap ProgramPicture(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x2B, 0x5F, 0x82), size / 24.0));
  p.setBrush(QColor(0xD6, 0xE6, 0xF0));
  p.drawEllipse(QRectF(size * 0.12, size * 0.25, size * 0.76, size * 0.5));
  p.setBrush(QColor(0xC0, 0x20, 0x20));
  p.setPen(Qt::NoPen);
  for (const QPointF& lm :
       {QPointF(0.12, 0.5), QPointF(0.5, 0.25), QPointF(0.88, 0.5), QPointF(0.5, 0.75)})
    p.drawEllipse(QPointF(lm.x() * size, lm.y() * size), size / 18.0, size / 18.0);
  return pm;
}

namespace {
std::unique_ptr<QLabel> Label(const char* name, const QString& text = {}) {
  auto l = std::make_unique<QLabel>(text);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignHCenter);
  return l;
}
}  // namespace

TAboutF::TAboutF(TIniRef ini, QWidget* parent) : QDialog(parent) {
  setObjectName("AboutF");
  setWindowTitle("About");
  auto outer = std::make_unique<QVBoxLayout>();
  auto panel = std::make_unique<QFrame>();
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  auto v = std::make_unique<QVBoxLayout>();
  auto logo = Label("ProgramLogo");
  logo->setPixmap(ProgramPicture(64));
  ProgramLogo = logo.get();
  v->addWidget(logo.release());
  auto add = [&](const char* name, QLabel*& field) {
    auto l = Label(name);
    field = l.get();
    v->addWidget(l.release());
  };
  add("ProgNameLab", ProgNameLab);
  add("VersionLab", VersionLab);
  add("BitsLab", BitsLab);
  add("CreditLab", CreditLab);
  add("Label1", Label1);
  add("Label2", Label2);
  Label1->setText("Shape digitizing for biologists");
  Label2->setText("Built with Qt " + QString::fromUtf8(qVersion()));
  panel->setLayout(v.release());
  Panel1 = panel.get();
  outer->addWidget(panel.release());
  OKButton = AddButton(*outer, "OKButton", "OK", true, Qt::AlignHCenter);
  OKButton->setToolTip("Close window");
  connect(OKButton, &QPushButton::clicked, this, &TAboutF::OKButtonClick);
  setLayout(outer.release());

  // FormCreate: the settings file is made from INIname when nobody made it yet.
  TIniFile* file = ini.Get();
  std::unique_ptr<TIniFile> own;
  if (!file && !INIname.empty()) {
    own = std::make_unique<TIniFile>(INIname);
    file = own.get();
  }
  adjustSize();
  if (QScreen* s = QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - rect().center());
  ReadWinPos(this, file, "AboutF");
  if (file) {
    ProgNameLab->setText(QString::fromStdString(file->ReadString("Prog", "ProgName", "")));
    MyVersion = file->ReadString("Prog", "ProgVersion", "");
    VersionLab->setText(QString::fromStdString("Version: " + MyVersion));
    copyyear = file->ReadString("Prog", "CopyYear", "");
    bits = file->ReadString("Prog", "bits", "");
    BitsLab->setText(QString::fromStdString(bits));
  } else {
    VersionLab->setText("Version: ");
  }
  CreditLab->setText(QString::fromStdString("(c) " + copyyear + " the program's developers"));
}

void TAboutF::OKButtonClick() {
  close();
}
