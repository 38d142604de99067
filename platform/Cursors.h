#pragma once
// The screen's cursor table and current cursor. Our own cursors are drawn here and loaded by
// their resource names; numbers below 1 are the platform's stock cursors.

#include <QCursor>
#include <array>
#include <map>
#include <string>

constexpr int crDefault = 0;
constexpr int crArrow = -2;
constexpr int crCross = -3;
constexpr int crHourGlass = -11;

// The program's cursors, in the order they are numbered 1 to 11.
inline constexpr std::array<const char*, 11> CursorResourceNames = {
    "CROSSHAIR", "CROSSHAIR2", "CROSSHAIR3", "CROSSHAIR4", "CROSSHAIR5", "ARROW2",
    "PENCIL",    "OUTLINE",    "PEN",        "CROP",       "MEASURE"};

// Draws the cursor named name; EMorvexError "Cursor resource not found: name" otherwise.
QCursor LoadCursorResource(const std::string& name);

class TScreen {
 public:
  static TScreen& Instance();
  void SetCursors(int number, const QCursor& c) { FCursors[number] = c; }
  // The cursor of a number; unknown numbers give the default arrow.
  QCursor Cursors(int number) const;
  bool HasCursor(int number) const { return number <= 0 || FCursors.count(number) > 0; }
  // The screen's current cursor, shown over every window of the program.
  int Cursor() const { return FCursor; }
  void SetCursor(int number);

 private:
  std::map<int, QCursor> FCursors;
  int FCursor = crDefault;
};

inline TScreen& Screen() {
  return TScreen::Instance();
}
// Loads the eleven cursors as numbers 1 to 11.
void LoadProgramCursors();
