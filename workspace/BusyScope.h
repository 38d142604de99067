#pragma once
// While a file is read or written the window takes no commands: the core lets window events run
// at fixed points, and they must not start another open, save or step. A progress dialog shows
// how far the work has come.

#include <QObject>
#include <QProgressDialog>
#include <functional>
#include <memory>
#include <string>

#include "workspace/Morvexu2.h"

// Swallows the user's mouse and key input to one window (its dialogs still get theirs).
class TInputBlocker : public QObject {
 public:
  explicit TInputBlocker(QWidget* window) : FWindow(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* FWindow;
};

class TMorvexF::TBusyScope {
 public:
  // permille: how much of the work is done, 0..1000, asked at every yield.
  TBusyScope(TMorvexF& w, const std::string& what, std::function<int()> permille);
  ~TBusyScope();
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TMorvexF& FWindow;
  std::function<void()> FPrevious;
  std::unique_ptr<QProgressDialog> FProgress;
  std::unique_ptr<TInputBlocker> FBlocker;
};

// Progress of a write that yields once per block of specimens.
std::function<int()> BlockProgress(int count, int block = 200);
