// The main window's outline commands.

#include <QAction>

#include "model/Text.h"
#include "outline/core/OutlineExport.h"
#include "platform/Dialogs.h"
#include "windows/Lmklst.h"
#include "workspace/BusyScope.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

void TMorvexF::SavejustoutlinesMenuClick() {
  if (FBusy) return;
  StoreBackBeforeSave();
  TFileDialogOptions o;
  o.Title = "Save just outlines";
  o.InitialDir = Directory;
  o.FileName = SaveFileName;
  o.Filter = "MXT files (*.MXT)|*.MXT|MATLAB files (*.M)|*.M|TXT files (*.TXT)|*.TXT";
  o.OverwritePrompt = true;
  const std::optional<std::string> chosen = Dialogs().SaveFile(o);
  if (!chosen) return;
  FullFileName = *chosen;
  Directory = ExtractFilePath(FullFileName);
  if (!DataList) DataList = std::make_unique<TdataList>();
  {
    // The listing lets window events run while it takes many lines.
    TBusyScope busy(*this, "Saving " + ExtractFileName(FullFileName) + " ...", [] { return 0; });
    SaveJustOutlines(FullFileName, *DataList, [](const std::string& line) {
      if (lmkLstF) lmkLstF->add(line);
    });
  }
  SaveFileName = ExtractFileName(FullFileName);
}
