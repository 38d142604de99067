#pragma once
// The workspace: the program-wide state of the open data set and of the main window, the
// display and outline settings, the window variables, and the settings-file helpers that act
// on the program's settings file.

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Lmkcomm.h"
#include "platform/Colors.h"
#include "platform/IniFile.h"

class TMorvexF;
class TlmkLstF;
class TlmkAboutF;
class TAboutF;
class TAvailableStylesF;

enum Tmode : std::uint8_t {
  NoneMode,
  DigitizeLMmode,
  EditMode,
  DragLMmode,
  DragCVmode,
  DrawCVmode,
  ScaleMode1,
  ScaleMode2,
  OutlineMode,
  PaintMode,
  ProfileMode,
  MeasureMode1,
  MeasureMode2,
  AngleMode1,
  AngleMode2,
  AngleMode3
};

// ---- the open data set ----
extern std::unique_ptr<TdataList> DataList;
extern int nSpecimens;
extern int CurrentSpecimen;
extern int PrevSpecimen;
extern TSpecimen* ActiveSpecimen;  // an item of DataList or nullptr
extern int nLM;
extern int nCurves;
extern int PrevnLM;
extern bool SpecimenChanged;
extern bool DataChanged;
extern bool ImageChanged;
extern std::string ImageFileName;
extern std::string ImagePathName;
extern std::string DataFileName;
extern std::string FullFileName;
extern std::string SaveFileName;
extern std::string Directory;
extern std::string CaptionPrefix;
extern int ImageWidth;
extern int ImageHeight;
extern double Scale;
extern std::vector<double> ScaleList;
extern double ZoomFactor;
extern std::uint8_t SourceKind;
extern std::string SpecimenID;
extern std::string SpecimenComment;
extern std::string SpecimenVariables;
extern int nVariables;
extern bool TemplateActive;
extern std::unique_ptr<TOutlineList> OutlineList;
extern std::unique_ptr<TOutline> TrialOutline;
extern Tmode CurrentMode;
// OtherDecimalChar is the core's OtherDecimalChar() (model/NumberFormat.h).

// ---- shared with the interaction and measurement features ----
extern int OverObject;
extern int ScaleObj;
extern int MeasureObj;
extern int AngleObj;
extern int CurveObj;
extern std::unique_ptr<Tixy> DrawCurve;
extern std::vector<Ticoords> DrawCurvePoints;
extern int nCurvePoints;
extern double LastCurveArea;
extern double LastCurveLength;
extern int NearestPoint;
extern bool LeftButtonDown;  // the last press on the view was a left one; cleared on release
extern bool RebuildObjects;  // set within one press to rebuild the objects at its end
extern int TemplateFirstObj;
extern int MeasureNo;
extern bool MeasureCounted;
extern bool ThresholdShown;
extern std::vector<Ticoords> TrialPoints;
extern std::vector<int> ThresholdGrid;  // GridWidth x GridHeight, row by row
extern int GridWidth;
extern int GridHeight;
extern bool Painting;
extern TColor PaintPenColor;
extern int PaintPenWidth;

// ---- display and outline settings ----
extern int LMsize;
extern TColor LMcolor;
extern bool LMfill;
extern TColor LabelColor;
extern int LabelSize;
extern bool LabelBold;
extern bool WindowPixels;
extern TColor CurveColor;
extern TColor MeasureColor;
extern int ObjectLabelSize;
extern bool LabelLines;
extern int CursorIndex;
extern int ToolPage;
extern std::uint8_t Units;
extern int Threshold;
extern bool Dark;
extern TColor OutlineColor;
extern int OutlineSize;
extern TColor TrialOutlineColor;
extern bool Clockwise;

// ---- settings file ----
extern std::unique_ptr<TIniFile> IniFile;
extern std::string IniFileName;
// The program's arguments, the program itself first.
extern std::vector<std::string> ProgramArguments;
// How windows reach the settings file.
TIniRef ProgramIni();

// ---- windows ----
extern TMorvexF* MorvexF;
extern TlmkLstF* lmkLstF;
extern QPointer<TlmkAboutF> lmkAboutF;
extern QPointer<TAboutF> AboutF;
extern QPointer<TAvailableStylesF> AvailableStylesF;
// Windows that later features bring; created on demand, cleared when destroyed.
extern QPointer<QWidget> lmkInfoF, ImageToolsF, multiF, ResampleCurveF, FileExistsF, AddVariableF,
    GetDimsF, ImageProfileF;

// Every variable back to its initial value (a new run of the program; tests use it).
void ResetWorkspace();

// ---- settings helpers on IniFile; without a settings file they give the default ----
int ReadIniInt(const std::string& section, const std::string& key, int def);
void WriteIniInt(const std::string& section, const std::string& key, int value);
bool ReadIniBool(const std::string& section, const std::string& key, bool def);
void WriteIniBoolText(const std::string& section, const std::string& key, bool value);

// ---- settings-file location ----
// The executable's folder when the first argument is "-E" in any case, else the shared data
// folder followed by "lmk".
std::string SettingsFolder(const std::vector<std::string>& args, const std::string& exeDir,
                           const std::string& sharedDir);
// The per-machine shared data folder of this system.
std::string SharedDataFolder();
// folder + "Morvex2.ini", trimmed, doubled separators collapsed.
std::string MakeIniFileName(const std::string& folder);

// Points the core's hooks at the dialogs service, the event loop and the listing's cursor stack.
void InstallApplicationHooks();
