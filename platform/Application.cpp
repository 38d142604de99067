#include "platform/Application.h"

#include <clocale>

#include "platform/Dialogs.h"
#include "platform/WinPos.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Qt takes the C locale from the environment; the program's own decimal setting decides
  // how numbers are written, so printf-style text must keep the period.
  std::setlocale(LC_NUMERIC, "C");
}

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
