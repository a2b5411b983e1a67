// "Mapa grande": the view fills the document area beside the palette,
// follows it, and goes back to its size and limits when the option goes off.
#include <gtest/gtest.h>

#include <QMdiArea>

#include "tests/view/NavigationFixture.h"
#include "view/LargeMap.h"

namespace {

class LargeMapTest : public TNavigationFixture {
 protected:
  void SetUp() override {
    TNavigationFixture::SetUp();
    area = std::make_unique<QMdiArea>();
    area->resize(1400, 900);
    area->addSubWindow(view.get());
    area->show();
    view->move(86, 0);
    QCoreApplication::processEvents();
    normal = view->geometry();
  }
  void TearDown() override {
    LargeMapOn = false;
    // The area would delete the view it holds; the fixture owns it.
    view->setParent(nullptr);
    area.reset();
    TNavigationFixture::TearDown();
  }
  void Switch(bool on) {
    LargeMapOn = on;
    view->LargeMap->Apply();
    QCoreApplication::processEvents();
  }
  QRect Filled() const {
    const QSize room = area->viewport()->size();
    return {TLargeMap::Left, 0, room.width() - TLargeMap::Left, room.height()};
  }

  std::unique_ptr<QMdiArea> area;
  QRect normal;
};

TEST_F(LargeMapTest, FillsTheAreaFollowsItAndGoesBack) {
  ASSERT_LE(normal.width(), MapViewMaxWidth);
  Switch(true);
  EXPECT_EQ(view->geometry(), Filled());
  EXPECT_GT(view->width(), MapViewMaxWidth);
  EXPECT_EQ(view->Tela->width(), view->ClientWidth() - 17);
  EXPECT_EQ(view->Tela->height(), view->ClientHeight() - 17);
  Frame();
  EXPECT_EQ(view->Tela->BackSurface()->Width(), view->Tela->width());

  // The main window grows, shrinks, is maximised: the view follows.
  for (QSize size : {QSize(1920, 1080), QSize(700, 500)}) {
    area->resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->geometry(), Filled());
  }

  Switch(false);
  EXPECT_EQ(view->geometry(), normal);
  EXPECT_EQ(view->maximumSize(), QSize(MapViewMaxWidth, MapViewMaxHeight));
  area->resize(1800, 1000);
  QCoreApplication::processEvents();
  EXPECT_EQ(view->geometry(), normal);
}

TEST_F(LargeMapTest, AMinimisedViewComesBackLarge) {
  view->showMinimized();
  QCoreApplication::processEvents();
  Switch(true);
  EXPECT_FALSE(view->isMinimized());
  EXPECT_EQ(view->geometry(), Filled());
}

// At 12 pixels a tile the map is 1152 pixels wide, less than the view.
TEST_F(LargeMapTest, BeyondTheMapTheToolsDoNothing) {
  area->resize(1920, 1080);
  Switch(true);
  ZoomIndex = 1;
  Frame(2);
  ASSERT_EQ(TileSize, 12);
  ASSERT_GT(view->Tela->width(), 96 * 12);
  EXPECT_EQ(ViewX, 0);
  const TMapaRecord before = map->Record();
  view->CurrentTool = tlBulldoze;
  view->Tecla->Mouse.SetButtonHeld(0, true);
  view->cursor = {view->Tela->width() - 20, 20};
  view->TelaMouseMove(view->Tela->width() - 30, 30);
  Frame(3);
  EXPECT_EQ(map->Record().funds, before.funds);
  EXPECT_TRUE(view->sounds.empty());
}

}  // namespace
