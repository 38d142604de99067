#pragma once
// The main window. One class; its handlers are defined in the folders of their features
// (workspace/ for files, navigation, saving, start-up and shutdown).

#include <QMainWindow>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;
class TlmkLstF;

class TMorvexF : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMorvexF(QWidget* parent = nullptr);
  ~TMorvexF() override;

  // Start-up and shutdown.
  void FormCreate();
  bool FormCloseQuery();
  void FormClose();

  // Menu and button handlers.
  void eXit1Click();
  void Contents1Click();
  void About1Click();
  void WebSiteClick();
  void ViewlistingMenuClick();
  void DecimalMenuPeriodClick();
  void DecimalMenuCommaClick();
  void WindowsStylesClick();
  void TemplateMenuClick();
  void ClockwiseOutlinesMenuClick();

  // File menu.
  QAction* eXit1 = nullptr;
  QAction* SaveMenu = nullptr;
  QAction* SaveAsMenu = nullptr;
  // View menu.
  QAction* ViewlistingMenu = nullptr;
  // Options menu.
  QAction* LabellandmarksMenu = nullptr;
  QAction* TemplateMenu = nullptr;
  QAction* FitToWindowMnu = nullptr;
  QAction* MousewheelzoomsMenu = nullptr;
  QAction* BeeponLMmnu = nullptr;
  QAction* ToggleEditLMmodesMenu = nullptr;
  QAction* OutlinelengthinstepsMenu = nullptr;
  QAction* ClockwiseOutlinesMenu = nullptr;
  QAction* ConfirmmissingCB = nullptr;
  QAction* ImageToolsMenu = nullptr;
  QAction* IncludeimagepathMenu = nullptr;
  QAction* QuerysaveimageMenu = nullptr;
  QAction* WarnlandmarksnotsameMenu = nullptr;
  QAction* RetainzoomMenu = nullptr;
  QAction* DecimalMenuPeriod = nullptr;
  QAction* DecimalMenuComma = nullptr;
  QAction* WindowsStylesMenu = nullptr;
  // Help menu.
  QAction* Contents1 = nullptr;
  QAction* About1 = nullptr;
  QAction* WebSiteMenu = nullptr;

  // Tool bar.
  QToolBar* ToolPanel = nullptr;
  QToolButton* CloseSB = nullptr;
  QToolButton* SaveSB = nullptr;
  QToolButton* LabelLMSB = nullptr;
  QToolButton* ZoomFitSB = nullptr;
  QLineEdit* ZoomEdit = nullptr;

  // Status bar, left to right.
  QLabel* xyPanel = nullptr;
  QLabel* FileNamePanel = nullptr;
  QLabel* nSpecPanel = nullptr;
  QLabel* nLMPanel = nullptr;
  QLabel* TemplatePanel = nullptr;
  QLabel* ScalePanel = nullptr;

  // Where the image view goes.
  QWidget* ImageArea = nullptr;

  // The web site the Help menu opens.
  static constexpr const char* WebSite = "https://morvex2.example.org/";

 signals:
  // The window has closed and written its settings; the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void ReadSettings();
  void WriteSettings();
  void ReadDecimalChar();
  void ReadStyle();
  int SafeIniInt(const std::string& section, const std::string& key, int def);

  std::unique_ptr<TlmkLstF> FListing;
  QActionGroup* FDecimalGroup = nullptr;
  bool FClosed = false;
};
