#include "windows/ProgramDialogs.h"

#include "windows/GetDims.h"
#include "windows/fileExistsu.h"

TProgramDialogs::TProgramDialogs(QPointer<QWidget>* fileExistsSlot, QPointer<QWidget>* getDimsSlot)
    : FFileExistsSlot(fileExistsSlot), FGetDimsSlot(getDimsSlot) {}

std::optional<int> TProgramDialogs::InputNumber(const std::string& caption,
                                                const std::string& label, int value, int min,
                                                int max) {
  return RunGetDims(DialogParent(), caption, label, value, min, max, FGetDimsSlot);
}

TFileExistsChoice TProgramDialogs::FileExists(const std::string& fullName) {
  return RunFileExists(DialogParent(), fullName, FFileExistsSlot);
}
