// Program entry: the application, the style, the main window, the style chooser and the
// generic About window (both hidden), then the message loop until the main window closes.

#include <QScreen>
#include <QTimer>
#include <memory>

#include "platform/Application.h"
#include "platform/Styles.h"
#include "windows/Aboutu.h"
#include "windows/Lmklst.h"
#include "windows/WindowsStylesDialog.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

namespace {

// For the end-to-end run: MORVEX_SCREENSHOT=<file.png> saves the main window (and beside it
// the listing) once they are on screen and then closes the program the normal way.
void ScheduleScreenshot(TMorvexF& main) {
  const QByteArray shot = qgetenv("MORVEX_SCREENSHOT");
  if (shot.isEmpty()) return;
  QTimer::singleShot(1500, &main, [&main, file = QString::fromLocal8Bit(shot)] {
    main.grab().save(file);
    if (lmkLstF) {
      QString listing = file;
      listing.replace(".png", "-listing.png");
      lmkLstF->grab().save(listing);
    }
    main.close();
  });
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  app.setApplicationName("Morvex2");
  for (const QString& a : QCoreApplication::arguments())
    ProgramArguments.push_back(a.toStdString());
  InstallApplicationHooks();
  TStyleManager::TrySetStyle("Iceberg Classico");

  auto mainWindow = std::make_unique<TMorvexF>();
  QObject::connect(mainWindow.get(), &TMorvexF::Closed, &app, &QApplication::quit);
  mainWindow->show();
  auto styles = std::make_unique<TAvailableStylesF>(ProgramIni(), mainWindow.get());
  AvailableStylesF = styles.get();
  auto about = std::make_unique<TAboutF>(ProgramIni());
  AboutF = about.get();
  if (qEnvironmentVariableIsSet("MORVEX_SCREENSHOT")) mainWindow->ViewlistingMenuClick();
  ScheduleScreenshot(*mainWindow);
  const int rc = app.exec();
  about.reset();
  styles.reset();
  mainWindow.reset();
  return rc;
}
