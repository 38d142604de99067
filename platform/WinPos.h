#pragma once
// Window placements in the settings file: section "WinPos", one key per window, ten integers
// (flags, show state, minimised x y, maximised x y, normal left top right bottom).

#include <array>
#include <optional>
#include <string>

#include "model/Errors.h"

class QWidget;
class TIniFile;

// A silent abort: the command stops and nothing is shown.
class EAbort : public EMorvexError {
 public:
  explicit EAbort(const std::string& msg) : EMorvexError(msg) {}
};

using TWindowPlacement = std::array<int, 10>;

// The window whose minimised state counts as the application's.
void SetApplicationMainWindow(QWidget* w);

// The placement of window; EAbort "Unable to retrieve window placement" when there is none.
TWindowPlacement GetWindowPlacement(const QWidget* window);
std::string PlacementText(const TWindowPlacement& p);
// Ten integers separated by spaces, or nothing.
std::optional<TWindowPlacement> ParsePlacement(const std::string& text);

// Both do nothing without a settings file.
void SaveWinPos(const QWidget* window, TIniFile* ini, const std::string& key);
// Reads and splits the entry and puts the window at its normal rectangle, kept on screen;
// returns what was read.
std::optional<TWindowPlacement> ReadWinPos(QWidget* window, TIniFile* ini, const std::string& key);
void ApplyPlacement(QWidget* window, const TWindowPlacement& p);
