#pragma once
// One QApplication for the whole test program, made on first use.

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "imaging_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: a QApplication torn down among the static destructors at exit
  // crashes in Qt's own input-device cleanup.
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv).release();
  }();
  return *app;
}
