#include "platform/WinPos.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <sstream>

#include "model/NumberFormat.h"
#include "model/Text.h"
#include "platform/IniFile.h"

namespace {
QPointer<QWidget> GMainWindow;
constexpr int SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3;
}  // namespace

void SetApplicationMainWindow(QWidget* w) {
  GMainWindow = w;
}

TWindowPlacement GetWindowPlacement(const QWidget* window) {
  if (!window) throw EAbort("Unable to retrieve window placement");
  QRect normal = window->isMaximized() || window->isMinimized() ? window->normalGeometry()
                                                                : window->geometry();
  if (!normal.isValid()) normal = window->geometry();
  if (!normal.isValid()) throw EAbort("Unable to retrieve window placement");
  // The frame's corner, as a window placement gives it, with the client size.
  const QPoint corner =
      window->isVisible() && !window->isMaximized() ? window->pos() : normal.topLeft();
  int show = SW_SHOWNORMAL;
  if (window->isMinimized())
    show = SW_SHOWMINIMIZED;
  else if (window->isMaximized())
    show = SW_SHOWMAXIMIZED;
  if (show == SW_SHOWNORMAL && GMainWindow && window == GMainWindow.data() &&
      GMainWindow->isMinimized())
    show = SW_SHOWMINIMIZED;
  return {0,
          show,
          -1,
          -1,
          -1,
          -1,
          corner.x(),
          corner.y(),
          corner.x() + normal.width(),
          corner.y() + normal.height()};
}

std::string PlacementText(const TWindowPlacement& p) {
  std::string s;
  for (size_t i = 0; i < p.size(); ++i) {
    if (i) s += ' ';
    s += std::to_string(p[i]);
  }
  return s;
}

std::optional<TWindowPlacement> ParsePlacement(const std::string& text) {
  std::vector<std::string> words;
  SplitWords(text, ' ', words);
  std::vector<int> v;
  for (const auto& w : words) {
    if (w.empty()) continue;
    int n = 0;
    if (!TryStrToInt(w, n)) return std::nullopt;
    v.push_back(n);
  }
  if (v.size() != 10) return std::nullopt;
  TWindowPlacement p{};
  std::copy(v.begin(), v.end(), p.begin());
  return p;
}

void SaveWinPos(const QWidget* window, TIniFile* ini, const std::string& key) {
  if (!ini) return;
  ini->WriteString("WinPos", key, PlacementText(GetWindowPlacement(window)));
}

std::optional<TWindowPlacement> ReadWinPos(QWidget* window, TIniFile* ini, const std::string& key) {
  if (!ini) return std::nullopt;
  auto p = ParsePlacement(ini->ReadString("WinPos", key, ""));
  if (p && window) ApplyPlacement(window, *p);
  return p;
}

void ApplyPlacement(QWidget* window, const TWindowPlacement& p) {
  QRect r(QPoint(p[6], p[7]), QSize(p[8] - p[6], p[9] - p[7]));
  if (r.width() < 50 || r.height() < 50) return;
  // Keep it on a screen that exists now: the one holding most of it, else the primary one.
  QScreen* screen = QGuiApplication::screenAt(r.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect avail = screen->availableGeometry();
    r.setWidth(std::min(r.width(), avail.width()));
    r.setHeight(std::min(r.height(), avail.height()));
    if (r.right() > avail.right()) r.moveRight(avail.right());
    if (r.bottom() > avail.bottom()) r.moveBottom(avail.bottom());
    if (r.left() < avail.left()) r.moveLeft(avail.left());
    if (r.top() < avail.top()) r.moveTop(avail.top());
  }
  window->resize(r.size());
  window->move(r.topLeft());
  if (p[1] == SW_SHOWMAXIMIZED) window->setWindowState(window->windowState() | Qt::WindowMaximized);
}
