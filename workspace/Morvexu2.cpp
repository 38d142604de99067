#include "workspace/Morvexu2.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

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
  BuildStatusBar();
  // The image view of a later feature takes this place.
  auto area = std::make_unique<QWidget>();
  area->setObjectName("ImageArea");
  area->setAutoFillBackground(true);
  area->setBackgroundRole(QPalette::Dark);
  ImageArea = area.get();
  setCentralWidget(area.release());
  MorvexF = this;
  SetApplicationMainWindow(this);
  FormCreate();
}

TMorvexF::~TMorvexF() {
  if (lmkLstF == FListing.get()) lmkLstF = nullptr;
  if (MorvexF == this) MorvexF = nullptr;
}

void TMorvexF::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  SaveMenu = file->addAction("&Save data");
  SaveMenu->setObjectName("SaveMenu");
  SaveAsMenu = file->addAction("Save data &as...");
  SaveAsMenu->setObjectName("SaveAsMenu");
  file->addSeparator();
  eXit1 = file->addAction("e&Xit", this, &TMorvexF::eXit1Click);
  eXit1->setObjectName("eXit1");

  QMenu* view = menuBar()->addMenu("&View");
  ViewlistingMenu = view->addAction("View listing...", this, &TMorvexF::ViewlistingMenuClick);
  ViewlistingMenu->setObjectName("ViewlistingMenu");

  QMenu* options = menuBar()->addMenu("&Options");
  LabellandmarksMenu = Check(options, "LabellandmarksMenu", "Label landmarks", false);
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
  SaveSB = button("SaveSB", "Save", "Save data");
  SaveSB->setDefaultAction(SaveMenu);
  SaveSB->setToolButtonStyle(Qt::ToolButtonTextOnly);
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

  LoadProgramCursors();
  CursorIndex = std::clamp(SafeIniInt("Options", "Cursor", 1), 1, 9);
  ImageArea->setCursor(Screen().Cursors(CursorIndex));

  ReadSettings();

  auto listing = std::make_unique<TlmkLstF>(ProgramIni());
  FListing = std::move(listing);
  lmkLstF = FListing.get();
  lmkLstF->Setup("Morvex2", "2.32", std::to_string(QDate::currentDate().year()), 1);
  lmkLstF->Initialize();
  lmkLstF->add(Clockwise ? "Outline contours will be traced clockwise."
                         : "Outline contours will be traced counter clockwise.");
  CurrentMode = NoneMode;
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

bool TMorvexF::FormCloseQuery() {
  return true;
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
