// Saving the data list as LMK or MXT, appending another LMK file, clearing the digitized data,
// and the question before quitting with unsaved work.

#include <QAction>
#include <QLabel>
#include <filesystem>

#include "formats/Reader.h"
#include "formats/SafeReplace.h"
#include "imaging/ImageFiles.h"
#include "model/Errors.h"
#include "model/Text.h"
#include "platform/Dialogs.h"
#include "workspace/BusyScope.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

namespace {

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace

void TMorvexF::StoreBackBeforeSave() {
  // A blank last specimen without landmarks and without an image is not stored back.
  if (SpecimenChanged && (CurrentSpecimen < nSpecimens || nLM != 0 || !ImageFileName.empty()))
    PutSpecimen(CurrentSpecimen);
}

bool TMorvexF::ChooseSaveTarget(const std::string& title, const std::string& filter,
                                const std::string& defaultExt, std::string& chosen) {
  TFileDialogOptions o;
  o.Title = title;
  o.InitialDir = Directory;
  o.FileName = SaveFileName;
  o.Filter = filter;
  o.DefaultExt = defaultExt;
  o.OverwritePrompt = false;
  const std::optional<std::string> name = Dialogs().SaveFile(o);
  if (!name) return false;
  chosen = *name;
  FullFileName = chosen;
  Directory = ExtractFilePath(chosen);
  return true;
}

bool TMorvexF::AskFileExists(const std::string& path, bool& append) {
  append = false;
  if (!Exists(path)) return true;
  switch (Dialogs().FileExists(path)) {
    case TFileExistsChoice::Append:
      append = true;
      return true;
    case TFileExistsChoice::Overwrite:
      return true;
    case TFileExistsChoice::Cancel:
      break;
  }
  return false;
}

void TMorvexF::FinishSave() {
  SaveFileName = ExtractFileName(FullFileName);
  SpecimenChanged = false;
  DataChanged = false;
  setWindowTitle(QString::fromStdString(CaptionPrefix + DataFileName));
}

void TMorvexF::SaveMenuClick() {
  if (FBusy) return;
  StoreBackBeforeSave();
  std::string path;
  if (!ChooseSaveTarget("Save data", "LMK files (*.LMK)|*.LMK", "LMK", path)) return;
  bool append = false;
  if (!AskFileExists(path, append)) return;
  if (!DataList) DataList = std::make_unique<TdataList>();
  {
    // The old file stays whole until the new content is complete on disk.
    TBusyScope busy(*this, "Saving " + ExtractFileName(path) + " ...",
                    BlockProgress(DataList->Count()));
    SaveLandmarkFile(path, *DataList, false, IncludeimagepathMenu->isChecked(), Directory, append);
  }
  FinishSave();
}

void TMorvexF::SaveSBClick() {
  SaveMenuClick();
}

void TMorvexF::SaveDataAsMenuClick() {
  if (FBusy) return;
  StoreBackBeforeSave();
  std::string path;
  if (!ChooseSaveTarget("Save data as", "LMK files (*.LMK)|*.LMK|MXT files (*.MXT)|*.MXT", "",
                        path))
    return;
  const std::string ext = UpperCase(ExtractFileExt(path));
  if (ext != ".MXT" && ext != ".LMK")
    throw ElmkException("Only file types LMK and MXT are supported");
  if (ext == ".MXT" && nLM == 0) throw ElmkException("No landmarks, nothing to save.");
  bool append = false;
  if (!AskFileExists(path, append)) return;
  if (!DataList) DataList = std::make_unique<TdataList>();
  {
    TBusyScope busy(*this, "Saving " + ExtractFileName(path) + " ...",
                    BlockProgress(DataList->Count()));
    if (ext == ".MXT")
      SaveMxtFile(path, *DataList, append);
    else
      SaveLandmarkFile(path, *DataList, false, IncludeimagepathMenu->isChecked(), Directory,
                       append);
  }
  FinishSave();
}

void TMorvexF::AppendfileMenuClick() {
  if (FBusy) return;
  StoreBackAndOfferSave();
  if (multiF) multiF->close();
  const std::optional<std::string> chosen = ChooseInputFile("Append lmk file");
  if (!chosen) return;
  FullFileName = *chosen;
  if (UpperCase(ExtractFileExt(FullFileName)) != ".LMK")
    throw ElmkException("Only LMK files can be appended.");
  if (!DataList) DataList = std::make_unique<TdataList>();
  SaveFileName = DataFileName;
  ImageFileName.clear();
  // The reader keeps the specimens the list held when the appended file is refused; the
  // specimen on screen keeps pointing into the same list.
  try {
    if (!ReadDataFile(FullFileName, *DataList)) return;
    DataChanged = true;
    nSpecimens = DataList->Count();
    for (int k = 0; k < DataList->Count(); ++k) {
      TSpecimen& s = *DataList->Items(k);
      if (s.ImageFn().empty()) continue;
      const std::string file = ResolveImagePath(s.ImageFn());
      int w = 0, h = 0;
      std::string error;
      if (!ReadImageHeader(file, w, h, error))
        throw ElmkException("Image file not found: " + file + (error.empty() ? "" : "\n" + error));
      s.SetBaseY(h);
    }
  } catch (const ElmkException& e) {
    Dialogs().ShowError(e.what());
  }
  if (CurrentSpecimen >= 1 && CurrentSpecimen <= DataList->Count())
    ActiveSpecimen = DataList->Items(CurrentSpecimen - 1);
  else
    ActiveSpecimen = nullptr;
  // Go to reaches the appended specimens even when the list had only one before.
  if (nSpecimens > 1) GotoMenu->setEnabled(true);
  nSpecPanel->setText(QString::fromStdString(" n=" + std::to_string(nSpecimens)));
}

void TMorvexF::ClearfileMenuClick() {
  if (FBusy) return;
  if (!Dialogs().AskYesNo("Are you sure you want to\ndelete all landmarks?")) return;
  if (!DataList) return;
  for (int k = 0; k < DataList->Count(); ++k) {
    const TSpecimen& old = *DataList->Items(k);
    auto fresh = std::make_unique<TSpecimen>(0, 2);
    fresh->SetImageFn(old.ImageFn());
    fresh->SetID(old.ID());
    fresh->SetScale(0);
    DataList->Replace(k, std::move(fresh));
  }
  ActiveSpecimen = nullptr;
  if (DataList->Count() == 0) return;
  Scale = 1;
  CurrentSpecimen = 1;
  LoadSpecimen(1);
  EnablePrevious(false);
  EnableNext(SourceKind != 1 || DataList->Count() > 1);
}

bool TMorvexF::FormCloseQuery() {
  if (!DataChanged && !SpecimenChanged) return true;
  return Dialogs().AskYesNo("Information not saved,\nQuit anyway?");
}
