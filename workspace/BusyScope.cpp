#include "workspace/BusyScope.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "model/Hooks.h"

bool TInputBlocker::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (w && w->window() == FWindow) return true;
      break;
    }
    default:
      break;
  }
  return false;
}

TMorvexF::TBusyScope::TBusyScope(TMorvexF& w, const std::string& what,
                                 std::function<int()> permille)
    : FWindow(w), FPrevious(CoreHooks().ProcessMessages) {
  FWindow.FBusy = true;
  // The progress dialog blocks the window only once it shows; until then input is held off here.
  FBlocker = std::make_unique<TInputBlocker>(&w);
  QCoreApplication::instance()->installEventFilter(FBlocker.get());
  FProgress =
      std::make_unique<QProgressDialog>(QString::fromStdString(what), QString(), 0, 1000, &w);
  FProgress->setWindowTitle("Morvex2");
  FProgress->setWindowModality(Qt::WindowModal);
  FProgress->setMinimumDuration(500);
  FProgress->setCancelButton(nullptr);
  FProgress->setAutoClose(false);
  QProgressDialog* p = FProgress.get();
  CoreHooks().ProcessMessages = [p, permille = std::move(permille)] {
    p->setValue(std::clamp(permille(), 0, 1000));
    QCoreApplication::processEvents();
  };
}

TMorvexF::TBusyScope::~TBusyScope() {
  CoreHooks().ProcessMessages = FPrevious;
  QCoreApplication::instance()->removeEventFilter(FBlocker.get());
  FProgress.reset();
  FWindow.FBusy = false;
}

std::function<int()> BlockProgress(int count, int block) {
  auto done = std::make_shared<long long>(0);
  return [done, count, block] {
    *done += block;
    return static_cast<int>(std::min<long long>(1000, *done * 1000 / std::max(count, 1)));
  };
}
