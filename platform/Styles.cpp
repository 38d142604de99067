#include "platform/Styles.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>

namespace {

struct TTheme {
  const char* Name;
  QColor Window, WindowText, Base, AlternateBase, Text, Button, ButtonText, Highlight,
      HighlightedText, Disabled;
};

// Our own themes, all on the Fusion style.
const std::vector<TTheme>& Themes() {
  static const std::vector<TTheme> themes = {
      {"Iceberg Classico", QColor(0xE9, 0xEF, 0xF4), QColor(0x1F, 0x2B, 0x36),
       QColor(0xFF, 0xFF, 0xFF), QColor(0xF2, 0xF6, 0xF9), QColor(0x1F, 0x2B, 0x36),
       QColor(0xDA, 0xE4, 0xEC), QColor(0x1F, 0x2B, 0x36), QColor(0x3B, 0x7E, 0xA8),
       QColor(0xFF, 0xFF, 0xFF), QColor(0x8A, 0x99, 0xA6)},
      {"Graphite Night", QColor(0x2B, 0x2E, 0x33), QColor(0xE4, 0xE6, 0xE8),
       QColor(0x1E, 0x20, 0x24), QColor(0x27, 0x2A, 0x2F), QColor(0xE4, 0xE6, 0xE8),
       QColor(0x38, 0x3C, 0x42), QColor(0xE4, 0xE6, 0xE8), QColor(0x4C, 0x8B, 0xD0),
       QColor(0xFF, 0xFF, 0xFF), QColor(0x7A, 0x7F, 0x86)},
      {"Sandstone", QColor(0xF3, 0xEC, 0xE0), QColor(0x3A, 0x2E, 0x22), QColor(0xFF, 0xFC, 0xF6),
       QColor(0xF8, 0xF2, 0xE8), QColor(0x3A, 0x2E, 0x22), QColor(0xE6, 0xDA, 0xC6),
       QColor(0x3A, 0x2E, 0x22), QColor(0xB0, 0x6A, 0x2C), QColor(0xFF, 0xFF, 0xFF),
       QColor(0x9E, 0x92, 0x82)},
  };
  return themes;
}

const TTheme* FindTheme(const std::string& name) {
  for (const auto& t : Themes())
    if (QString::fromUtf8(t.Name).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
      return &t;
  return nullptr;
}

QString FindQtStyle(const std::string& name) {
  for (const QString& k : QStyleFactory::keys())
    if (k.compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0) return k;
  return {};
}

QPalette PaletteOf(const TTheme& t) {
  QPalette p;
  p.setColor(QPalette::Window, t.Window);
  p.setColor(QPalette::WindowText, t.WindowText);
  p.setColor(QPalette::Base, t.Base);
  p.setColor(QPalette::AlternateBase, t.AlternateBase);
  p.setColor(QPalette::Text, t.Text);
  p.setColor(QPalette::Button, t.Button);
  p.setColor(QPalette::ButtonText, t.ButtonText);
  p.setColor(QPalette::Highlight, t.Highlight);
  p.setColor(QPalette::HighlightedText, t.HighlightedText);
  p.setColor(QPalette::ToolTipBase, t.Base);
  p.setColor(QPalette::ToolTipText, t.Text);
  p.setColor(QPalette::PlaceholderText, t.Disabled);
  p.setColor(QPalette::Link, t.Highlight);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, t.Disabled);
  return p;
}

std::string& Active() {
  static std::string a;
  return a;
}

}  // namespace

std::vector<std::string> TStyleManager::StyleNames() {
  std::vector<std::string> names;
  for (const QString& k : QStyleFactory::keys()) names.push_back(k.toStdString());
  for (const auto& t : Themes()) names.emplace_back(t.Name);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
  });
  return names;
}

bool TStyleManager::IsStyle(const std::string& name) {
  return FindTheme(name) || !FindQtStyle(name).isEmpty();
}

std::string TStyleManager::ActiveStyleName() {
  return Active();
}

void TStyleManager::SetStyle(const std::string& name) {
  if (!TrySetStyle(name)) throw EStyleNotFound("Style '" + name + "' not found");
}

bool TStyleManager::TrySetStyle(const std::string& name) {
  if (!qApp) return false;
  if (const TTheme* t = FindTheme(name)) {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(PaletteOf(*t));
    Active() = t->Name;
    return true;
  }
  const QString key = FindQtStyle(name);
  if (key.isEmpty()) return false;
  QStyle* style = QStyleFactory::create(key);
  if (!style) return false;
  QApplication::setStyle(style);
  QApplication::setPalette(QApplication::style()->standardPalette());
  Active() = key.toStdString();
  return true;
}
