#pragma once
// Moving the annotations over an image with the image when it is flipped or cropped.

#include <string>
#include <string_view>
#include <vector>

#include "model/Vectors.h"

enum class TTransformKind { Vertical, Horizontal, Crop };

// "vertical", "horizontal" or "crop"; anything else raises ElmkException.
TTransformKind ParseTransformKind(std::string_view kind);

// The view's bitmap size and its rectangular selection (X1, Y1)-(X2, Y2), bitmap coordinates.
struct TTransformFrame {
  int Width = 0;
  int Height = 0;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// One vector object as the transforms see it: markers and labels (IDs 1, 2) move by their
// box, curves and XY outlines (IDs 3, 4) point by point; outlines in other forms (5, 9, 10)
// cannot be moved; everything else is left alone. A marker whose centre stays on the image
// keeps that centre exactly; one whose centre leaves it is pulled to the edge.
struct TAnnotationObject {
  int ID = 0;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<Ticoords> Points;
};

struct TAdjustCheck {
  bool Cannot = false;
  bool Outside = false;
  // Empty when nothing needs asking; otherwise the question for the "Warning" box (OK/Cancel).
  std::string Message;
};

TAdjustCheck CheckAdjustAnnotations(TTransformKind kind, const TTransformFrame& frame,
                                    const std::vector<TAnnotationObject>& objects);
void AdjustAnnotations(TTransformKind kind, const TTransformFrame& frame,
                       std::vector<TAnnotationObject>& objects);
