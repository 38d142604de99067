#pragma once
// The main window. One class; its handlers are defined in the folders of their features
// (workspace/ for files, navigation, saving, start-up and shutdown; digitize/ for the modes,
// the mouse and the object layer).

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

#include "workspace/Lmkglob.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;
class TImageView;
class TlmkLstF;
class TOutline;
struct TLayerStyle;
class Tixy;

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

  // ---- interaction modes ----
  void SetMode(Tmode m);
  void DigitizeLMmodeSBClick();
  void DigitizeLMmodeMenuClick();
  void EditModeSBClick();
  void EditModeMenuClick();
  void DrawCVmodeSBClick();
  void DrawCVmodeMenuClick();
  void OutlineSBClick();
  void OutlineModeMenuClick();
  void PaintModeSBClick();
  void PaintmodeMenuClick();
  void MeasureModeSBClick();
  void MeasuremodeMenuClick();
  void AngleModeSBClick();
  void AnglemodeMenuClick();
  void horizontalProfileModeMenuClick();
  void verticalProfileModeMenuClick();

  // ---- object layer ----
  int AddLMobject(int xBMP, int yBMP);
  int AddCurveObject(const Tixy& curve);
  int AddOutlineObject(TOutline* Outline);
  void UpdateObjects();
  void RemoveNonLandmarks();
  void MyRemoveAllObjects();
  void lmkPMimageSelectObject();
  void lmkPMimageObjectOver(int hobj);
  void lmkPMimageObjectMoveResize(int hobj, int Grip, int OffsetX, int OffsetY);
  void lmkPMimageObjectClick(int hobj);
  void lmkPMimageObjectDblClick(int hobj);
  void DeleteobjectMenuClick();
  void LabelLMSBClick();
  void LabellandmarksMenuClick();
  void DeleteoutlineMenuClick();
  void DeleteoutlinepointMenuClick();

  // ---- landmarks and the mouse ----
  void lmkPMimageMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int xScreen,
                           int yScreen);
  void lmkPMimageMouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int xScreen,
                           int yScreen);
  void lmkPMimageMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int xScreen,
                         int yScreen);
  void MissingLMSBClick();
  void InsertlandmarkMenuClick();
  void DeletelandmarkMenuClick();
  void MarkLMmissingMnuClick();
  void RestoremissingLMMnuClick();
  // Answers true when the key was handled (and so consumed).
  bool FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
  // The pointer readout of the status bar for a view position.
  std::string PointerReadout(int xScreen, int yScreen) const;

  // ---- opening files and moving between specimens ----
  void OpenfileMenuClick();
  void OpenDataFile(const std::string& FileName, bool AskToSave);
  bool LoadSpecimen(int i);
  bool PutSpecimen(int Current);
  void RightSBClick();
  void LeftSBClick();
  void GotoMenuClick();
  void DeletecurrentspecimenMenuClick();
  void nLMPanelClick();
  void UpdateMenu();
  void ZoomFitSBClick();
  // Asks for a name and saves the image on screen; name receives the chosen name.
  bool SaveImageAs(std::string& name);
  // True while a file is being read or written; commands that would re-enter wait.
  bool Busy() const { return FBusy; }

  // ---- saving, appending, clearing ----
  void SaveMenuClick();
  void SaveSBClick();
  void SaveDataAsMenuClick();
  void AppendfileMenuClick();
  void ClearfileMenuClick();
  void SavejustoutlinesMenuClick();

  // The image view with its object layer.
  TImageView* lmkPMimage = nullptr;

  // File menu.
  QAction* OpenfileMenu = nullptr;
  QAction* AppendfileMenu = nullptr;
  QAction* ClearfileMenu = nullptr;
  QAction* SavejustoutlinesMenu = nullptr;
  QAction* eXit1 = nullptr;
  QAction* SaveMenu = nullptr;
  QAction* SaveAsMenu = nullptr;
  // Edit menu.
  QAction* UndoMenu = nullptr;
  QAction* RedoMenu = nullptr;
  // Specimen menu.
  QAction* NextMenu = nullptr;
  QAction* PreviousMenu = nullptr;
  QAction* GotoMenu = nullptr;
  QAction* DeletecurrentspecimenMenu = nullptr;
  // Modes menu.
  QAction* DigitizeLMModeMenu = nullptr;
  QAction* EditModeMenu = nullptr;
  QAction* DrawCVModeMenu = nullptr;
  QAction* OutlineModeMenu = nullptr;
  QAction* PaintmodeMenu = nullptr;
  QAction* MeasuremodeMenu = nullptr;
  QAction* AnglemodeMenu = nullptr;
  QAction* horizontalProfileModeMenu = nullptr;
  QAction* verticalProfileModeMenu = nullptr;
  QAction* ClosecurveMenu = nullptr;
  // Edit context menu of the view.
  QMenu* EditPopupMenu = nullptr;
  QAction* DeletelandmarkMenu = nullptr;
  QAction* InsertlandmarkMenu = nullptr;
  QAction* MarkLMmissingMnu = nullptr;
  QAction* RestoremissingLMMnu = nullptr;
  QAction* N15 = nullptr;
  QAction* DeletecurvepointMenu = nullptr;
  QAction* DeletecurveMenu = nullptr;
  QAction* ResamplecurveMenu = nullptr;
  QAction* CurveAreaMenu = nullptr;
  QAction* SavecurveareaMenu = nullptr;
  QAction* CurvelengthMenu = nullptr;
  QAction* SavecurvelengthMenu = nullptr;
  QAction* N14 = nullptr;
  QAction* DeleteoutlinepointMenu = nullptr;
  QAction* DeleteoutlineMenu = nullptr;
  QAction* EditmodeMenu2 = nullptr;
  QAction* DigitizemodeMenu = nullptr;
  QAction* CancelMenu = nullptr;
  // Measurement context menu.
  QMenu* MeasurePopupMenu = nullptr;
  QAction* DeleteobjectMenu = nullptr;
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
  QToolButton* OpenSB = nullptr;
  QToolButton* LeftSB = nullptr;
  QToolButton* RightSB = nullptr;
  QToolButton* DigitizeLMmodeSB = nullptr;
  QToolButton* EditModeSB = nullptr;
  QToolButton* DrawCVmodeSB = nullptr;
  QToolButton* OutlineSB = nullptr;
  QToolButton* PaintModeSB = nullptr;
  QToolButton* MeasureModeSB = nullptr;
  QToolButton* AngleModeSB = nullptr;
  QToolButton* MissingLMSB = nullptr;
  QToolButton* ZoomFitSB = nullptr;
  QLineEdit* ZoomEdit = nullptr;

  // Status bar, left to right.
  QLabel* xyPanel = nullptr;
  QLabel* FileNamePanel = nullptr;
  QLabel* nSpecPanel = nullptr;
  QLabel* nLMPanel = nullptr;
  QLabel* TemplatePanel = nullptr;
  QLabel* ScalePanel = nullptr;

  // The central widget: the image view.
  QWidget* ImageArea = nullptr;

  // The web site the Help menu opens.
  static constexpr const char* WebSite = "https://morvex2.example.org/";

 signals:
  // The window has closed and written its settings; the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  class TBusyScope;
  void BuildMenus();
  void BuildModeControls();
  void BuildPopupMenus();
  void BuildImageView();
  void SetModeButtons(QToolButton* down);
  void RestoreModeChecks();
  void DiscardTrialOutline();
  TLayerStyle CurrentLayerStyle() const;
  void SetProfileOff();
  void SetStatus(const std::string& text);
  void AddToListing(const std::string& line);
  void MarkCaptionChanged(const char* marker);
  void EnableNext(bool on);
  void EnablePrevious(bool on);
  void EnableSaveCommands();
  bool HasSpecimen() const { return ActiveSpecimen != nullptr; }
  void AddLandmarkAt(int x, int y);
  void OpenEditMenu(int x, int y);
  void PopupAtCursor(QMenu* menu);
  int FirstSelected() const;
  void StoreBackBeforeSave();
  void StoreBackAndOfferSave();
  std::optional<std::string> ChooseInputFile(const std::string& title);
  void ShowZoomFactor();
  void ShowLandmarkCount(int n);
  bool ChooseSaveTarget(const std::string& title, const std::string& filter,
                        const std::string& defaultExt, std::string& chosen);
  bool AskFileExists(const std::string& path, bool& append);
  void FinishSave();
  bool ReadDataFile(const std::string& path, TdataList& into);
  void AfterOpenReadWalk(bool& constrained, bool& anyOutlines);
  void ShowBlankSpecimen(TSpecimen& spec);
  void ClearScreen();
  void AppendNewSpecimen();
  std::string ResolveImagePath(const std::string& stored) const;
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
  bool FBusy = false;
  QToolButton* FModeDown = nullptr;  // the mode button SetMode last set down
};
