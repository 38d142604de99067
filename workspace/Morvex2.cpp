// Program entry: the application, the style, the main window, the style chooser and the
// generic About window (both hidden), then the message loop until the main window closes.

#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Styles.h"
#include "windows/Aboutu.h"
#include "windows/Lmklst.h"
#include "windows/ProgramDialogs.h"
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

// A data file or image named on the command line (file managers pass it so) is opened once the
// window is up; "-E" may come first.
std::string FileArgument() {
  const std::vector<std::string>& a = ProgramArguments;
  std::size_t k = 1;
  if (k < a.size() && (a[k] == "-E" || a[k] == "-e")) ++k;
  return k < a.size() ? a[k] : std::string();
}

void OpenFileArgument(TMorvexF& main) {
  const std::string file = FileArgument();
  if (file.empty()) return;
  QTimer::singleShot(0, &main, [&main, file] {
    try {
      main.OpenDataFile(std::filesystem::absolute(file).string(), false);
      CurrentSpecimen = std::max(CurrentSpecimen, 1);
    } catch (const std::exception& e) {
      Dialogs().ShowError(e.what());
    }
  });
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  app.setApplicationName("Morvex2");
  for (const QString& a : QCoreApplication::arguments())
    ProgramArguments.push_back(a.toStdString());
  // The number and file-exists questions get the program's own dialogs.
  SetDialogs(std::make_unique<TProgramDialogs>(&FileExistsF, &GetDimsF));
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
  OpenFileArgument(*mainWindow);
  ScheduleScreenshot(*mainWindow);
  // For end-to-end runs: the window as it was when the program ended.
  const QByteArray atExit = qgetenv("MORVEX_SCREENSHOT_AT_EXIT");
  if (!atExit.isEmpty())
    QObject::connect(&app, &QApplication::aboutToQuit, [&mainWindow, atExit] {
      if (mainWindow) mainWindow->grab().save(QString::fromLocal8Bit(atExit));
    });
  const int rc = app.exec();
  about.reset();
  styles.reset();
  mainWindow.reset();
  return rc;
}
