#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/WinPos.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const EAbort&) {
  } catch (const EScriptError&) {
    throw;
  } catch (const std::exception& e) {
    Dialogs().ShowError(e.what());
  }
  return false;
}
