#include "workspace/Morvexu2.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "imaging/ImageView.h"
#include "model/Errors.h"
#include "platform/Cursors.h"
#include "platform/Dialogs.h"
#include "platform/FormatSettings.h"
#include "platform/Styles.h"
#include "platform/WinPos.h"
#include "windows/Aboutu.h"
#include "windows/HelpWindow.h"
#include "windows/Lmkabout.h"
#include "windows/Lmklst.h"
#include "windows/WindowsStylesDialog.h"
#include "workspace/Lmkglob.h"
#include "workspace/MORVEX2_IDH.h"

namespace {

QAction* Check(QMenu* menu, const char* name, const char* text, bool checked) {
  QAction* a = menu->addAction(text);
  a->setObjectName(name);
  a->setCheckable(true);
  a->setChecked(checked);
  return a;
}

std::unique_ptr<QLabel> Panel(const char* name, const char* hint, int width) {
  auto l = std::make_unique<QLabel>();
  l->setObjectName(name);
  l->setToolTip(hint);
  l->setStatusTip(hint);
  l->setMinimumWidth(width);
  l->setFrameShape(QFrame::StyledPanel);
  return l;
}

}  // namespace

TMorvexF::TMorvexF(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MorvexF");
  resize(1000, 720);
  BuildMenus();
  BuildToolBar();
  BuildModeControls();
  BuildPopupMenus();
  BuildStatusBar();
  BuildImageView();
  MorvexF = this;
  SetApplicationMainWindow(this);
  FormCreate();
}

TMorvexF::~TMorvexF() {
  if (lmkLstF == FListing.get()) lmkLstF = nullptr;
  if (MorvexF == this) MorvexF = nullptr;
}

void TMorvexF::BuildMenus() {
  auto item = [this](QMenu* menu, const char* name, const char* text, auto handler) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, handler] {
      (this->*handler)();
      RestoreModeChecks();
    });
    return a;
  };
  QMenu* file = menuBar()->addMenu("&File");
  QMenu* input = file->addMenu("Input source");
  OpenfileMenu = item(input, "OpenfileMenu", "&File...", &TMorvexF::OpenfileMenuClick);
  OpenfileMenu->setShortcut(QKeySequence::Open);
  AppendfileMenu =
      item(file, "AppendfileMenu", "Append lmk file ...", &TMorvexF::AppendfileMenuClick);
  AppendfileMenu->setStatusTip("Append to current file");
  file->addSeparator();
  SaveMenu = item(file, "SaveMenu", "&Save data...", &TMorvexF::SaveMenuClick);
  SaveMenu->setShortcut(QKeySequence::Save);
  SaveAsMenu = item(file, "SaveAsMenu", "Save data &as...", &TMorvexF::SaveDataAsMenuClick);
  SavejustoutlinesMenu = item(file, "SavejustoutlinesMenu", "Save just &outlines...",
                              &TMorvexF::SavejustoutlinesMenuClick);
  SavejustoutlinesMenu->setEnabled(false);
  ClearfileMenu = item(file, "ClearfileMenu", "&Clear data...", &TMorvexF::ClearfileMenuClick);
  file->addSeparator();
  eXit1 = file->addAction("e&Xit", this, &TMorvexF::eXit1Click);
  eXit1->setObjectName("eXit1");
  eXit1->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu("&Edit");
  UndoMenu = edit->addAction("&Undo ");
  UndoMenu->setObjectName("UndoMenu");
  UndoMenu->setEnabled(false);
  RedoMenu = edit->addAction("&Redo ");
  RedoMenu->setObjectName("RedoMenu");
  RedoMenu->setEnabled(false);

  QMenu* specimen = menuBar()->addMenu("&Specimen");
  NextMenu = item(specimen, "NextMenu", "&Next ", &TMorvexF::RightSBClick);
  PreviousMenu = item(specimen, "PreviousMenu", "&Previous", &TMorvexF::LeftSBClick);
  GotoMenu = item(specimen, "GotoMenu", "&Go to specimen ...", &TMorvexF::GotoMenuClick);
  specimen->addSeparator();
  DeletecurrentspecimenMenu = item(specimen, "DeletecurrentspecimenMenu", "Delete current specimen",
                                   &TMorvexF::DeletecurrentspecimenMenuClick);
  NextMenu->setEnabled(false);
  PreviousMenu->setEnabled(false);
  GotoMenu->setEnabled(false);

  QMenu* modes = menuBar()->addMenu("&Modes");
  auto mode = [&](const char* name, const char* text, auto handler) {
    QAction* a = item(modes, name, text, handler);
    a->setCheckable(true);
    return a;
  };
  DigitizeLMModeMenu =
      mode("DigitizeLMModeMenu", "Digitize landmarks", &TMorvexF::DigitizeLMmodeMenuClick);
  EditModeMenu = mode("EditModeMenu", "Edit mode", &TMorvexF::EditModeMenuClick);
  DrawCVModeMenu = mode("DrawCVModeMenu", "Draw curves", &TMorvexF::DrawCVmodeMenuClick);
  OutlineModeMenu = mode("OutlineModeMenu", "Outline mode", &TMorvexF::OutlineModeMenuClick);
  PaintmodeMenu = mode("PaintmodeMenu", "Draw on image mode", &TMorvexF::PaintmodeMenuClick);
  MeasuremodeMenu = mode("MeasuremodeMenu", "Measure mode", &TMorvexF::MeasuremodeMenuClick);
  AnglemodeMenu = mode("AnglemodeMenu", "Angle mode", &TMorvexF::AnglemodeMenuClick);
  QMenu* profile = modes->addMenu("Profile");
  horizontalProfileModeMenu = item(profile, "horizontalProfileModeMenu", "horizonal",
                                   &TMorvexF::horizontalProfileModeMenuClick);
  verticalProfileModeMenu =
      item(profile, "verticalProfileModeMenu", "vertical", &TMorvexF::verticalProfileModeMenuClick);
  horizontalProfileModeMenu->setCheckable(true);
  verticalProfileModeMenu->setCheckable(true);
  horizontalProfileModeMenu->setChecked(true);
  modes->addSeparator();
  ClosecurveMenu = Check(modes, "ClosecurveMenu", "Close curve", false);

  QMenu* view = menuBar()->addMenu("&View");
  ViewlistingMenu = view->addAction("View listing...", this, &TMorvexF::ViewlistingMenuClick);
  ViewlistingMenu->setObjectName("ViewlistingMenu");

  QMenu* options = menuBar()->addMenu("&Options");
  LabellandmarksMenu = Check(options, "LabellandmarksMenu", "Label landmarks", false);
  LabellandmarksMenu->setStatusTip("Number the landmarks?");
  connect(LabellandmarksMenu, &QAction::triggered, this, &TMorvexF::LabellandmarksMenuClick);
  TemplateMenu = Check(options, "TemplateMenu", "Template mode", false);
  connect(TemplateMenu, &QAction::triggered, this, &TMorvexF::TemplateMenuClick);
  FitToWindowMnu = Check(options, "FitToWindowMnu", "Fit to window", true);
  RetainzoomMenu = Check(options, "RetainzoomMenu", "Retain zoom", false);
  MousewheelzoomsMenu = Check(options, "MousewheelzoomsMenu", "Mouse wheel zooms", false);
  options->addSeparator();
  BeeponLMmnu = Check(options, "BeeponLMmnu", "Beep on landmark added", false);
  ToggleEditLMmodesMenu = Check(options, "ToggleEditLMmodesMenu", "Toggle Edit/LM modes", true);
  ConfirmmissingCB = Check(options, "ConfirmmissingCB", "Confirm insert missing landmarks?", true);
  WarnlandmarksnotsameMenu =
      Check(options, "WarnlandmarksnotsameMenu", "Warn if landmark counts differ", true);
  IncludeimagepathMenu = Check(options, "IncludeimagepathMenu", "Include image path", false);
  QuerysaveimageMenu = Check(options, "QuerysaveimageMenu", "Query save image", true);
  options->addSeparator();
  OutlinelengthinstepsMenu =
      Check(options, "OutlinelengthinstepsMenu", "Outline length in steps", true);
  ClockwiseOutlinesMenu = Check(options, "ClockwiseOutlinesMenu", "Clockwise outlines", false);
  connect(ClockwiseOutlinesMenu, &QAction::triggered, this, &TMorvexF::ClockwiseOutlinesMenuClick);
  ImageToolsMenu = Check(options, "ImageToolsMenu", "Image tools", false);
  options->addSeparator();
  QMenu* decimal = options->addMenu("Decimal character");
  FDecimalGroup = std::make_unique<QActionGroup>(this).release();  // the window owns it
  FDecimalGroup->setExclusive(true);
  DecimalMenuPeriod = Check(decimal, "DecimalMenuPeriod", "Period (.)", true);
  DecimalMenuComma = Check(decimal, "DecimalMenuComma", "Comma (,)", false);
  FDecimalGroup->addAction(DecimalMenuPeriod);
  FDecimalGroup->addAction(DecimalMenuComma);
  connect(DecimalMenuPeriod, &QAction::triggered, this, &TMorvexF::DecimalMenuPeriodClick);
  connect(DecimalMenuComma, &QAction::triggered, this, &TMorvexF::DecimalMenuCommaClick);
  options->addSeparator();
  WindowsStylesMenu = options->addAction("Windows styles ...", this, &TMorvexF::WindowsStylesClick);
  WindowsStylesMenu->setObjectName("WindowsStylesMenu");

  QMenu* help = menuBar()->addMenu("&Help");
  Contents1 = help->addAction("Contents", this, &TMorvexF::Contents1Click);
  Contents1->setObjectName("Contents1");
  WebSiteMenu = help->addAction("Morvex2 on the web", this, &TMorvexF::WebSiteClick);
  WebSiteMenu->setObjectName("WebSiteMenu");
  About1 = help->addAction("About...", this, &TMorvexF::About1Click);
  About1->setObjectName("About1");
}

void TMorvexF::BuildToolBar() {
  ToolPanel = addToolBar("Tools");
  ToolPanel->setObjectName("ToolPanel");
  ToolPanel->setMovable(false);
  auto button = [this](const char* name, const char* text, const char* hint) {
    auto b = std::make_unique<QToolButton>();
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    QToolButton* p = b.get();
    ToolPanel->addWidget(b.release());
    return p;
  };
  OpenSB = button("OpenSB", "Open", "Open data or image file");
  OpenSB->setDefaultAction(OpenfileMenu);
  SaveSB = button("SaveSB", "Save", "Save data to LMK file");
  SaveSB->setDefaultAction(SaveMenu);
  SaveSB->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ToolPanel->addSeparator();
  LeftSB = button("LeftSB", "<", "Get previous image");
  connect(LeftSB, &QToolButton::clicked, this, &TMorvexF::LeftSBClick);
  RightSB = button("RightSB", ">", "Get next image");
  connect(RightSB, &QToolButton::clicked, this, &TMorvexF::RightSBClick);
  LeftSB->setEnabled(false);
  RightSB->setEnabled(false);
  ToolPanel->addSeparator();
  // A setting shown by a button and a menu item is one setting: they share the action.
  LabelLMSB = button("LabelLMSB", "#", "Label landmarks");
  LabellandmarksMenu->setIconText("#");
  LabellandmarksMenu->setToolTip("Label landmarks");
  LabelLMSB->setDefaultAction(LabellandmarksMenu);
  ZoomFitSB = button("ZoomFitSB", "fit", "Fit image to window");
  FitToWindowMnu->setIconText("fit");
  FitToWindowMnu->setToolTip("Fit image to window");
  ZoomFitSB->setDefaultAction(FitToWindowMnu);
  auto zoom = std::make_unique<QLineEdit>("1");
  zoom->setObjectName("ZoomEdit");
  zoom->setToolTip("Zoom factor");
  zoom->setMaximumWidth(60);
  ZoomEdit = zoom.get();
  ToolPanel->addWidget(zoom.release());
  ToolPanel->addSeparator();
  CloseSB = button("CloseSB", "Exit", "Exit program");
  connect(CloseSB, &QToolButton::clicked, this, &TMorvexF::eXit1Click);
}

void TMorvexF::BuildModeControls() {
  ToolPanel->addSeparator();
  auto modeButton = [this](const char* name, const char* text, const char* hint,
                           void (TMorvexF::*handler)()) {
    auto b = std::make_unique<QToolButton>();
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(true);
    QToolButton* p = b.get();
    connect(p, &QToolButton::clicked, this, [this, handler] {
      (this->*handler)();
      // A press that entered no mode leaves the buttons as the mode has them.
      RestoreModeChecks();
    });
    ToolPanel->addWidget(b.release());
    return p;
  };
  DigitizeLMmodeSB =
      modeButton("DigitizeLMmodeSB", "LM", "Digitize landmarks", &TMorvexF::DigitizeLMmodeSBClick);
  EditModeSB =
      modeButton("EditModeSB", "Edit", "Edit landmarks & curves", &TMorvexF::EditModeSBClick);
  DrawCVmodeSB =
      modeButton("DrawCVmodeSB", "Curve", "Draw background curves", &TMorvexF::DrawCVmodeSBClick);
  OutlineSB = modeButton("OutlineSB", "Outline", "Outline object", &TMorvexF::OutlineSBClick);
  PaintModeSB = modeButton("PaintModeSB", "Paint", "Draw on image", &TMorvexF::PaintModeSBClick);
  MeasureModeSB = modeButton("MeasureModeSB", "Length", "Make linear measurements",
                             &TMorvexF::MeasureModeSBClick);
  AngleModeSB =
      modeButton("AngleModeSB", "Angle", "Make angle measurements", &TMorvexF::AngleModeSBClick);
  auto m = std::make_unique<QToolButton>();
  m->setObjectName("MissingLMSB");
  m->setText("M");
  m->setToolTip("Next LM is missing");
  MissingLMSB = m.get();
  connect(MissingLMSB, &QToolButton::clicked, this, &TMorvexF::MissingLMSBClick);
  ToolPanel->addWidget(m.release());
}

void TMorvexF::BuildPopupMenus() {
  auto menu = [this](const char* name) {
    auto m = std::make_unique<QMenu>(this);
    m->setObjectName(name);
    return m.release();  // the window owns it
  };
  auto item = [this](QMenu* m, const char* name, const char* text, void (TMorvexF::*handler)()) {
    QAction* a = m->addAction(text);
    a->setObjectName(name);
    if (handler) connect(a, &QAction::triggered, this, handler);
    return a;
  };
  auto separator = [](QMenu* m, const char* name) {
    QAction* a = m->addSeparator();
    a->setObjectName(name);
    return a;
  };
  EditPopupMenu = menu("EditPopupMenu");
  QMenu* e = EditPopupMenu;
  DeletelandmarkMenu =
      item(e, "DeletelandmarkMenu", "Delete landmark", &TMorvexF::DeletelandmarkMenuClick);
  InsertlandmarkMenu =
      item(e, "InsertlandmarkMenu", "Insert landmark", &TMorvexF::InsertlandmarkMenuClick);
  MarkLMmissingMnu =
      item(e, "MarkLMmissingMnu", "Mark LM missing", &TMorvexF::MarkLMmissingMnuClick);
  RestoremissingLMMnu =
      item(e, "RestoremissingLMMnu", "Restore missing LM", &TMorvexF::RestoremissingLMMnuClick);
  N15 = separator(e, "N15");
  // The curve commands arrive with curve editing; until then they are shown but inactive.
  DeletecurvepointMenu = item(e, "DeletecurvepointMenu", "Delete curve point", nullptr);
  DeletecurveMenu = item(e, "DeletecurveMenu", "Delete curve", nullptr);
  ResamplecurveMenu = item(e, "ResamplecurveMenu", "Resample curve", nullptr);
  CurveAreaMenu = item(e, "CurveAreaMenu", "Curve area", nullptr);
  SavecurveareaMenu = item(e, "SavecurveareaMenu", "Save curve area", nullptr);
  CurvelengthMenu = item(e, "CurvelengthMenu", "Curve length", nullptr);
  SavecurvelengthMenu = item(e, "SavecurvelengthMenu", "Save curve length", nullptr);
  for (QAction* a : {DeletecurvepointMenu, DeletecurveMenu, ResamplecurveMenu, CurveAreaMenu,
                     SavecurveareaMenu, CurvelengthMenu, SavecurvelengthMenu})
    a->setEnabled(false);
  N14 = separator(e, "N14");
  DeleteoutlinepointMenu = item(e, "DeleteoutlinepointMenu", "Delete outline point",
                                &TMorvexF::DeleteoutlinepointMenuClick);
  DeleteoutlineMenu =
      item(e, "DeleteoutlineMenu", "Delete outline", &TMorvexF::DeleteoutlineMenuClick);
  e->addSeparator();
  EditmodeMenu2 = item(e, "EditmodeMenu2", "Edit mode", &TMorvexF::EditModeSBClick);
  DigitizemodeMenu = item(e, "DigitizemodeMenu", "Digitize mode", &TMorvexF::DigitizeLMmodeSBClick);
  CancelMenu = item(e, "CancelMenu", "Cancel", nullptr);

  MeasurePopupMenu = menu("MeasurePopupMenu");
  DeleteobjectMenu =
      item(MeasurePopupMenu, "DeleteobjectMenu", "Delete object", &TMorvexF::DeleteobjectMenuClick);
}

void TMorvexF::BuildImageView() {
  auto view = std::make_unique<TImageView>();
  view->setObjectName("lmkPMimage");
  lmkPMimage = view.get();
  ImageArea = lmkPMimage;
  setCentralWidget(view.release());
  TImageView& v = *lmkPMimage;
  v.OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
    lmkPMimageMouseDown(b, m, x, y);
  };
  v.OnMouseMove = [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, int x, int y) {
    lmkPMimageMouseMove(b, m, x, y);
  };
  v.OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
    lmkPMimageMouseUp(b, m, x, y);
  };
  v.OnObjectOver = [this](int h) { lmkPMimageObjectOver(h); };
  v.OnSelectObject = [this] { lmkPMimageSelectObject(); };
  v.OnObjectMoveResize = [this](int h, int g, int dx, int dy) {
    lmkPMimageObjectMoveResize(h, g, dx, dy);
  };
  v.OnObjectClick = [this](int h) { lmkPMimageObjectClick(h); };
  v.OnObjectDblClick = [this](int h) { lmkPMimageObjectDblClick(h); };
  v.installEventFilter(this);
  v.viewport()->installEventFilter(this);
  nLMPanel->installEventFilter(this);
}

bool TMorvexF::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (FormKeyDown(k->key(), k->modifiers())) return true;
  } else if (watched == nLMPanel && e->type() == QEvent::MouseButtonRelease) {
    nLMPanelClick();
    return true;
  }
  return QMainWindow::eventFilter(watched, e);
}

void TMorvexF::keyPressEvent(QKeyEvent* e) {
  if (FormKeyDown(e->key(), e->modifiers())) {
    e->accept();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

void TMorvexF::BuildStatusBar() {
  auto add = [this](const char* name, const char* hint, int width, int stretch, QLabel*& field) {
    auto p = Panel(name, hint, width);
    field = p.get();
    statusBar()->addWidget(p.release(), stretch);
  };
  add("xyPanel", "xy coordinates", 110, 0, xyPanel);
  add("FileNamePanel", "File name & messages", 260, 1, FileNamePanel);
  add("nSpecPanel", "Number of specimens in file", 80, 0, nSpecPanel);
  add("nLMPanel", "Number of landmarks", 110, 0, nLMPanel);
  add("TemplatePanel", "Template mode", 40, 0, TemplatePanel);
  add("ScalePanel", "Scale factor", 100, 0, ScalePanel);
}

int TMorvexF::SafeIniInt(const std::string& section, const std::string& key, int def) {
  // A value that is not an integer keeps the default; the other settings are still read.
  try {
    return ReadIniInt(section, key, def);
  } catch (const EConvertError&) {
    return def;
  }
}

void TMorvexF::ReadDecimalChar() {
  const char system = SystemDecimalSeparator();
  std::string s = IniFile->ReadString("Config", "DecimalChar", std::string(1, system));
  if (s.empty()) s = std::string(1, system);
  char d = s[0];
  if (d != '.' && d != ',') d = '.';
  SetFormatDecimalSeparator(d);
  SetThousandSeparator(',');
  if (d == '.')
    DecimalMenuPeriod->setChecked(true);
  else
    DecimalMenuComma->setChecked(true);
}

void TMorvexF::ReadStyle() {
  const std::string name = IniFile->ReadString("Style", "Name", "");
  if (!name.empty()) {
    try {
      TStyleManager::SetStyle(name);
      return;
    } catch (const EStyleNotFound& e) {
      // Reported, then the program goes on in its own style.
      Dialogs().ShowError(e.what());
    }
  }
  TStyleManager::TrySetStyle("Iceberg Classico");
}

void TMorvexF::FormCreate() {
  // Settings folder and file.
  const std::string exeDir = QCoreApplication::applicationDirPath().toStdString();
  const std::string folder = SettingsFolder(ProgramArguments, exeDir, SharedDataFolder());
  QDir().mkpath(QString::fromStdString(folder));
  IniFileName = MakeIniFileName(folder);
  IniFile = std::make_unique<TIniFile>(IniFileName);

  CaptionPrefix = std::string("Morvex2 ver. 2.32") + " 64 bits" + ": ";
  setWindowTitle(QString::fromStdString(CaptionPrefix));
  ReadDecimalChar();
  ReadStyle();

  lmkInfoF = ImageToolsF = ResampleCurveF = multiF = ImageProfileF = FileExistsF = nullptr;
  lmkAboutF = nullptr;
  lmkLstF = nullptr;

  ScaleList.clear();
  ZoomFactor = 1.0;
  ZoomEdit->setText("1");
  SourceKind = 0;
  ActiveSpecimen = nullptr;
  Scale = 1.0;
  Painting = false;
  ThresholdShown = false;

  DataList = std::make_unique<TdataList>();
  SaveSB->setEnabled(true);
  SaveMenu->setEnabled(true);
  SaveAsMenu->setEnabled(true);

  nSpecimens = CurrentSpecimen = PrevSpecimen = MeasureNo = 0;
  LastCurveArea = LastCurveLength = 0;
  DataChanged = SpecimenChanged = ImageChanged = false;
  ImageFileName.clear();
  ImagePathName.clear();
  FullFileName.clear();
  DataFileName.clear();
  OverObject = -1;
  WindowPixels = false;
  LabelSize = 12;
  Threshold = 128;
  Dark = true;
  ToolPage = 0;
  TrialOutline.reset();
  OutlineList.reset();
  DrawCurve.reset();
  TrialPoints.clear();
  DrawCurvePoints.clear();
  nCurvePoints = 0;
  ScaleObj = MeasureObj = AngleObj = CurveObj = -1;
  lmkPMimage->SetMaxSelectionDistance(LMsize + 2);

  LoadProgramCursors();
  CursorIndex = std::clamp(SafeIniInt("Options", "Cursor", 1), 1, 9);
  lmkPMimage->SetViewCursor(Screen().Cursors(CursorIndex));
  lmkPMimage->Proc().SetUndoLimit(9);
  lmkPMimage->Proc().ClearAllUndo();
  lmkPMimage->Proc().ClearAllRedo();
  UndoMenu->setEnabled(false);
  RedoMenu->setEnabled(false);

  ReadSettings();
  auto wheel = [this] {
    lmkPMimage->SetMouseWheelAction(MousewheelzoomsMenu->isChecked()
                                        ? TIEMouseWheelAction::iemwZoom
                                        : TIEMouseWheelAction::iemwVScroll);
  };
  wheel();
  connect(MousewheelzoomsMenu, &QAction::toggled, this, wheel);
  // Grips are invisible.
  lmkPMimage->SetObjGripSize(0);
  lmkPMimage->SetObjGripBrushStyle(TIEBrushStyle::bsClear);

  auto listing = std::make_unique<TlmkLstF>(ProgramIni());
  FListing = std::move(listing);
  lmkLstF = FListing.get();
  lmkLstF->Setup("Morvex2", "2.32", std::to_string(QDate::currentDate().year()), 1);
  lmkLstF->Initialize();
  lmkLstF->add(Clockwise ? "Outline contours will be traced clockwise."
                         : "Outline contours will be traced counter clockwise.");
  SetMode(NoneMode);
}

void TMorvexF::ReadSettings() {
  TIniFile& ini = *IniFile;
  LabellandmarksMenu->setChecked(ReadIniBool("Options", "LabelLM", false));
  TemplateMenu->setChecked(ReadIniBool("Options", "Template", false));
  FitToWindowMnu->setChecked(ReadIniBool("Options", "FitImage", true));
  LMcolor = SafeIniInt("Options", "LMcolor", LMcolor);
  LMsize = SafeIniInt("Options", "LMsize", LMsize);
  LMfill = ReadIniBool("Options", "LMfill", LMfill);
  LabelColor = SafeIniInt("Options", "LabelColor", LabelColor);
  LabelSize = SafeIniInt("Options", "LabelSize", LabelSize);
  WindowPixels = ReadIniBool("Options", "WindowPixels", WindowPixels);
  LabelBold = ReadIniBool("Options", "LabelBold", LabelBold);
  CurveColor = SafeIniInt("Options", "CurveColor", CurveColor);
  MeasureColor = SafeIniInt("Options", "MeasureColor", MeasureColor);
  MousewheelzoomsMenu->setChecked(ReadIniBool("Options", "MouseWheelZooms", false));
  ObjectLabelSize = SafeIniInt("Options", "ObjectLabelSize", ObjectLabelSize);
  BeeponLMmnu->setChecked(ReadIniBool("Options", "BeepLM", false));
  ToggleEditLMmodesMenu->setChecked(ReadIniBool("Options", "ToggleEditLMmodes", true));
  LabelLines = ini.ReadBool("Options", "LabelLines", LabelLines);
  ToolPage = ini.ReadInteger("Options", "ToolPage", ToolPage);
  Directory = ini.ReadString("Files", "Directory", Directory);
  OutlinelengthinstepsMenu->setChecked(ini.ReadBool("Options", "OutlineSteps", true));
  Threshold = ini.ReadInteger("Outline", "Threshold", Threshold);
  if (Threshold < 0 || Threshold > 255) Threshold = 128;  // a grey level or nothing
  Dark = ini.ReadBool("Outline", "Dark", Dark);
  OutlineColor = SafeIniInt("Outline", "OutlineColor", OutlineColor);
  OutlineSize = SafeIniInt("Outline", "OutlineSize", OutlineSize);
  TrialOutlineColor = SafeIniInt("Outline", "TrialOutlineColor", TrialOutlineColor);
  Clockwise = ini.ReadBool("Outline", "Clockwise", Clockwise);
  ClockwiseOutlinesMenu->setChecked(Clockwise);
  ConfirmmissingCB->setChecked(ini.ReadBool("Options", "ConfirmMissing", true));
  const int units = ini.ReadInteger("Options", "Units", 5);
  Units = static_cast<std::uint8_t>(units >= 0 && units <= 7 ? units : 5);
}

void TMorvexF::WriteSettings() {
  TIniFile& ini = *IniFile;
  ini.WriteBool("Options", "LabelLM", LabellandmarksMenu->isChecked());
  ini.WriteBool("Options", "Template", TemplateMenu->isChecked());
  ini.WriteBool("Options", "ImageTools", ImageToolsMenu->isChecked());
  WriteIniInt("Options", "LMcolor", LMcolor);
  ini.WriteBool("Options", "LMfill", LMfill);
  ini.WriteInteger("Options", "LMsize", LMsize);
  WriteIniInt("Options", "CurveColor", CurveColor);
  WriteIniInt("Options", "LabelColor", LabelColor);
  ini.WriteInteger("Options", "LabelSize", LabelSize);
  ini.WriteBool("Options", "WindowPixels", WindowPixels);
  ini.WriteBool("Options", "LabelBold", LabelBold);
  WriteIniInt("Options", "MeasureColor", MeasureColor);
  ini.WriteBool("Options", "MouseWheelZooms", MousewheelzoomsMenu->isChecked());
  ini.WriteBool("Options", "ToggleEditLMmodes", ToggleEditLMmodesMenu->isChecked());
  ini.WriteBool("Options", "OutlineSteps", OutlinelengthinstepsMenu->isChecked());
  ini.WriteString("Files", "Directory", Directory);
  ini.WriteInteger("Options", "Cursor", CursorIndex);
  ini.WriteInteger("Options", "ToolPage", ToolPage);
  ini.WriteBool("Options", "FitImage", FitToWindowMnu->isChecked());
  ini.WriteInteger("Outline", "Threshold", Threshold);
  ini.WriteBool("Outline", "Dark", Dark);
  WriteIniInt("Outline", "Outlinecolor", OutlineColor);
  WriteIniInt("Outline", "OutlineSize", OutlineSize);
  WriteIniInt("Outline", "TrialOutlinecolor", TrialOutlineColor);
  ini.WriteBool("Outline", "Clockwise", Clockwise);
  ini.WriteBool("Options", "LabelLines", LabelLines);
  ini.WriteInteger("Options", "ObjectLabelSize", ObjectLabelSize);
  ini.WriteBool("Options", "ConfirmMissing", ConfirmmissingCB->isChecked());
  WriteIniBoolText("Options", "BeepLM", BeeponLMmnu->isChecked());
  ini.WriteString("Config", "DecimalChar", std::string(1, FormatDecimalSeparator()));
  ini.WriteInteger("Options", "Units", Units);
}

void TMorvexF::FormClose() {
  DrawCurve.reset();
  try {
    if (IniFile) WriteSettings();
  } catch (const EInOutError& e) {
    // The program still ends; the user learns that the settings were not kept.
    Dialogs().ShowError(e.what());
  }
  if (lmkInfoF) lmkInfoF->close();
  if (lmkAboutF) lmkAboutF->close();
  if (ImageToolsF) ImageToolsF->close();
  DataList.reset();
  ActiveSpecimen = nullptr;
  TrialOutline.reset();
  OutlineList.reset();
  // Auxiliary windows go with the main window.
  if (lmkLstF) {
    lmkLstF->Reallyexit = true;
    lmkLstF->hide();
  }
  if (AboutF) AboutF->hide();
  CloseHelpWindow();
}

void TMorvexF::closeEvent(QCloseEvent* e) {
  if (FClosed) {
    e->accept();
    return;
  }
  if (!FormCloseQuery()) {
    e->ignore();
    return;
  }
  FormClose();
  FClosed = true;
  e->accept();
  emit Closed();
}

void TMorvexF::eXit1Click() {
  close();
}

void TMorvexF::Contents1Click() {
  ShowHelpTopic(IDH_CONTENTS);
}

void TMorvexF::About1Click() {
  if (!lmkAboutF) {
    auto about = std::make_unique<TlmkAboutF>();
    about->setAttribute(Qt::WA_DeleteOnClose);
    lmkAboutF = about.release();  // frees itself when closed; the pointer clears then
  }
  lmkAboutF->show();
  lmkAboutF->raise();
}

void TMorvexF::WebSiteClick() {
  Dialogs().OpenDocument(WebSite);
}

void TMorvexF::ViewlistingMenuClick() {
  if (!lmkLstF) {
    FListing = std::make_unique<TlmkLstF>(ProgramIni());
    lmkLstF = FListing.get();
    lmkLstF->Setup("Morvex2", "2.32", std::to_string(QDate::currentDate().year()), 1);
    lmkLstF->Initialize();
  }
  lmkLstF->show();
  lmkLstF->raise();
}

void TMorvexF::DecimalMenuPeriodClick() {
  SetFormatDecimalSeparator('.');
  DecimalMenuPeriod->setChecked(true);
}

void TMorvexF::DecimalMenuCommaClick() {
  SetFormatDecimalSeparator(',');
  DecimalMenuComma->setChecked(true);
}

void TMorvexF::WindowsStylesClick() {
  TAvailableStylesF chooser(ProgramIni(), this);
  chooser.exec();
  if (IniFile) IniFile->WriteString("Style", "Name", TStyleManager::ActiveStyleName());
}

void TMorvexF::TemplateMenuClick() {
  TemplatePanel->setText(TemplateMenu->isChecked() ? " T" : " ");
}

void TMorvexF::ClockwiseOutlinesMenuClick() {
  Clockwise = ClockwiseOutlinesMenu->isChecked();
}
