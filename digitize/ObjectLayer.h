#pragma once
// How the data of the specimen on screen is shown as vector objects: landmark markers with
// their number labels, curves and outlines, tagged by object ID, and the rebuild that restyles
// and renumbers them. Works on the layer alone, so it is tested and measured without a window.

#include <cstdint>
#include <vector>

#include "imaging/VectorLayer.h"

// Object IDs.
enum : int {
  idNone = 0,
  idMarker = 1,
  idLabel = 2,
  idCurve = 3,
  idOutlineXY = 4,
  idOutlineChain = 5,
  idMeasureLine = 6,
  idAngle = 7,
  idProfileLine = 8,
  idOutlineRadii = 9,
  idOutlineRadiiXY = 10
};

constexpr TIEVStyles StyleShown = ievsSelectable | ievsMoveable | ievsVisible;
constexpr TIEVStyles StyleHidden = ievsSelectable | ievsMoveable;

// A missing landmark's marker carries this block as user data; a present one carries none.
std::vector<std::uint8_t> MissingMarkerData();
bool IsMissingMarker(const TVectorLayer& layer, int h);
bool IsOutlineID(int id);
// IDs a rebuild keeps.
bool KeptByRebuild(int id);

// Adds a marker of radius r centred on (x, y) and its label right after it; answers the
// marker's handle (the label's is one more).
int AddLandmarkObjects(TVectorLayer& layer, int x, int y, int r);

// Adds a curve from bitmap points with the template's pen, brush and closed flag.
int AddCurvePolyline(TVectorLayer& layer, const std::vector<TIEPoint>& points, int fontHeight);

struct TLayerStyle {
  int LMsize = 3;
  TIEColor LMcolor = 0;
  bool LMfill = true;
  TIEColor LabelColor = 0;
  int LabelSize = 12;
  bool LabelBold = false;
  bool WindowPixels = false;
  double ZoomFactor = 1;
  TIEColor CurveColor = 0;
  TIEColor OutlineColor = 0;
  bool ShowLabels = false;
  int BitmapWidth = 0;
  int BitmapHeight = 0;
};

struct TLayerCounts {
  int nLM = 0;
  int nCurves = 0;
};

// Removes the transient objects, keeps markers inside the bitmap, places every label from the
// marker before it and numbers the landmarks in drawing order.
TLayerCounts RebuildObjectLayer(TVectorLayer& layer, const TLayerStyle& s);

// Removes every object but markers and labels; answers the number of markers.
int RemoveNonLandmarkObjects(TVectorLayer& layer);

// Landmark position on screen: the centre of its marker.
TIEPoint MarkerCentre(const TVectorLayer& layer, int h);

// 1-based index of the point nearest (x, y) (the first of equally near ones) with its squared
// distance; 0 and 99999 when none is nearer than that.
struct TNearest {
  int Index = 0;
  int Distance2 = 99999;
};
TNearest NearestPolylinePoint(const std::vector<TIEPoint>& points, int x, int y);
