// Opening data files and images, showing a specimen, storing the screen back into it, and
// moving between specimens.

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "digitize/ObjectLayer.h"
#include "formats/Reader.h"
#include "imaging/ImageFiles.h"
#include "imaging/ImageView.h"
#include "model/Checked.h"
#include "model/Errors.h"
#include "model/Hooks.h"
#include "model/Text.h"
#include "model/TextFile.h"
#include "platform/Dialogs.h"
#include "platform/FormatSettings.h"
#include "windows/Lmklst.h"
#include "workspace/BusyScope.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

namespace {

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

std::string UpperExt(const std::string& name) {
  return UpperCase(ExtractFileExt(name));
}

}  // namespace

std::string TMorvexF::ResolveImagePath(const std::string& stored) const {
  const std::string asStored = HasDirectoryPart(stored) ? stored : Directory + stored;
  if (FileExists(asStored)) return asStored;
  // Files written elsewhere carry paths of that machine (C:\...); the data file's folder is
  // the next place to look.
  const std::string beside = Directory + ExtractFileName(stored);
  if (FileExists(beside)) return beside;
  return asStored;
}

void TMorvexF::AddToListing(const std::string& line) {
  if (lmkLstF) lmkLstF->add(line);
}

void TMorvexF::EnableNext(bool on) {
  RightSB->setEnabled(on);
  NextMenu->setEnabled(on);
}

void TMorvexF::EnablePrevious(bool on) {
  LeftSB->setEnabled(on);
  PreviousMenu->setEnabled(on);
}

void TMorvexF::EnableSaveCommands() {
  SaveSB->setEnabled(true);
  SaveMenu->setEnabled(true);
  SaveAsMenu->setEnabled(true);
}

void TMorvexF::StoreBackAndOfferSave() {
  if (SpecimenChanged) PutSpecimen(CurrentSpecimen);
  if (DataChanged && Dialogs().AskYesNo("Data changed,\nsave to file?")) SaveMenuClick();
}

std::optional<std::string> TMorvexF::ChooseInputFile(const std::string& title) {
  Directory = StripTrailingBackslash(Directory);
  TFileDialogOptions o;
  o.Title = title;
  o.InitialDir = FolderExists(Directory) ? Directory : std::string();
  o.Filter = "LMK files (LMK)|*.lmk|" + ImageFileFilter(true) + "|Video for Windows (AVI)|*.avi";
  return Dialogs().OpenFile(o);
}

void TMorvexF::ShowZoomFactor() {
  ZoomEdit->setText(QString::fromStdString(Format("%.3f", {ZoomFactor})));
}

void TMorvexF::ShowLandmarkCount(int n) {
  nLMPanel->setText(QString::fromStdString(Format(" #LM=%d", {n})));
}

void TMorvexF::OpenfileMenuClick() {
  if (FBusy) return;
  StoreBackAndOfferSave();
  const std::optional<std::string> chosen = ChooseInputFile("Open");
  if (!chosen) return;
  FullFileName = *chosen;
  Directory = ExtractFilePath(FullFileName);
  const std::string ext = UpperExt(FullFileName);
  if (ext == ".AVI" || ext == ".MOV") {
    Dialogs().ShowError("Video input is not available yet:\n" + FullFileName);
    return;
  }
  if (multiF) multiF->close();
  OpenDataFile(FullFileName, false);
  CurrentSpecimen = 1;
  SetMode(EditMode);
}

bool TMorvexF::ReadDataFile(const std::string& path, TdataList& into) {
  TTextFile f = TTextFile::Open(path);
  TBusyScope busy(*this, "Reading " + ExtractFileName(path) + " ...", [&f] {
    return static_cast<int>(f.Position() * 1000 / std::max<std::size_t>(f.Size(), 1));
  });
  return ReadLandmarkFile(f, ActiveSpecimen, into, false);
}

void TMorvexF::AfterOpenReadWalk(bool& constrained, bool& anyOutlines) {
  double last = 0;
  for (int k = 0; k < DataList->Count(); ++k) {
    TSpecimen& s = *DataList->Items(k);
    if (s.scale() > 0) last = s.scale();
    ScaleList[0] = last;
    if (s.OutlineList()) anyOutlines = true;
    if (s.ImageFn().empty()) continue;
    if (k == 0) IncludeimagepathMenu->setChecked(HasDirectoryPart(s.ImageFn()));
    const std::string file = ResolveImagePath(s.ImageFn());
    if (!FileExists(file)) throw ElmkException("Image file not found: " + file);
    int w = 0, h = 0;
    std::string error;
    if (!ReadImageHeader(file, w, h, error)) throw ElmkException(error);
    s.SetBaseX(w);
    s.SetBaseY(h);
    for (std::uint32_t j = 1; j <= s.nLM(); ++j) {
      double x = s.getXY3(j, 1), y = s.getXY3(j, 2);
      if (x == -1 || y == -1) continue;
      const double x0 = x, y0 = y;
      if (x < 0) x = LMsize;
      if (y < 0) y = LMsize;
      if (x > w) x = w - LMsize;
      if (y > h) y = h - LMsize;
      if (x != x0 || y != y0) {
        s.putXY3(j, 1, x);
        s.putXY3(j, 2, y);
        constrained = true;
      }
    }
  }
}

void TMorvexF::OpenDataFile(const std::string& FileName, bool AskToSave) {
  if (FBusy) return;
  if (!FileExists(FileName)) throw ElmkException("File: " + FileName + "\n" + "does not exist!");
  FullFileName = FileName;
  if (AskToSave) StoreBackAndOfferSave();
  nLM = 0;
  DataList = std::make_unique<TdataList>();
  EnableSaveCommands();
  nSpecimens = 0;
  ActiveSpecimen = nullptr;
  SourceKind = 1;
  Directory = ExtractFilePath(FileName);
  DataFileName = ExtractFileName(FileName);
  setWindowTitle(QString::fromStdString(CaptionPrefix + DataFileName));
  AddToListing("Input file: " + FullFileName);
  nSpecPanel->clear();
  bool anyOutlines = false;
  if (UpperExt(DataFileName) == ".LMK") {
    SaveFileName = DataFileName;
    ImageFileName.clear();
    ImagePathName.clear();
    bool constrained = false;
    try {
      if (!ReadDataFile(FileName, *DataList)) {
        ClearScreen();
        return;
      }
      nSpecimens = DataList->Count();
      nSpecPanel->setText(QString::fromStdString(Format(" n=%d", {nSpecimens})));
      ScaleList.assign(static_cast<std::size_t>(nSpecimens), 0.0);
      AfterOpenReadWalk(constrained, anyOutlines);
    } catch (const ElmkException& e) {
      Dialogs().ShowError(e.what());
      nSpecimens = DataList->Count();
    }
    if (constrained)
      ShowWarning(
          "Landmarks were constrained to be within image.\nPoints displayed at margins of image.");
  } else {
    std::string error;
    if (!lmkPMimage->LoadFromFile(FileName, error)) throw ElmkException(error);
    auto spec = std::make_unique<TSpecimen>(0, 2);
    nLM = 0;
    spec->SetImageFn(IncludeimagepathMenu->isChecked() ? FullFileName : DataFileName);
    ActiveSpecimen = DataList->Add(std::move(spec));
    nSpecimens = 1;
    ScaleList.assign(1, 0.0);
    SaveFileName.clear();
    ImageFileName = DataFileName;
    ImagePathName = FullFileName;
    if (!RetainzoomMenu->isChecked()) ZoomFactor = 1;
    ZoomEdit->setText(QString::fromStdString(Format("%g", {ZoomFactor})));
  }
  nLMPanel->clear();
  EnablePrevious(false);
  if (nSpecimens < 2) {
    EnableNext(false);
  } else {
    EnableNext(true);
    GotoMenu->setEnabled(true);
  }
  SavejustoutlinesMenu->setEnabled(anyOutlines);
  DataChanged = SpecimenChanged = false;
  CurrentSpecimen = 0;
  if (nSpecimens == 0) ClearScreen();
  RightSBClick();
}

void TMorvexF::ClearScreen() {
  // Nothing of the specimen shown before may stay on screen to be stored into the new list.
  MyRemoveAllObjects();
  lmkPMimage->Clear();
  ActiveSpecimen = nullptr;
  ImageWidth = ImageHeight = 0;
}

void TMorvexF::ShowBlankSpecimen(TSpecimen& spec) {
  FileNamePanel->setText(QString::fromStdString(Format(" Specimen: %3d", {CurrentSpecimen})));
  TImageView& v = *lmkPMimage;
  v.Clear();
  if (spec.nLM() > 0) {
    spec.MinMax();  // the reader leaves the extent of 3-D specimens unset
    ImageWidth = RoundToInt(spec.xMax());
    ImageHeight = RoundToInt(spec.yMax());
    v.SetBlankSize(RoundToInt(1.2 * ImageWidth), RoundToInt(1.2 * ImageHeight));
  } else {
    ImageWidth = v.viewport()->width();
    ImageHeight = v.viewport()->height();
    v.SetBlankSize(ImageWidth, ImageHeight);
  }
  spec.SetBaseY(ImageHeight);
  ZoomFactor = v.Zoom() / 100;
  ShowZoomFactor();
  show();
  ImageChanged = false;
}

bool TMorvexF::LoadSpecimen(int i) {
  nCurves = 0;
  OutlineList.reset();
  DiscardTrialOutline();
  if (TemplateMenu->isChecked())
    RemoveNonLandmarks();
  else
    MyRemoveAllObjects();
  ScaleObj = MeasureObj = AngleObj = OverObject = -1;
  nLM = 0;
  nVariables = 0;
  ThresholdShown = false;
  if (!DataList || i < 1 || i > DataList->Count()) return true;
  TSpecimen& spec = *DataList->Items(i - 1);
  ActiveSpecimen = &spec;
  ImageFileName = ImagePathName = spec.ImageFn();
  if (ScaleList.size() < static_cast<std::size_t>(DataList->Count()))
    ScaleList.resize(static_cast<std::size_t>(DataList->Count()), 0.0);
  const std::size_t at = static_cast<std::size_t>(i - 1);
  if (i > PrevSpecimen && i > 1 && ScaleList[at - 1] > 0 && spec.scale() == 0) {
    spec.SetScale(ScaleList[at - 1]);
    ScaleList[at] = spec.scale();
  }
  if (spec.scale() == 0) {
    Scale = ScaleList[at] != 0 ? ScaleList[at] : 1;
    ScalePanel->clear();
  } else {
    Scale = spec.scale();
    ScalePanel->setText(QString::fromStdString(Format("S=%0.4f", {spec.scale()})));
  }
  if (!ImageFileName.empty()) ImagePathName = ResolveImagePath(ImageFileName);

  bool shown = false;
  if (!ImageFileName.empty()) {
    std::string error;
    if (lmkPMimage->LoadFromFile(ImagePathName, error)) {
      shown = true;
      lmkPMimage->Proc().ClearAllUndo();
      lmkPMimage->Proc().ClearAllRedo();
      UpdateMenu();
      ImageWidth = lmkPMimage->IEBitmap().Width();
      ImageHeight = lmkPMimage->IEBitmap().Height();
      if (RetainzoomMenu->isChecked()) lmkPMimage->SetZoom(ZoomFactor * 100);
      ZoomFactor = lmkPMimage->Zoom() / 100;
      ShowZoomFactor();
      show();
      ImageChanged = false;
      spec.SetBaseX(ImageWidth);
      spec.SetBaseY(ImageHeight);
      FileNamePanel->setText(QString::fromStdString(
          Format(" %3d: %s", {CurrentSpecimen, ExtractFileName(ImageFileName)})));
      if (FitToWindowMnu->isChecked()) ZoomFitSBClick();
    } else {
      // The specimen keeps its image name; it is shown on the blank background meanwhile.
      Dialogs().ShowError("Image file not found: " + ImagePathName +
                          (error.empty() ? "" : "\n" + error));
    }
  }
  if (!shown) ShowBlankSpecimen(spec);

  if (spec.nLM() > 0 || spec.nCurves() > 0 || spec.OutlineList()) {
    ShowLandmarkCount(int(spec.nLM()));
    // A template kept on screen would be stored into this specimen with its own landmarks.
    if (TemplateMenu->isChecked()) MyRemoveAllObjects();
    TemplateMenu->setChecked(false);
    TemplatePanel->setText(" ");
    if (PrevnLM != 0 && PrevnLM != int(spec.nLM()) && WarnlandmarksnotsameMenu->isChecked())
      ShowWarning("Number of landmarks (" + std::to_string(spec.nLM()) + ")" + "\n" +
                  "not the same as in previous specimen (" + std::to_string(PrevnLM) + ").");
  }
  const double base = spec.baseY();
  TVectorLayer& l = lmkPMimage->Layer();
  l.BeginUpdate();
  for (std::uint32_t j = 1; j <= spec.nLM(); ++j) {
    const double x = spec.getXY3(j, 1), y = spec.getXY3(j, 2);
    if (x == -1 && y == -1) {
      const int h = AddLMobject(0, 0);
      l.SetObjUserData(h, MissingMarkerData());
    } else {
      const int h = AddLMobject(RoundToInt(x), RoundToInt(base - y));
      l.ClearObjUserData(h);
    }
  }
  if (spec.Curves()) {
    std::unique_ptr<TixyList> curves;
    spec.Curves()->CopyToInt(curves);
    const int b = RoundToInt(base);
    for (int k = 0; k < curves->Count(); ++k) {
      Tixy& c = *curves->Items(k);
      for (int p = 1; p <= c.n(); ++p) {
        const Ticoords q = c.GetXY(p);
        c.PutXY(p, {q.x, b - q.y});
      }
      AddCurveObject(c);
    }
  }
  OutlineList = std::make_unique<TOutlineList>();
  if (spec.OutlineList())
    for (int k = 0; k < spec.OutlineList()->Count(); ++k) {
      TOutline* o = spec.OutlineList()->Items(k);
      AddOutlineObject(o);
      std::unique_ptr<TOutline> copy;
      o->CreateCopy(copy);
      copy->SetHObj(o->hObj());
      OutlineList->Add(std::move(copy));
    }
  l.EndUpdate();
  if (TemplateMenu->isChecked()) {
    TemplateActive = true;
    TemplateFirstObj = -1;
    if (i > 1 && !ImageFileName.empty()) TemplatePanel->setText(" T0");
  } else {
    TemplateActive = false;
  }
  SpecimenID = spec.ID();
  SpecimenComment = spec.comment();
  SpecimenVariables = Trim(spec.Variables());
  MeasureCounted = false;
  nVariables = CountWords(SpecimenVariables);
  MeasureNo = 0;
  SetMode(EditMode);
  UpdateObjects();
  return true;
}

bool TMorvexF::PutSpecimen(int Current) {
  if (!DataList || Current < 1 || Current > DataList->Count()) {
    SpecimenChanged = false;
    return false;
  }
  TSpecimen& spec = *DataList->Items(Current - 1);
  // Without a picture in the view there is no image to save.
  if (ImageChanged && !lmkPMimage->IsEmpty() && QuerysaveimageMenu->isChecked() &&
      Dialogs().AskYesNo("Image changed,\nsave to a file?")) {
    if (!SaveImageAs(ImageFileName)) return false;
  }
  // A 3-D specimen keeps the depth of its landmarks; the screen edits only x and y.
  std::unique_ptr<Txyz> old3d;
  if (spec.nDims() == 3 && spec.xyz()) spec.xyz()->CopyTo(old3d);
  TVectorLayer& l = lmkPMimage->Layer();
  int markers = 0;
  for (int k = 0; k < l.ObjectsCount(); ++k)
    if (l.ObjID(l.GetObjFromIndex(k)) == idMarker) ++markers;
  nLM = markers;
  spec.SetXY(nLM > 0 ? std::make_unique<Txy>(nLM) : nullptr);
  if (ImageFileName.empty())
    spec.SetImageFn("");
  else
    spec.SetImageFn(IncludeimagepathMenu->isChecked() ? ImageFileName
                                                      : ExtractFileName(ImageFileName));
  spec.SetBaseY(ImageHeight);
  spec.SetCurves(nullptr);
  nCurves = 0;
  nLM = 0;
  if (spec.OutlineList()) spec.OutlineList()->Clear();
  const double base = spec.baseY();
  const int ibase = RoundToInt(base);
  for (int k = 0; k < l.ObjectsCount(); ++k) {
    const int h = l.GetObjFromIndex(k);
    const TIEVObject& o = l.Obj(h);
    if (o.ID == idMarker) {
      ++nLM;
      if (o.UserData)
        spec.PutXY(std::uint32_t(nLM), {-1, -1});
      else
        spec.PutXY(std::uint32_t(nLM),
                   {double(o.Left + o.Width / 2), base - (o.Top + o.Height / 2)});
    } else if (o.ID == idCurve && !o.Points.empty()) {
      ++nCurves;
      if (!spec.Curves()) spec.SetCurves(std::make_unique<TxyList>());
      auto c = std::make_unique<Txy>(int(o.Points.size()));
      for (std::size_t p = 0; p < o.Points.size(); ++p)
        c->PutXY(int(p) + 1, {double(o.Points[p].x), base - o.Points[p].y});
      spec.Curves()->Add(std::move(c));
    } else if (o.ID == idOutlineXY && !o.Points.empty()) {
      if (!spec.OutlineList()) spec.SetOutlineList(std::make_unique<TOutlineList>());
      const auto n = std::uint32_t(o.Points.size());
      auto xy = std::make_unique<TOutline>(n, 0, 0, OutlineXY, 0, 0);
      xy->SetN(n);
      for (std::uint32_t p = 1; p <= n; ++p) {
        xy->putPij(p, 1, o.Points[p - 1].x);
        xy->putPij(p, 2, ibase - o.Points[p - 1].y);
      }
      spec.OutlineList()->Add(std::move(xy));
    } else if (o.ID == idOutlineChain || o.ID == idOutlineRadii || o.ID == idOutlineRadiiXY) {
      if (!OutlineList) continue;
      for (int e = 0; e < OutlineList->Count(); ++e)
        if (OutlineList->Items(e)->hObj() == h) {
          if (!spec.OutlineList()) spec.SetOutlineList(std::make_unique<TOutlineList>());
          std::unique_ptr<TOutline> copy;
          OutlineList->Items(e)->CreateCopy(copy);
          spec.OutlineList()->Add(std::move(copy));
          break;
        }
    }
  }
  if (old3d && old3d->n() == nLM) {
    auto xyz = std::make_unique<Txyz>(nLM);
    for (int j = 1; j <= nLM; ++j) {
      const Tcoords p = spec.GetXY(std::uint32_t(j));
      xyz->PutXYZ(j, {p.x, p.y, old3d->GetXYZ(j).z});
    }
    spec.SetXYZ(std::move(xyz));
  }
  spec.SetID(SpecimenID);
  spec.SetComment(SpecimenComment);
  spec.SetVariables(SpecimenVariables);
  spec.SetScale(Scale);
  spec.MinMax();
  DataChanged = true;
  SpecimenChanged = false;
  return true;
}

void TMorvexF::AppendNewSpecimen() {
  ++CurrentSpecimen;
  ++nSpecimens;
  MyRemoveAllObjects();
  OverObject = MeasureObj = AngleObj = -1;
  DataList->Add(std::make_unique<TSpecimen>(0, 2));
  ActiveSpecimen = DataList->Items(DataList->Count() - 1);
  if (!RetainzoomMenu->isChecked()) ZoomFactor = 1;
  ZoomEdit->setText(QString::fromStdString(Format("%g", {ZoomFactor})));
  Scale = ZoomFactor;
  ImageChanged = DataChanged = SpecimenChanged = true;
  ImageWidth = lmkPMimage->viewport()->width();
  ImageHeight = lmkPMimage->viewport()->height();
  lmkPMimage->SetBlankSize(ImageWidth, ImageHeight);
  ActiveSpecimen->SetBaseY(ImageHeight);
  ImageFileName.clear();
  ImagePathName.clear();
  FileNamePanel->setText(QString::fromStdString(Format(" Specimen: %3d", {CurrentSpecimen})));
  if (!TemplateMenu->isChecked()) {
    nLM = nCurves = 0;
    LastCurveArea = LastCurveLength = 0;
  }
}

void TMorvexF::RightSBClick() {
  if (FBusy) return;
  PrevnLM = nLM;
  if (SpecimenChanged && !PutSpecimen(CurrentSpecimen)) return;
  const int count = DataList ? DataList->Count() : 0;
  if (SourceKind == 1) {
    if (CurrentSpecimen < count) {
      PrevSpecimen = CurrentSpecimen;
      ++CurrentSpecimen;
      if (!LoadSpecimen(CurrentSpecimen)) {
        --CurrentSpecimen;
        return;
      }
      if (CurrentSpecimen == count) EnableNext(false);
      if (CurrentSpecimen > 1) EnablePrevious(true);
    }
  } else {
    if (!DataList) {
      DataList = std::make_unique<TdataList>();
      EnableSaveCommands();
    }
    PrevSpecimen = CurrentSpecimen;
    if (CurrentSpecimen < count) {
      ++CurrentSpecimen;
      LoadSpecimen(CurrentSpecimen);
    } else {
      AppendNewSpecimen();
    }
    if (CurrentSpecimen > 1) EnablePrevious(true);
  }
  UpdateObjects();
  AddToListing(Format("Specimen no. %d", {CurrentSpecimen}));
  SetMode(CurrentMode);
}

void TMorvexF::LeftSBClick() {
  if (FBusy) return;
  PrevnLM = 0;
  if (CurrentSpecimen > 1) {
    if (SpecimenChanged && !PutSpecimen(CurrentSpecimen)) {
      SetMode(CurrentMode);
      return;
    }
    TemplateMenu->setChecked(false);
    TemplatePanel->setText(" ");
    PrevSpecimen = CurrentSpecimen;
    --CurrentSpecimen;
    LoadSpecimen(CurrentSpecimen);
    EnableNext(true);
    if (CurrentSpecimen == 1) EnablePrevious(false);
    AddToListing(Format("Specimen no. %d", {CurrentSpecimen}));
  }
  SetMode(CurrentMode);
}

void TMorvexF::GotoMenuClick() {
  if (FBusy) return;
  if (SpecimenChanged && !PutSpecimen(CurrentSpecimen)) return;
  const int count = DataList ? DataList->Count() : 0;
  if (count == 0) return;
  const std::optional<int> n =
      Dialogs().InputNumber(Format("Go to specimen (1 to %d)", {count}),
                            "Go to specimen number:", CurrentSpecimen, 1, count);
  if (n) CurrentSpecimen = *n;
  LoadSpecimen(CurrentSpecimen);
  EnableNext(CurrentSpecimen != count);
  EnablePrevious(CurrentSpecimen >= 2);
}

void TMorvexF::DeletecurrentspecimenMenuClick() {
  if (FBusy || !DataList || DataList->Count() <= 1) return;
  if (CurrentSpecimen < 1 || CurrentSpecimen > DataList->Count()) return;
  DataList->Delete(CurrentSpecimen - 1);
  // The scale list follows the specimens it belongs to.
  if (static_cast<std::size_t>(CurrentSpecimen) <= ScaleList.size())
    ScaleList.erase(ScaleList.begin() + (CurrentSpecimen - 1));
  if (CurrentSpecimen > DataList->Count()) --CurrentSpecimen;
  // The specimen on screen is gone; nothing of it is stored anywhere.
  SpecimenChanged = false;
  LoadSpecimen(CurrentSpecimen);
  EnablePrevious(CurrentSpecimen != 1);
  EnableNext(CurrentSpecimen < DataList->Count());
}

void TMorvexF::nLMPanelClick() {
  AddToListing(nLMPanel->text().toStdString());
}

void TMorvexF::UpdateMenu() {
  const TImageProcessor& p = lmkPMimage->Proc();
  UndoMenu->setEnabled(p.UndoCount() > 0);
  UndoMenu->setText(QString::fromStdString("&Undo " + p.UndoCaptions(0)));
  RedoMenu->setEnabled(p.RedoCount() > 0);
  RedoMenu->setText(QString::fromStdString("&Redo " + p.RedoCaptions(0)));
}

void TMorvexF::ZoomFitSBClick() {
  lmkPMimage->Fit();
  ZoomFactor = lmkPMimage->Zoom() / 100;
  ShowZoomFactor();
}

bool TMorvexF::SaveImageAs(std::string& name) {
  TFileDialogOptions o;
  o.Title = "Save image file";
  o.InitialDir = Directory;
  o.FileName = ExtractFileName(name);
  o.Filter = ImageFileFilter(false);
  const std::optional<std::string> chosen = Dialogs().SaveFile(o);
  if (!chosen) return false;
  const std::string ext = ExtractFileExt(*chosen);
  if (!CanWriteImageExtension(ext)) {
    Dialogs().ShowError("Unsupported output file type (" + ext + ")");
    return false;
  }
  std::string error;
  if (!SaveImageFile(*chosen, lmkPMimage->IEBitmap(), error)) {
    Dialogs().ShowError(error);
    return false;
  }
  name = *chosen;
  Directory = ExtractFilePath(*chosen);
  return true;
}
