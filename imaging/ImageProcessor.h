#pragma once
// Image processing on the view's bitmap, with undo and redo stacks of captioned
// whole-image steps. A step shares the bitmap's unchanged bands, so small edits of a
// very large image cost only the bands they touch; restoring a step is exact.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "imaging/IEBitmap.h"
#include "imaging/VectorLayer.h"

enum class TFlipDirection { fdHorizontal, fdVertical };

class TImageProcessor {
 public:
  explicit TImageProcessor(TIEBitmap& bitmap);

  // Called with the changed region after every change of the pixels (whole image when
  // the size or format changed).
  void SetOnChange(std::function<void(const TIERect&)> f) { FOnChange = std::move(f); }

  // When on (the default) each operation below saves an undo step with its own caption
  // before it changes the image; PaintPenMarker never does (the stroke saves one step).
  bool AutoUndo() const { return FAutoUndo; }
  void SetAutoUndo(bool v) { FAutoUndo = v; }

  // Grey levels in place; a colour image stays 24-bit with equal channels.
  void ConvertToGray();
  void Negative();
  void Flip(TFlipDirection d);
  // Crops to r (right and bottom exclusive), clipped to the image; an empty result is refused.
  bool Crop(const TIERect& r);
  // Two tones (1 bit): black where the grey level is below the threshold (0..255).
  void ConvertToBWThreshold(int threshold);
  // A round pen mark of the given width centred on (x, y); opacity 0..255. Colour images
  // are painted in place; other formats become 24-bit RGB first.
  void PaintPenMarker(int x, int y, int width, TIEColor color, int opacity = 255);

  // Undo and redo.
  int UndoLimit() const { return FUndoLimit; }
  void SetUndoLimit(int n);
  int UndoCount() const { return static_cast<int>(FUndo.size()); }
  int RedoCount() const { return static_cast<int>(FRedo.size()); }
  // Caption of entry i, 0 = newest; "" when there is no such entry.
  std::string UndoCaptions(int i) const;
  std::string RedoCaptions(int i) const;
  void SaveUndoCaptioned(const std::string& caption);
  void SaveRedoCaptioned(const std::string& caption);
  void SaveUndo() { SaveUndoCaptioned(""); }
  // Brings back the newest entry without removing it; false when the stack is empty.
  bool Undo();
  bool Redo();
  // Drop the newest entry.
  void ClearUndo();
  void ClearRedo();
  void ClearAllUndo();
  void ClearAllRedo();
  // Bytes held by the undo and redo entries beyond what the image itself holds.
  std::size_t HistoryBytes() const;
  // Most bytes the entries may hold beyond the image (a quarter of the machine's memory
  // unless set). Past it the oldest entries go, so that whole-image edits of a very large
  // image cannot exhaust memory; the newest entry of each stack always stays.
  std::size_t HistoryBudget() const { return FHistoryBudget; }
  void SetHistoryBudget(std::size_t bytes);

 private:
  struct TStep {
    std::string Caption;
    TIEBitmap::TSnapshot Image;
  };
  void Push(std::deque<TStep>& stack, const std::string& caption);
  void AutoSave(const char* caption);
  void Notify(const TIERect& r) const;
  // After a whole-image change, which is when the newest entry's cost becomes known.
  void NotifyAll() {
    KeepWithinBudget();
    Notify({0, 0, FBitmap.Width(), FBitmap.Height()});
  }

  TIEBitmap& FBitmap;
  std::function<void(const TIERect&)> FOnChange;
  bool FAutoUndo = true;
  int FUndoLimit = 9;
  void KeepWithinBudget();
  std::size_t FHistoryBudget;
  std::deque<TStep> FUndo, FRedo;  // front = newest
};
