#pragma once
// The image view: draws the bitmap and its vector objects at a zoom in percent, with
// scroll bars, and turns mouse work into the view events the program handles.
//
// Event order: for every press, move and release the owner's OnMouseDown / OnMouseMove /
// OnMouseUp runs first, with window coordinates; the view's own handling (selection,
// dragging, putting lines and angles, rectangular selection) follows and reads the
// interaction settings as the owner's handler left them.

#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "imaging/IEBitmap.h"
#include "imaging/ImageProcessor.h"
#include "imaging/VectorLayer.h"
#include "imaging/VectorPainter.h"
#include "imaging/ViewMaths.h"

// Vector interactions (a set of bits).
using TIEMouseInteractVt = unsigned;
constexpr TIEMouseInteractVt miObjectSelect = 1, miPutLine = 2, miPutAngle = 4, miEditPolyline = 8;
// Image interactions.
using TIEMouseInteract = unsigned;
constexpr TIEMouseInteract miSelect = 1;
// Options of the rectangular selection.
using TIESelectionOptions = unsigned;
constexpr TIESelectionOptions iesoAnimated = 1, iesoSizeable = 2, iesoMoveable = 4;

enum class TIEMouseWheelAction { iemwNone, iemwVScroll, iemwZoom };

class TImageView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TImageView(QWidget* parent = nullptr);
  ~TImageView() override;

  TIEBitmap& IEBitmap() { return FBitmap; }
  const TIEBitmap& IEBitmap() const { return FBitmap; }
  TVectorLayer& Layer() { return FLayer; }
  const TVectorLayer& Layer() const { return FLayer; }
  TImageProcessor& Proc() { return FProc; }
  const TViewMaths& Maths() const { return FMaths; }

  // After changing the bitmap directly: drop cached copies, take its size, repaint.
  void ImageChanged();
  void ImageChanged(const TIERect& r);
  bool LoadFromFile(const std::string& path, std::string& error);
  bool IsEmpty() const { return FBitmap.IsEmpty(); }
  // No image: a chessboard, optionally with a logical size for the mapping.
  void Clear();
  void SetBlankSize(int width, int height);

  double Zoom() const { return FMaths.Zoom(); }
  void SetZoom(double percent);
  void Fit();  // zoom so that the whole image shows
  int ViewX() const { return FMaths.ViewX(); }
  int ViewY() const { return FMaths.ViewY(); }
  void SetViewXY(int x, int y);

  int XScr2Bmp(int x) const { return FMaths.XScr2Bmp(x); }
  int YScr2Bmp(int y) const { return FMaths.YScr2Bmp(y); }
  int XBmp2Scr(int x) const { return FMaths.XBmp2Scr(x); }
  int YBmp2Scr(int y) const { return FMaths.YBmp2Scr(y); }

  TIEMouseInteractVt MouseInteractVt() const { return FInteractVt; }
  void SetMouseInteractVt(TIEMouseInteractVt v);
  TIEMouseInteract MouseInteract() const { return FInteract; }
  void SetMouseInteract(TIEMouseInteract v);
  TIESelectionOptions SelectionOptions() const { return FSelOptions; }
  void SetSelectionOptions(TIESelectionOptions v);
  int MaxSelectionDistance() const { return FMaxSelectionDistance; }
  void SetMaxSelectionDistance(int v) { FMaxSelectionDistance = std::max(0, v); }
  TIEMouseWheelAction MouseWheelAction() const { return FWheelAction; }
  void SetMouseWheelAction(TIEMouseWheelAction a) { FWheelAction = a; }

  // Rectangular selection in bitmap pixels (X2, Y2 exclusive).
  bool Selected() const { return FSelected; }
  int SelX1() const { return FSel.Left; }
  int SelY1() const { return FSel.Top; }
  int SelX2() const { return FSel.Right; }
  int SelY2() const { return FSel.Bottom; }
  void Select(int x1, int y1, int x2, int y2);
  void Deselect();
  // Ends any put-line, put-angle, drag or selection in progress.
  void CancelInteracts();

  // Look of the grips of selected objects; size 0 hides them.
  int ObjGripSize() const { return FGripSize; }
  void SetObjGripSize(int v) { FGripSize = std::max(0, v), viewport()->update(); }
  TIEColor ObjGripPenColor() const { return FGripPen; }
  void SetObjGripPenColor(TIEColor c) { FGripPen = c; }
  TIEColor ObjGripBrushColor() const { return FGripBrush; }
  void SetObjGripBrushColor(TIEColor c) { FGripBrush = c; }
  TIEBrushStyle ObjGripBrushStyle() const { return FGripBrushStyle; }
  void SetObjGripBrushStyle(TIEBrushStyle s) { FGripBrushStyle = s; }

  void SetViewCursor(const QCursor& c) { viewport()->setCursor(c); }

  // Draws every visible object into the bitmap (which becomes 24-bit colour).
  void CopyObjectsToBack();
  // The bitmap (optionally with its objects drawn in) on the clipboard.
  void CopyToClipboard(bool withObjects = false);

  // Draws the view's window area `area` as the widget shows it.
  void PaintView(QPainter& p, const QRect& area);

  // Events to the owner.
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseDown;
  std::function<void(Qt::MouseButtons, Qt::KeyboardModifiers, int, int)> OnMouseMove;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseUp;
  // Raised with the new zoom (percent) before a zoom the view makes itself is applied.
  std::function<void(double&)> OnZoomIn;
  std::function<void(double&)> OnZoomOut;
  std::function<void(int)> OnObjectOver;
  std::function<void()> OnSelectObject;
  // grip: -1 for a move, the vertex index when a polyline point was dragged, 0..3 for
  // the corner grips (line: 0 start, 1 end); dx, dy the change of this step.
  std::function<void(int, int, int, int)> OnObjectMoveResize;
  std::function<void(int)> OnObjectClick;
  std::function<void(int)> OnObjectDblClick;
  std::function<void(int)> OnNewObject;  // a line or angle the view put is complete
  std::function<void()> OnSelectionChange;
  std::function<void()> OnViewChange;  // zoom or scroll changed

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  enum class TDrag { None, Move, Resize, Vertex, PutLine, Select, MoveSelection, SizeSelection };
  void Press(QMouseEvent* e);
  void SyncScrollBars();
  void ViewChanged();
  void DropCaches();
  const QImage& Level(int k);
  void RefreshLevels(const TIERect& r);
  int GripAt(int h, double sx, double sy) const;
  bool SelectObjectAt(int h, bool add);
  void DrawChessboard(QPainter& p, const QRect& area) const;

  TIEBitmap FBitmap;
  TVectorLayer FLayer;
  TImageProcessor FProc{FBitmap};
  TViewMaths FMaths;
  TPaintCache FCache;
  QImage FFrame;                  // the visible pixels at full size, reused between repaints
  std::map<int, QImage> FLevels;  // downscaled copies by 2^k

  TIEMouseInteractVt FInteractVt = 0;
  TIEMouseInteract FInteract = 0;
  TIESelectionOptions FSelOptions = 0;
  int FMaxSelectionDistance = 3;
  TIEMouseWheelAction FWheelAction = TIEMouseWheelAction::iemwVScroll;
  int FGripSize = 5;
  TIEColor FGripPen = IERGB(0, 0, 0), FGripBrush = IERGB(255, 255, 255);
  TIEBrushStyle FGripBrushStyle = TIEBrushStyle::bsSolid;
  bool FBlank = true;

  bool FSelected = false;
  TIERect FSel;
  QTimer FAnts;
  int FAntsPhase = 0;

  TDrag FDrag = TDrag::None;
  int FDragObj = -1, FDragIndex = -1;
  double FStartX = 0, FStartY = 0;  // bitmap position of the press
  int FAppliedX = 0, FAppliedY = 0;
  bool FDragMoved = false;
  TIEObjRect FDragRect;
  TIERect FSelStart;
  int FAngleObj = -1, FAngleStage = 0;
  int FHover = -1;
  bool FSyncing = false;
};
