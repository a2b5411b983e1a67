// "Navegar com o mouse": wheel zoom under the cursor and middle-button
// panning, and nothing of either while the option is off.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "tests/view/ViewFixture.h"
#include "view/MouseNavigation.h"
#include "view/ToolsUnit.h"
#include "view/ZoomScroll.h"

namespace {

class MouseNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    SetGameGlobalsAsAtStartUp();
    MouseNavigation = true;
    FillGroundList(chao);
    view = std::make_unique<TTestView>();
    view->RanchMap = &map;
    view->IMGChao = &chao;
    chao.SetDXDraw(view->Tela);
    view->SetClientSize(317, 224);  // a 300 x 207 surface
    view->show();
    view->Tela->StartDevice();
    Frame();
  }
  void TearDown() override {
    view.reset();
    ResetGameGlobals();
    ResetViewGlobals();
  }
  void Frame() { view->DXTimer1Timer(1); }
  void ScrollTo(int x, int y) {
    view->BarraHorizontal->setValue(x);
    view->BarraVertical->setValue(y);
    Frame();
  }
  QPoint TileAt(const QPoint& at) const { return {ViewX + at.x() / TileSize + 1, ViewY + at.y() / TileSize + 1}; }
  void Wheel(const QPoint& at, int delta) {
    QWheelEvent event(at, view->Tela->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->Tela, &event);
  }
  void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, view->Tela->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(view->Tela, &event);
  }
  // One notch at `at`: the tile there stays there as far as the limits of
  // the new size allow, and the next frame's map drawing keeps the position.
  void ZoomKeeping(const QPoint& at, int notch) {
    const QPoint tile = TileAt(at);
    Wheel(at, notch * TMouseNavigation::Notch);
    const int size = ZoomSizes[ZoomIndex];
    ASSERT_EQ(TileSize, size);
    const int x = std::clamp(ScrollKeeping(tile.x(), at.x(), size), 0, std::max(1, ScrollLimit(300, size)));
    const int y = std::clamp(ScrollKeeping(tile.y(), at.y(), size), 0, std::max(1, ScrollLimit(207, size)));
    EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(x, y)) << "at " << size;
    Frame();
    EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(x, y)) << "the frame moved the view at " << size;
  }

  TDXImageList chao;
  TMapa map;
  std::unique_ptr<TTestView> view;
};

TEST_F(MouseNavigationTest, WheelKeepsTheHoveredTileAtEveryStepAndEdge) {
  ScrollTo(30, 30);
  const QPoint at(150, 100);
  const QPoint tile = TileAt(at);
  for (int notch : {1, 1, 1, -1, -1, -1, -1, -1, -1}) {  // past both ends of the table
    ZoomKeeping(at, notch);
    EXPECT_EQ(TileAt(at), tile);
  }
  EXPECT_EQ(ZoomIndex, 1);
  Wheel(at, 60);  // half notches add up
  EXPECT_EQ(ZoomIndex, 1);
  Wheel(at, 60);
  EXPECT_EQ(ZoomIndex, 2);
  Wheel(at, std::numeric_limits<int>::max());  // a broken device's delta: the end of the table
  EXPECT_EQ(ZoomIndex, 5);

  // At the far corner and at the first tile the limits win.
  for (QPoint corner : {QPoint(295, 200), QPoint(290, 5), QPoint(5, 5)}) {
    ScrollTo(corner.x() > 100 ? 100 : 0, corner.y() > 100 ? 100 : 0);
    for (int notch : {-1, -1, 1, 1, 1, 1, -1}) ZoomKeeping(corner, notch);
  }
  EXPECT_EQ(TileAt({5, 5}), QPoint(1, 1));
}

TEST_F(MouseNavigationTest, MiddleDragMovesTheMapWithThePointer) {
  ScrollTo(40, 40);
  const QPoint from(150, 100);
  Mouse(QEvent::MouseButtonPress, from, Qt::MiddleButton, Qt::MiddleButton);
  Mouse(QEvent::MouseMove, from - QPoint(48, 24), Qt::NoButton, Qt::MiddleButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(42, 41));
  Mouse(QEvent::MouseMove, from + QPoint(37, 0), Qt::NoButton, Qt::MiddleButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(38, 40));  // a tile and a half rounds to two
  EXPECT_EQ(MouseX, from.x() + 37);                  // the hover marker still follows
  Mouse(QEvent::MouseMove, from + QPoint(5000, 5000), Qt::NoButton, Qt::MiddleButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(0, 0));
  Mouse(QEvent::MouseButtonRelease, from, Qt::MiddleButton, Qt::NoButton);
  Mouse(QEvent::MouseMove, from - QPoint(100, 100), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(0, 0));
}

TEST_F(MouseNavigationTest, OffTheWheelAndMiddleButtonDoNothingAndThePaletteKeepsTheScroll) {
  MouseNavigation = false;
  ScrollTo(20, 25);
  const QPoint at(150, 100);
  Wheel(at, 2 * TMouseNavigation::Notch);
  Mouse(QEvent::MouseButtonPress, at, Qt::MiddleButton, Qt::MiddleButton);
  Mouse(QEvent::MouseMove, at - QPoint(100, 100), Qt::NoButton, Qt::MiddleButton);
  Mouse(QEvent::MouseButtonRelease, at, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(ZoomIndex, 3);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(20, 25));

  QLabel status;
  TTools tools(view.get(), &status);
  for (bool on : {true, false}) {
    MouseNavigation = on;
    tools.BotAproximaClick();
    Frame();
    tools.BotReduzClick();
    tools.BotReduzClick();
    Frame();
    tools.BotAproximaClick();
    EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(20, 25));
  }
}

}  // namespace
