#include "workspace/Lmkglob.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "model/Hooks.h"
#include "model/Text.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "windows/Aboutu.h"
#include "windows/Lmkabout.h"
#include "windows/Lmklst.h"
#include "windows/WindowsStylesDialog.h"

std::unique_ptr<TdataList> DataList;
int nSpecimens = 0;
int CurrentSpecimen = 0;
int PrevSpecimen = 0;
TSpecimen* ActiveSpecimen = nullptr;
int nLM = 0;
int nCurves = 0;
int PrevnLM = 0;
bool SpecimenChanged = false;
bool DataChanged = false;
bool ImageChanged = false;
std::string ImageFileName;
std::string ImagePathName;
std::string DataFileName;
std::string FullFileName;
std::string SaveFileName;
std::string Directory;
std::string CaptionPrefix;
int ImageWidth = 0;
int ImageHeight = 0;
double Scale = 1.0;
std::vector<double> ScaleList;
double ZoomFactor = 1.0;
std::uint8_t SourceKind = 0;
std::string SpecimenID;
std::string SpecimenComment;
std::string SpecimenVariables;
int nVariables = 0;
bool TemplateActive = false;
std::unique_ptr<TOutlineList> OutlineList;
std::unique_ptr<TOutline> TrialOutline;
Tmode CurrentMode = NoneMode;

int OverObject = -1;
int ScaleObj = -1;
int MeasureObj = -1;
int AngleObj = -1;
int CurveObj = -1;
std::unique_ptr<Tixy> DrawCurve;
std::vector<Ticoords> DrawCurvePoints;
int nCurvePoints = 0;
double LastCurveArea = 0;
double LastCurveLength = 0;
int NearestPoint = 0;
bool LeftButtonDown = false;
bool RebuildObjects = false;
int TemplateFirstObj = -1;
int MeasureNo = 0;
bool MeasureCounted = false;
bool ThresholdShown = false;
std::vector<Ticoords> TrialPoints;
std::vector<int> ThresholdGrid;
int GridWidth = 0;
int GridHeight = 0;
bool Painting = false;
TColor PaintPenColor = clBlack;
int PaintPenWidth = 1;

int LMsize = 3;
TColor LMcolor = clRed;
bool LMfill = true;
TColor LabelColor = clGreen;
int LabelSize = 12;
bool LabelBold = false;
bool WindowPixels = false;
TColor CurveColor = clBlue;
TColor MeasureColor = clBlack;
int ObjectLabelSize = 16;
bool LabelLines = true;
int CursorIndex = 1;
int ToolPage = 0;
std::uint8_t Units = 5;
int Threshold = 128;
bool Dark = true;
TColor OutlineColor = clRed;
int OutlineSize = 2;
TColor TrialOutlineColor = clYellow;
bool Clockwise = false;

std::unique_ptr<TIniFile> IniFile;
std::string IniFileName;
std::vector<std::string> ProgramArguments;

TMorvexF* MorvexF = nullptr;
TlmkLstF* lmkLstF = nullptr;
QPointer<TlmkAboutF> lmkAboutF;
QPointer<TAboutF> AboutF;
QPointer<TAvailableStylesF> AvailableStylesF;
QPointer<QWidget> lmkInfoF, ImageToolsF, multiF, ResampleCurveF, FileExistsF, AddVariableF,
    GetDimsF, ImageProfileF;

TIniRef ProgramIni() {
  return TIniRef{&IniFile, &IniFileName};
}

void ResetWorkspace() {
  DataList.reset();
  nSpecimens = CurrentSpecimen = PrevSpecimen = 0;
  ActiveSpecimen = nullptr;
  nLM = nCurves = PrevnLM = 0;
  SpecimenChanged = DataChanged = ImageChanged = false;
  ImageFileName.clear();
  ImagePathName.clear();
  DataFileName.clear();
  FullFileName.clear();
  SaveFileName.clear();
  Directory.clear();
  CaptionPrefix.clear();
  ImageWidth = ImageHeight = 0;
  Scale = 1.0;
  ScaleList.clear();
  ZoomFactor = 1.0;
  SourceKind = 0;
  SpecimenID.clear();
  SpecimenComment.clear();
  SpecimenVariables.clear();
  nVariables = 0;
  TemplateActive = false;
  OutlineList.reset();
  TrialOutline.reset();
  CurrentMode = NoneMode;
  OverObject = ScaleObj = MeasureObj = AngleObj = CurveObj = -1;
  DrawCurve.reset();
  DrawCurvePoints.clear();
  nCurvePoints = 0;
  LastCurveArea = LastCurveLength = 0;
  NearestPoint = 0;
  LeftButtonDown = false;
  RebuildObjects = false;
  TemplateFirstObj = -1;
  MeasureNo = 0;
  MeasureCounted = ThresholdShown = false;
  TrialPoints.clear();
  ThresholdGrid.clear();
  GridWidth = GridHeight = 0;
  Painting = false;
  PaintPenColor = clBlack;
  PaintPenWidth = 1;
  LMsize = 3;
  LMcolor = clRed;
  LMfill = true;
  LabelColor = clGreen;
  LabelSize = 12;
  LabelBold = false;
  WindowPixels = false;
  CurveColor = clBlue;
  MeasureColor = clBlack;
  ObjectLabelSize = 16;
  LabelLines = true;
  CursorIndex = 1;
  ToolPage = 0;
  Units = 5;
  Threshold = 128;
  Dark = true;
  OutlineColor = clRed;
  OutlineSize = 2;
  TrialOutlineColor = clYellow;
  Clockwise = false;
  IniFile.reset();
  IniFileName.clear();
}

int ReadIniInt(const std::string& section, const std::string& key, int def) {
  return IniFile ? ReadIniInt(*IniFile, section, key, def) : def;
}

void WriteIniInt(const std::string& section, const std::string& key, int value) {
  if (IniFile) WriteIniInt(*IniFile, section, key, value);
}

bool ReadIniBool(const std::string& section, const std::string& key, bool def) {
  return IniFile ? ReadIniBool(*IniFile, section, key, def) : def;
}

void WriteIniBoolText(const std::string& section, const std::string& key, bool value) {
  if (IniFile) WriteIniBoolText(*IniFile, section, key, value);
}

std::string SettingsFolder(const std::vector<std::string>& args, const std::string& exeDir,
                           const std::string& sharedDir) {
  // Only the first argument counts. (Systems older than the shared folder do not run Qt 6.)
  if (args.size() > 1 && UpperCase(args[1]) == "-E") return exeDir;
  return sharedDir + "/lmk";
}

std::string SharedDataFolder() {
  // On this platform the writable data folder; the machine-wide ones are not writable.
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

std::string MakeIniFileName(const std::string& folder) {
  std::string s = Trim(Trim(folder) + "/" + "Morvex2" + ".ini");
  std::string out;
  for (char c : s) {
    const bool sep = c == '/' || c == '\\';
    if (sep && !out.empty() && (out.back() == '/' || out.back() == '\\')) continue;
    out += c;
  }
  return out;
}

void InstallApplicationHooks() {
  InstallCoreDialogHooks();
  CoreHooks().ProcessMessages = [] { QCoreApplication::processEvents(); };
  CoreHooks().CursorPush = [] {
    if (lmkLstF) lmkLstF->CursorPush();
  };
  CoreHooks().CursorPop = [] {
    if (lmkLstF) lmkLstF->CursorPop();
  };
}
