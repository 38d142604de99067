#pragma once
// The application object: an error that escapes an event handler is shown to the user by the
// dialogs service instead of ending the program; a silent abort shows nothing.

#include <QApplication>

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
