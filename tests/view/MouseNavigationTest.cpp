// "Navegar com o mouse": wheel zoom under the cursor and middle-button
// panning, and nothing of either while the option is off.
#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>

#include "tests/view/NavigationFixture.h"
#include "view/MouseNavigation.h"
#include "view/ToolsUnit.h"

namespace {

class MouseNavigationTest : public TNavigationFixture {
 protected:
  void SetUp() override {
    TNavigationFixture::SetUp();
    MouseNavigation = true;
  }
  // After a zoom: the scroll position is what keeping `tile` at `at` asks,
  // as far as the limits of the new size allow, and the next frame's map
  // drawing keeps it.
  void ExpectKept(const QPoint& tile, const QPoint& at) {
    const int size = ZoomSizes[ZoomIndex];
    EXPECT_EQ(TileSize, size);
    const int limitX = ScrollLimit(view->Tela->width(), size);
    const int limitY = ScrollLimit(view->Tela->height(), size);
    EXPECT_EQ(ViewX, std::clamp(ScrollKeeping(tile.x(), at.x(), size), 0, limitX)) << "zoom " << size;
    EXPECT_EQ(ViewY, std::clamp(ScrollKeeping(tile.y(), at.y(), size), 0, limitY)) << "zoom " << size;
    const int x = ViewX, y = ViewY;
    Frame();
    EXPECT_EQ(ViewX, x) << "the frame moved the view at zoom " << size;
    EXPECT_EQ(ViewY, y) << "the frame moved the view at zoom " << size;
  }
};

TEST_F(MouseNavigationTest, WheelKeepsTheHoveredTileAtEveryZoomStep) {
  ScrollTo(30, 30);
  const QPoint at(150, 100);
  view->TelaMouseMove(at.x(), at.y());
  const QPoint tile = TileAt(at);
  for (int expected : {4, 5, 5}) {  // the last notch finds the end of the table
    Wheel(at, TMouseNavigation::Notch);
    EXPECT_EQ(ZoomIndex, expected);
    EXPECT_EQ(TileAt(at), tile);
    ExpectKept(tile, at);
  }
  view->cursor = at;
  Frame();
  EXPECT_EQ(QPoint(HoverX, HoverY), tile);
  for (int expected : {4, 3, 2, 1, 1}) {
    Wheel(at, -TMouseNavigation::Notch);
    EXPECT_EQ(ZoomIndex, expected);
    EXPECT_EQ(TileAt(at), tile) << "zoom index " << expected;
    ExpectKept(tile, at);
  }
  // Several notches in one event: one step each.
  Wheel(at, 3 * TMouseNavigation::Notch);
  EXPECT_EQ(ZoomIndex, 4);
  EXPECT_EQ(TileAt(at), tile);
}

TEST_F(MouseNavigationTest, AtTheMapsEdgesTheLimitsWin) {
  // Far right and bottom: zooming out would need a scroll past the limit.
  ScrollTo(100, 100);
  Frame();
  const QPoint corner(295, 200);
  QPoint tile = TileAt(corner);
  for (int step = 0; step < 2; ++step) {
    Wheel(corner, -TMouseNavigation::Notch);
    ExpectKept(tile, corner);
  }
  EXPECT_LE(ViewX, view->BarraHorizontal->maximum());
  // Zooming in keeps the hovered corner tile on show.
  tile = TileAt(corner);
  for (int step = 0; step < 4; ++step) {
    Wheel(corner, TMouseNavigation::Notch);
    ExpectKept(tile, corner);
    EXPECT_EQ(TileAt(corner), tile);
  }

  // Top left: the first tile stays put, a far one is given up at 0.
  ScrollTo(0, 0);
  Frame();
  Wheel({5, 5}, -TMouseNavigation::Notch);
  EXPECT_EQ(TileAt({5, 5}), QPoint(1, 1));
  const QPoint far(290, 5);
  tile = TileAt(far);
  Wheel(far, -TMouseNavigation::Notch);
  ExpectKept(tile, far);
  EXPECT_EQ(ViewX, 0);
}

TEST_F(MouseNavigationTest, PartialNotchesAddUp) {
  const QPoint at(100, 100);
  Wheel(at, 60);
  EXPECT_EQ(ZoomIndex, 3);
  Wheel(at, 60);
  EXPECT_EQ(ZoomIndex, 4);
  Wheel(at, -90);
  EXPECT_EQ(ZoomIndex, 4);
  Wheel(at, -30);
  EXPECT_EQ(ZoomIndex, 3);
}

TEST_F(MouseNavigationTest, MiddleDragMovesTheMapWithThePointer) {
  ScrollTo(40, 40);
  const QPoint from(150, 100);
  Mouse(QEvent::MouseButtonPress, from, Qt::MiddleButton, Qt::MiddleButton);
  // Pulled up and left by two tiles and one: the map follows the pointer.
  Mouse(QEvent::MouseMove, from - QPoint(2 * 24, 24), Qt::NoButton, Qt::MiddleButton);
  EXPECT_EQ(ViewX, 42);
  EXPECT_EQ(ViewY, 41);
  Mouse(QEvent::MouseMove, from + QPoint(24 + 13, 0), Qt::NoButton, Qt::MiddleButton);
  EXPECT_EQ(ViewX, 38);  // a tile and a half rounds to two
  EXPECT_EQ(ViewY, 40);
  EXPECT_EQ(MouseX, from.x() + 37);  // the surface still records the pointer
  Mouse(QEvent::MouseButtonRelease, from, Qt::MiddleButton, Qt::NoButton);
  Mouse(QEvent::MouseMove, from - QPoint(100, 100), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(ViewX, 38);
  // Dragged far beyond the map: the scroll bars stop it.
  Mouse(QEvent::MouseButtonPress, from, Qt::MiddleButton, Qt::MiddleButton);
  Mouse(QEvent::MouseMove, from + QPoint(5000, 5000), Qt::NoButton, Qt::MiddleButton);
  EXPECT_EQ(ViewX, 0);
  EXPECT_EQ(ViewY, 0);
  Mouse(QEvent::MouseButtonRelease, from, Qt::MiddleButton, Qt::NoButton);
}

TEST_F(MouseNavigationTest, OffTheWheelAndMiddleButtonDoNothing) {
  MouseNavigation = false;
  ScrollTo(20, 20);
  const QPoint at(150, 100);
  Wheel(at, TMouseNavigation::Notch);
  Wheel(at, -2 * TMouseNavigation::Notch);
  EXPECT_EQ(ZoomIndex, 3);
  EXPECT_EQ(TileSize, 24);
  Mouse(QEvent::MouseButtonPress, at, Qt::MiddleButton, Qt::MiddleButton);
  Mouse(QEvent::MouseMove, at - QPoint(100, 100), Qt::NoButton, Qt::MiddleButton);
  Mouse(QEvent::MouseButtonRelease, at, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(ViewX, 20);
  EXPECT_EQ(ViewY, 20);
  // Half a notch given while off does not count once it is on.
  Wheel(at, 60);
  MouseNavigation = true;
  Wheel(at, 60);
  EXPECT_EQ(ZoomIndex, 3);
}

TEST_F(MouseNavigationTest, PaletteZoomLeavesTheScrollEitherWay) {
  QLabel status;
  TTools tools(view.get(), &status);
  ScrollTo(20, 25);
  for (bool on : {true, false}) {
    MouseNavigation = on;
    tools.BotAproximaClick();
    Frame(2);
    tools.BotReduzClick();
    tools.BotReduzClick();
    Frame(2);
    EXPECT_EQ(ViewX, 20);
    EXPECT_EQ(ViewY, 25);
    tools.BotAproximaClick();
  }
  EXPECT_EQ(ZoomIndex, 3);
}

}  // namespace
