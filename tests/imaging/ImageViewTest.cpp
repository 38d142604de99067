#include "imaging/ImageView.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <vector>

#include "TestApp.h"

namespace {

class ImageView : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    FView = std::make_unique<TImageView>();
    FView->resize(420, 320);
    FView->show();
    FView->IEBitmap().Allocate(200, 150, TIEPixelFormat::ie24RGB);
    FView->ImageChanged();
    QApplication::processEvents();
  }
  QWidget* Port() { return FView->viewport(); }
  // Window point of the centre of bitmap pixel (x, y).
  QPoint At(int x, int y) const {
    return {int(FView->Maths().XBmp2ScrF(x + 0.5)), int(FView->Maths().YBmp2ScrF(y + 0.5))};
  }
  // A move with the left button held, as a drag makes it.
  void DragTo(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, Port()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(Port(), &e);
  }
  void Hover(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, Port()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(Port(), &e);
  }
  int AddMarker(int x, int y, int r) {
    TVectorLayer& L = FView->Layer();
    L.SetObjKind(-1, TIEVObjectKind::iekELLIPSE);
    L.SetObjRect(-1, {x - r, y - r, x + r + 1, y + r + 1});
    L.SetObjID(-1, 1);
    return L.AddNewObject();
  }
  std::unique_ptr<TImageView> FView;
};

TEST_F(ImageView, HoverSelectAndDragAnEllipse) {
  const int h = AddMarker(50, 40, 3);
  FView->SetMouseInteractVt(miObjectSelect);
  std::vector<int> over, clicks;
  std::vector<std::array<int, 4>> moves;
  int selects = 0;
  FView->OnObjectOver = [&](int o) { over.push_back(o); };
  FView->OnSelectObject = [&] { ++selects; };
  FView->OnObjectMoveResize = [&](int o, int g, int dx, int dy) {
    moves.push_back({o, g, dx, dy});
  };
  FView->OnObjectClick = [&](int o) { clicks.push_back(o); };

  Hover(At(10, 10));
  EXPECT_TRUE(over.empty());
  Hover(At(51, 40));
  ASSERT_EQ(over, std::vector<int>{h});

  QTest::mousePress(Port(), Qt::LeftButton, {}, At(50, 40));
  EXPECT_TRUE(FView->Layer().IsSelObject(h));
  EXPECT_EQ(selects, 1);
  DragTo(At(55, 42));
  DragTo(At(60, 50));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(60, 50));
  EXPECT_EQ(FView->Layer().ObjLeft(h), 57);
  EXPECT_EQ(FView->Layer().ObjTop(h), 47);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0], (std::array<int, 4>{h, -1, 5, 2}));
  EXPECT_EQ(moves[1], (std::array<int, 4>{h, -1, 5, 8}));
  EXPECT_TRUE(clicks.empty());  // it was a drag

  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(60, 50));
  EXPECT_EQ(clicks, std::vector<int>{h});
  // A click on empty space drops the selection.
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(150, 120));
  EXPECT_EQ(FView->Layer().SelObjectsCount(), 0);
}

TEST_F(ImageView, ObjectsThatAreNotMoveableStay) {
  const int h = AddMarker(50, 40, 3);
  FView->Layer().SetObjStyle(h, ievsSelectable | ievsVisible);
  FView->SetMouseInteractVt(miObjectSelect);
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(50, 40));
  DragTo(At(70, 40));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(70, 40));
  EXPECT_TRUE(FView->Layer().IsSelObject(h));
  EXPECT_EQ(FView->Layer().ObjLeft(h), 47);
}

TEST_F(ImageView, DragOnePolylineVertex) {
  TVectorLayer& L = FView->Layer();
  L.SetObjKind(-1, TIEVObjectKind::iekPOLYLINE);
  L.SetObjID(-1, 3);
  const int h = L.AddNewObject();
  L.SetObjPolylinePoints(h, {{20, 20}, {60, 20}, {60, 60}});
  FView->SetMouseInteractVt(miEditPolyline);
  std::vector<std::array<int, 4>> moves;
  FView->OnObjectMoveResize = [&](int o, int g, int dx, int dy) {
    moves.push_back({o, g, dx, dy});
  };
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(60, 20));
  DragTo(At(70, 25));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(70, 25));
  EXPECT_EQ(L.ObjPolylinePoints(h), (std::vector<TIEPoint>{{20, 20}, {70, 25}, {60, 60}}));
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], (std::array<int, 4>{h, 1, 10, 5}));
}

TEST_F(ImageView, PutALine) {
  TVectorLayer& L = FView->Layer();
  L.SetObjID(-1, 6);
  L.SetObjKind(-1, TIEVObjectKind::iekLINELABEL);
  FView->SetMouseInteractVt(miPutLine);
  int made = -1;
  FView->OnNewObject = [&](int h) { made = h; };
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(10, 10));
  DragTo(At(50, 40));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(50, 40));
  ASSERT_GE(made, 0);
  EXPECT_EQ(L.ObjKind(made), TIEVObjectKind::iekLINELABEL);
  EXPECT_EQ(L.ObjID(made), 6);
  EXPECT_EQ(L.ObjRect(made), (TIEObjRect{10, 10, 50, 40}));
  // A click without a drag leaves no line.
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(80, 80));
  EXPECT_EQ(L.ObjectsCount(), 1);
}

TEST_F(ImageView, PutAnAngleWithThreePressesOwnerFirst) {
  TVectorLayer& L = FView->Layer();
  FView->SetMouseInteractVt(miPutAngle);
  std::vector<int> countsSeenByOwner;
  // The owner prepares the template at the first press, before the view creates the angle.
  FView->OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    countsSeenByOwner.push_back(L.ObjectsCount());
    if (L.ObjectsCount() == 0) {
      L.SetObjID(-1, 7);
      L.SetObjPenColor(-1, IERGB(0, 0, 255));
    }
  };
  int made = -1;
  FView->OnNewObject = [&](int h) { made = h; };
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(100, 20));
  Hover(At(60, 60));
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(20, 20));
  ASSERT_EQ(L.ObjectsCount(), 1);
  const int h = L.GetObjFromIndex(0);
  EXPECT_EQ(made, -1);
  Hover(At(20, 90));
  EXPECT_EQ(L.ObjPolylinePoint(h, 2), (TIEPoint{20, 90}));  // the free arm follows
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(20, 100));
  EXPECT_EQ(countsSeenByOwner, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(made, h);
  EXPECT_EQ(L.ObjKind(h), TIEVObjectKind::iekANGLE);
  EXPECT_EQ(L.ObjID(h), 7);
  EXPECT_EQ(L.ObjPenColor(h), IERGB(0, 0, 255));
  EXPECT_NEAR(L.GetAngleValue(h), 90.0, 1e-9);
  // The next press starts another angle; the first stays.
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(150, 100));
  EXPECT_EQ(L.ObjectsCount(), 2);
  FView->CancelInteracts();
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(160, 100));
  EXPECT_EQ(L.ObjectsCount(), 3);  // cancelled: this press began a new one
}

TEST_F(ImageView, OwnerHandlersRunBeforeTheView) {
  const int h = AddMarker(50, 40, 3);
  FView->SetMouseInteractVt(miObjectSelect);
  std::vector<std::string> log;
  FView->OnMouseDown = [&](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    log.push_back("down sel=" + std::to_string(FView->Layer().SelObjectsCount()));
    EXPECT_EQ(b, Qt::LeftButton);
    EXPECT_EQ(FView->XScr2Bmp(x), 50);
    EXPECT_EQ(FView->YScr2Bmp(y), 40);
  };
  FView->OnSelectObject = [&] { log.push_back("select"); };
  FView->OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("up"); };
  FView->OnObjectClick = [&](int) { log.push_back("click"); };
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(50, 40));
  EXPECT_EQ(log, (std::vector<std::string>{"down sel=0", "select", "up", "click"}));
  // The owner can switch interactions off before the view acts on the press.
  FView->Layer().UnSelAllObjects();
  FView->OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    FView->SetMouseInteractVt(0);
  };
  QTest::mouseClick(Port(), Qt::LeftButton, {}, At(50, 40));
  EXPECT_FALSE(FView->Layer().IsSelObject(h));
}

TEST_F(ImageView, DoubleClickReachesTheOwner) {
  const int h = AddMarker(50, 40, 3);
  int dbl = -1;
  FView->OnObjectDblClick = [&](int o) { dbl = o; };
  QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(50, 40));
  EXPECT_EQ(dbl, h);
}

TEST_F(ImageView, RectangularSelection) {
  FView->SetMouseInteract(miSelect);
  FView->SetSelectionOptions(iesoAnimated | iesoMoveable);
  int changes = 0;
  FView->OnSelectionChange = [&] { ++changes; };
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(20, 30));
  DragTo(At(70, 60));
  DragTo(At(120, 80));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(120, 80));
  ASSERT_TRUE(FView->Selected());
  EXPECT_EQ(FView->SelX1(), 20);
  EXPECT_EQ(FView->SelY1(), 30);
  EXPECT_EQ(FView->SelX2(), 120);
  EXPECT_EQ(FView->SelY2(), 80);
  EXPECT_EQ(changes, 1);
  // Moveable: a drag inside moves it.
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(50, 50));
  DragTo(At(60, 55));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(60, 55));
  EXPECT_EQ(FView->SelX1(), 30);
  EXPECT_EQ(FView->SelY2(), 85);
  FView->Deselect();
  EXPECT_FALSE(FView->Selected());
  // Beyond the image the selection is clipped to it.
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(180, 140));
  DragTo(At(260, 200));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(260, 200));
  EXPECT_EQ(FView->SelX2(), 200);
  EXPECT_EQ(FView->SelY2(), 150);
}

TEST_F(ImageView, WheelZoomRaisesTheEventFirst) {
  FView->SetMouseWheelAction(TIEMouseWheelAction::iemwZoom);
  std::vector<double> seen;
  double zoomWhenRaised = 0;
  FView->OnZoomIn = [&](double& z) {
    seen.push_back(z);
    zoomWhenRaised = FView->Zoom();
  };
  FView->OnZoomOut = [&](double& z) { seen.push_back(-z); };
  const QPoint p = At(100, 75);
  QWheelEvent up(p, Port()->mapToGlobal(p), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(Port(), &up);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NEAR(seen[0], 110.0, 1e-9);
  EXPECT_DOUBLE_EQ(zoomWhenRaised, 100.0);  // not yet applied when raised
  EXPECT_NEAR(FView->Zoom(), 110.0, 1e-9);
  QWheelEvent down(p, Port()->mapToGlobal(p), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(Port(), &down);
  EXPECT_NEAR(seen[1], -100.0, 1e-9);
  EXPECT_NEAR(FView->Zoom(), 100.0, 1e-9);
  // The owner may change the new zoom.
  FView->OnZoomIn = [](double& z) { z = 300; };
  QApplication::sendEvent(Port(), &up);
  EXPECT_DOUBLE_EQ(FView->Zoom(), 300.0);
}

TEST_F(ImageView, WheelScrollsWhenSetTo) {
  FView->SetZoom(400);
  FView->SetMouseWheelAction(TIEMouseWheelAction::iemwVScroll);
  const int y0 = FView->ViewY();
  const QPoint p(50, 50);
  QWheelEvent down(p, Port()->mapToGlobal(p), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(Port(), &down);
  EXPECT_EQ(FView->ViewY(), y0 + 60);
  EXPECT_DOUBLE_EQ(FView->Zoom(), 400);
  EXPECT_EQ(FView->verticalScrollBar()->value(), FView->ViewY());
}

TEST_F(ImageView, MappingFollowsZoomAndScroll) {
  FView->SetZoom(300);
  FView->SetViewXY(90, 60);
  EXPECT_EQ(FView->XScr2Bmp(30), 40);
  EXPECT_EQ(FView->YScr2Bmp(30), 30);
  FView->SetZoom(50);
  // 100 x 75 pixels on screen: centred in the window.
  EXPECT_EQ(FView->XScr2Bmp(int(FView->Maths().OffsetX()) + 10), 20);
}

TEST_F(ImageView, EmptyViewShowsAChessboard) {
  FView->Clear();
  EXPECT_TRUE(FView->IsEmpty());
  QImage shot(64, 64, QImage::Format_RGB32);
  QPainter p(&shot);
  FView->PaintView(p, QRect(0, 0, 64, 64));
  p.end();
  EXPECT_NE(shot.pixel(2, 2), shot.pixel(10, 2));
  EXPECT_EQ(shot.pixel(2, 2), shot.pixel(10, 10));
}

TEST_F(ImageView, PaintsTheImageAtEveryZoom) {
  TIEBitmap& b = FView->IEBitmap();
  b.Allocate(400, 400, TIEPixelFormat::ie8g);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) b.WritableScanLine(y)[x] = x < 200 ? 40 : 220;
  FView->ImageChanged();
  for (double zoom : {5.0, 25.0, 100.0, 400.0}) {
    FView->SetZoom(zoom);
    FView->SetViewXY(0, 0);
    QImage shot(FView->viewport()->size(), QImage::Format_RGB32);
    QPainter p(&shot);
    FView->PaintView(p, shot.rect());
    p.end();
    const QPoint left = At(20, 20), right = At(380, 20);
    EXPECT_EQ(qGray(shot.pixel(left)), 40) << zoom;
    if (shot.rect().contains(right)) {
      EXPECT_EQ(qGray(shot.pixel(right)), 220) << zoom;
    }
  }
  // A paint stroke reaches the cached reduced copy too.
  FView->SetZoom(25);
  QImage before(FView->viewport()->size(), QImage::Format_RGB32);
  {
    QPainter p(&before);
    FView->PaintView(p, before.rect());
  }
  FView->Proc().PaintPenMarker(20, 20, 9, IERGB(255, 0, 0));
  QImage after(FView->viewport()->size(), QImage::Format_RGB32);
  {
    QPainter p(&after);
    FView->PaintView(p, after.rect());
  }
  EXPECT_GT(qRed(after.pixel(At(20, 20))), 150);
  EXPECT_LT(qGreen(after.pixel(At(20, 20))), 60);
}

TEST_F(ImageView, CopyObjectsToBackDrawsIntoTheBitmap) {
  const int h = AddMarker(50, 40, 4);
  FView->Layer().SetObjBrushStyle(h, TIEBrushStyle::bsSolid);
  FView->Layer().SetObjBrushColor(h, IERGB(255, 0, 0));
  FView->Layer().SetObjPenColor(h, IERGB(255, 0, 0));
  FView->Proc().SaveUndo();
  FView->CopyObjectsToBack();
  EXPECT_EQ(FView->IEBitmap().PixelRGB(50, 40), (TIERGB{255, 0, 0}));
  EXPECT_EQ(FView->IEBitmap().PixelRGB(70, 40), (TIERGB{0, 0, 0}));
  ASSERT_TRUE(FView->Proc().Undo());
  EXPECT_EQ(FView->IEBitmap().PixelRGB(50, 40), (TIERGB{0, 0, 0}));
}

TEST_F(ImageView, GripsResizeSizeableObjects) {
  const int h = AddMarker(50, 40, 3);  // box (47, 37) - (54, 44)
  FView->SetMouseInteractVt(miObjectSelect);
  FView->SetObjGripSize(6);
  FView->Layer().AddSelObject(h);
  int grip = -9;
  FView->OnObjectMoveResize = [&](int, int g, int, int) { grip = g; };
  // The top-right grip.
  const QPoint corner(int(FView->Maths().XBmp2ScrF(54)), int(FView->Maths().YBmp2ScrF(37)));
  QTest::mousePress(Port(), Qt::LeftButton, {}, corner);
  DragTo(corner + QPoint(10, 0));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, corner + QPoint(10, 0));
  EXPECT_EQ(grip, 1);
  EXPECT_EQ(FView->Layer().ObjWidth(h), 17);
  EXPECT_EQ(FView->Layer().ObjLeft(h), 47);
}

}  // namespace

namespace {

TEST_F(ImageView, CopyToClipboardWithAndWithoutObjects) {
  FView->IEBitmap().SetPixelRGB(5, 5, {0, 255, 0});
  const int h = AddMarker(50, 40, 4);
  FView->Layer().SetObjBrushStyle(h, TIEBrushStyle::bsSolid);
  FView->Layer().SetObjBrushColor(h, IERGB(255, 0, 0));
  FView->CopyToClipboard();
  QImage got = QGuiApplication::clipboard()->image();
  ASSERT_EQ(got.size(), QSize(200, 150));
  EXPECT_EQ(got.pixel(5, 5), qRgb(0, 255, 0));
  EXPECT_EQ(got.pixel(50, 40), qRgb(0, 0, 0));
  FView->CopyToClipboard(true);
  got = QGuiApplication::clipboard()->image();
  EXPECT_EQ(got.pixel(50, 40), qRgb(255, 0, 0));
  // The image on screen keeps no trace of the objects.
  EXPECT_EQ(FView->IEBitmap().PixelRGB(50, 40), (TIERGB{0, 0, 0}));
}

TEST_F(ImageView, GripSizeZeroHidesGripsAndTheirResizing) {
  const int h = AddMarker(50, 40, 3);
  FView->SetMouseInteractVt(miObjectSelect);
  FView->SetObjGripSize(0);
  FView->Layer().AddSelObject(h);
  const QPoint corner(int(FView->Maths().XBmp2ScrF(54)), int(FView->Maths().YBmp2ScrF(37)));
  QTest::mousePress(Port(), Qt::LeftButton, {}, corner);
  DragTo(corner + QPoint(10, 0));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, corner + QPoint(10, 0));
  EXPECT_EQ(FView->Layer().ObjWidth(h), 7);  // moved or untouched, never resized
}

TEST_F(ImageView, SizeableSelectionCornerDrag) {
  FView->SetMouseInteract(miSelect);
  FView->SetSelectionOptions(iesoSizeable);
  FView->Select(20, 30, 120, 80);
  const QPoint br(int(FView->Maths().XBmp2ScrF(120)), int(FView->Maths().YBmp2ScrF(80)));
  QTest::mousePress(Port(), Qt::LeftButton, {}, br);
  DragTo(br + QPoint(10, 5));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, br + QPoint(10, 5));
  EXPECT_EQ(FView->SelX1(), 20);
  EXPECT_EQ(FView->SelX2(), 130);
  EXPECT_EQ(FView->SelY2(), 85);
}

}  // namespace
