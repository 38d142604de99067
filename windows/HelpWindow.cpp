#include "windows/HelpWindow.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <memory>

namespace {

const std::map<int, QString>& Topics() {
  static const std::map<int, QString> topics = [] {
    std::map<int, QString> m;
    QFile f(":/help/topics.txt");
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
      while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const auto parts = line.split(' ', Qt::SkipEmptyParts);
        bool ok = false;
        const int n = parts.value(0).toInt(&ok);
        if (ok && parts.size() >= 2) m[n] = parts[1];
      }
    }
    return m;
  }();
  return topics;
}

QPointer<THelpF> GHelp;

}  // namespace

THelpF::THelpF(QWidget* parent) : QMainWindow(parent) {
  setObjectName("HelpF");
  setWindowTitle("Morvex2 Help");
  resize(640, 520);
  auto browser = std::make_unique<QTextBrowser>();
  browser->setObjectName("Browser");
  browser->setSearchPaths({":/help"});
  browser->setOpenExternalLinks(false);
  Browser = browser.get();
  setCentralWidget(browser.release());
  QToolBar* bar = addToolBar("Navigation");
  bar->addAction("Contents", this, &THelpF::ShowContents);
  bar->addAction("Back", Browser, &QTextBrowser::backward);
  bar->addAction("Forward", Browser, &QTextBrowser::forward);
}

QString THelpF::PageOf(int topic) {
  const auto& t = Topics();
  auto it = t.find(topic);
  if (it != t.end() && QFile::exists(":/help/" + it->second)) return it->second;
  return "contents.html";
}

void THelpF::ShowTopic(int topic) {
  Browser->setSource(QUrl("qrc:/help/" + PageOf(topic)));
  show();
  raise();
}

void THelpF::ShowContents() {
  ShowTopic(20);
}

THelpF* HelpWindow() {
  if (!GHelp) {
    auto w = std::make_unique<THelpF>();
    w->setAttribute(Qt::WA_DeleteOnClose);
    GHelp = w.release();  // frees itself when closed
  }
  return GHelp;
}

void ShowHelpTopic(int topic) {
  HelpWindow()->ShowTopic(topic);
}
void ShowHelpContents() {
  HelpWindow()->ShowContents();
}

void CloseHelpWindow() {
  if (GHelp) GHelp->close();
}
