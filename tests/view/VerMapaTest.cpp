#include <gtest/gtest.h>

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <cstdlib>

#include "tests/view/ViewFixture.h"

namespace {

constexpr int VkRight = 39;
constexpr int VkLeft = 37;

class MapView : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    SetGameGlobalsAsAtStartUp();
    ResetViewGlobals();
    FillGroundList(chao);
    FillOtherList(outros);
    map = std::make_unique<TMapa>(&host);
    view = MakeTestView(*map, chao, outros);
  }
  void TearDown() override {
    view.reset();
    ResetGameGlobals();
    ResetViewGlobals();
  }
  void Start() {
    view->show();
    view->Tela->StartDevice();
    ASSERT_TRUE(view->Tela->ReadyToDraw());
  }
  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) view->DXTimer1Timer(1);
  }
  void Hover(int x, int y) {
    view->TelaMouseMove((x - 1 - ViewX) * TileSize + 5, (y - 1 - ViewY) * TileSize + 5);
  }
  void Hold(bool held) { view->Tecla->Mouse.SetButtonHeld(0, held); }
  // The surface point in the middle of tile (x, y).
  QPoint Centre(int x, int y) const {
    return {(x - 1 - ViewX) * TileSize + TileSize / 2, (y - 1 - ViewY) * TileSize + TileSize / 2};
  }
  void Press(int x, int y) { QTest::mousePress(view->Tela, Qt::LeftButton, {}, Centre(x, y)); }
  void Release(int x, int y) { QTest::mouseRelease(view->Tela, Qt::LeftButton, {}, Centre(x, y)); }
  std::uint32_t Pixel(int x, int y) const { return view->Tela->BackSurface()->Line(y)[x]; }
  std::int32_t Funds() const { return map->Record().funds; }
  int Count(int sound) const {
    return static_cast<int>(std::count(view->sounds.begin(), view->sounds.end(), sound));
  }
  // The marker's colour over the tile's picture, blended at 96 out of 255.
  void ExpectMarker(int x, int y, std::uint32_t marker) {
    const int left = (x - 1 - ViewX) * TileSize, top = (y - 1 - ViewY) * TileSize;
    const TDirectDrawSurface& back = *view->Tela->BackSurface();
    ASSERT_TRUE(left >= 0 && top >= 0 && left + 4 < back.Width() && top + 4 < back.Height())
        << "tile " << x << "," << y << " lies off the surface";
    const std::uint32_t got = view->Tela->BackSurface()->Line(top + 4)[left + 4];
    const std::uint32_t ground = GroundPixel(map->Record().tiles[x][y].image);
    for (int shift : {0, 8, 16}) {
      const int expected = (96 * int((marker >> shift) & 255) + 159 * int((ground >> shift) & 255)) / 255;
      EXPECT_NEAR(int((got >> shift) & 255), expected, 2) << "channel " << shift;
    }
  }

  TDXImageList chao, outros;
  TRecordingHost host;
  std::unique_ptr<TMapa> map;
  std::unique_ptr<TTestView> view;
};

TEST_F(MapView, CreationLeavesNoToolAndRateZero) {
  DrawRate = 77;
  view->CurrentTool = tlCerca;
  view->FormCreate();
  EXPECT_EQ(DrawRate, 0);
  EXPECT_EQ(view->CurrentTool, tlNone);
  EXPECT_EQ(view->DXTimer1->Interval(), 66);
  EXPECT_LE(view->maximumWidth(), 657);
  EXPECT_LE(view->maximumHeight(), 524);
}

TEST_F(MapView, ResizeKeepsTheSurfaceAndBarsInTheCorners) {
  Start();
  view->SetClientSize(400, 300);
  EXPECT_EQ(view->ClientWidth(), 400);
  EXPECT_EQ(view->Tela->width(), 383);
  EXPECT_EQ(view->Tela->height(), 283);
  EXPECT_EQ(view->BarraVertical->geometry(), QRect(384, 0, 16, 284));
  EXPECT_EQ(view->BarraHorizontal->geometry(), QRect(0, 284, 384, 16));
  EXPECT_EQ(view->Panel1->pos(), QPoint(384, 284));
}

struct TSpeedCase {
  unsigned char speed;
  int framesPerStep;
  int daysPerStep;
};

TEST_F(MapView, GameClockStepsAtEachSpeed) {
  // The surface is not started: the clock runs all the same.
  for (TSpeedCase c : {TSpeedCase{1, 3, 2}, {2, 9, 1}, {3, 26, 1}, {4, 45, 1}, {5, 90, 1}}) {
    GameSpeed = c.speed;
    TickCount = 0;
    host.dates.clear();
    Frame(c.framesPerStep - 1);
    EXPECT_TRUE(host.dates.empty()) << int(c.speed);
    Frame();
    EXPECT_EQ(int(host.dates.size()), c.daysPerStep) << int(c.speed);
    EXPECT_EQ(TickCount, 0);
    Frame(2 * c.framesPerStep);
    EXPECT_EQ(int(host.dates.size()), 3 * c.daysPerStep) << int(c.speed);
  }
}

TEST_F(MapView, ParadoStopsTheCalendarButCountsOn) {
  GameSpeed = 6;
  TickCount = 65530;
  Frame(100);
  EXPECT_TRUE(host.dates.empty());
  EXPECT_EQ(TickCount, static_cast<unsigned short>(65530 + 100));
  // A faster speed steps at once when the count is already past it.
  GameSpeed = 1;
  Frame();
  EXPECT_EQ(host.dates.size(), 2u);
}

TEST_F(MapView, FrameWithSurfaceNotReadyDrawsAndReadsNothing) {
  view->frameCost = 5;
  view->CurrentTool = tlTerra;
  Hover(10, 10);
  Hold(true);
  Frame(3);
  EXPECT_EQ(DrawRate, 0);
  EXPECT_EQ(map->Record().tiles[10][10].kind, tkEmpty);
  EXPECT_EQ(Funds(), 40000);
  EXPECT_EQ(TickCount, 3);
}

TEST_F(MapView, DraggingARoadChargesEachNewTileOnce) {
  Start();
  view->CurrentTool = tlTerra;
  Hold(true);
  Hover(10, 5);
  Frame();
  EXPECT_EQ(map->Record().tiles[10][5].kind, tkDirtRoad);
  EXPECT_EQ(Funds(), 40000 - 20);
  EXPECT_EQ(Count(vsPlop), 1);
  EXPECT_TRUE(ClickLatch);

  // Staying put: the tile is road now, so red, and the latch keeps it quiet.
  Frame(3);
  ExpectMarker(10, 5, RedPixel);
  EXPECT_EQ(Funds(), 40000 - 20);
  EXPECT_EQ(Count(vsOps), 0);

  Hover(11, 5);
  Frame();
  Hover(12, 5);
  Frame();
  EXPECT_EQ(map->Record().tiles[12][5].kind, tkDirtRoad);
  EXPECT_EQ(Funds(), 40000 - 60);
  EXPECT_EQ(Count(vsPlop), 3);
  EXPECT_EQ(Count(vsOps), 0);
}

// Everything the tool does between a press and a release is one stroke for
// undo, however many tiles it passes and wherever the button comes up.
TEST_F(MapView, PressToReleaseIsOneStroke) {
  Start();
  TStrokeHistory strokes;
  view->Strokes = &strokes;
  view->CurrentTool = tlTerra;
  Hold(true);
  for (int x = 10; x <= 12; ++x) {
    Hover(x, 5);
    Frame();
  }
  EXPECT_TRUE(strokes.IsOpen());
  Hold(false);
  Frame();
  EXPECT_FALSE(strokes.IsOpen());
  EXPECT_EQ(strokes.UndoCount(), 1U);

  Hold(true);
  Hover(14, 5);
  Frame();
  view->cursor = {-5, -5};  // released away from the map
  Hold(false);
  Frame();
  EXPECT_FALSE(strokes.IsOpen());
  EXPECT_EQ(strokes.UndoCount(), 2U);
  EXPECT_EQ(Funds(), 40000 - 4 * 20);

  // Taps over before the next frame are strokes of their own, one each.
  view->cursor = {20, 20};
  Hover(20, 5);
  Press(20, 5);
  Release(20, 5);
  Frame();
  Hover(22, 5);
  Press(22, 5);
  Release(22, 5);
  Frame();
  EXPECT_EQ(strokes.UndoCount(), 4U);
  ASSERT_TRUE(strokes.Undo(*map));
  EXPECT_EQ(map->Record().tiles[22][5].kind, tkEmpty);
  EXPECT_EQ(map->Record().tiles[20][5].kind, tkDirtRoad);
  ASSERT_TRUE(strokes.Undo(*map));
  EXPECT_EQ(map->Record().tiles[20][5].kind, tkEmpty);

  ASSERT_TRUE(strokes.Undo(*map));
  EXPECT_EQ(map->Record().tiles[14][5].kind, tkEmpty);
  EXPECT_EQ(map->Record().tiles[12][5].kind, tkDirtRoad);
  ASSERT_TRUE(strokes.Undo(*map));
  for (int x = 10; x <= 12; ++x) EXPECT_EQ(map->Record().tiles[x][5].kind, tkEmpty);
  EXPECT_EQ(Funds(), 40000);
  EXPECT_EQ(host.funds.back(), 40000);
}

TEST_F(MapView, ARefusedTileComplainsOncePerTile) {
  Start();
  map->Record().tiles[8][8] = {255, 110, tkTree};
  map->Record().tiles[9][8] = {255, 110, tkTree};
  view->CurrentTool = tlTerra;
  Hover(8, 8);
  Frame();
  ExpectMarker(8, 8, RedPixel);
  EXPECT_TRUE(view->sounds.empty());  // no click yet

  Hold(true);
  Frame(4);
  EXPECT_EQ(Count(vsOps), 1);
  Hover(9, 8);
  Frame(2);
  EXPECT_EQ(Count(vsOps), 2);
  EXPECT_EQ(Funds(), 40000);

  SoundOn = false;
  Hover(8, 8);
  Frame();
  EXPECT_EQ(Count(vsOps), 2);
  EXPECT_TRUE(ClickLatch);
}

TEST_F(MapView, FundsBelowThePriceRefuseEveryTile) {
  Start();
  ASSERT_TRUE(map->ChangeFunds(-(40000 - 19)));  // 19 left, a road costs 20
  view->CurrentTool = tlTerra;
  Hover(8, 6);
  Frame();
  ExpectMarker(8, 6, RedPixel);
  Hold(true);
  Frame();
  EXPECT_EQ(map->Record().tiles[8][6].kind, tkEmpty);
  EXPECT_EQ(Funds(), 19);
  EXPECT_EQ(Count(vsOps), 1);

  // Exactly the price is enough.
  map->ChangeFunds(1);
  Hover(9, 6);
  Frame();
  EXPECT_EQ(Funds(), 0);
  EXPECT_EQ(map->Record().tiles[9][6].kind, tkDirtRoad);
}

TEST_F(MapView, ToolsWithoutARuleShowWhiteAndChangeNothing) {
  Start();
  const TMapaRecord before = map->Record();
  Hold(true);
  for (TToolKind tool : {tlNone, tlMover, tlVer, tlComida, tlAgua}) {
    view->CurrentTool = tool;
    Hover(6, 6);
    Frame();
    ExpectMarker(6, 6, WhitePixel);
  }
  EXPECT_TRUE(view->sounds.empty());
  EXPECT_EQ(std::memcmp(&before.tiles, &map->Record().tiles, sizeof before.tiles), 0);
  EXPECT_EQ(Funds(), 40000);
}

TEST_F(MapView, AllowedTileShowsGreen) {
  Start();
  view->CurrentTool = tlCerca;
  Hover(7, 7);
  Frame();
  ExpectMarker(7, 7, GreenPixel);
}

TEST_F(MapView, BulldozerIsHeardWithSoundOff) {
  Start();
  SoundOn = false;
  map->Record().tiles[15][15] = {255, 110, tkTree};
  view->CurrentTool = tlBulldoze;
  Hover(15, 15);
  Hold(true);
  Frame();
  EXPECT_EQ(map->Record().tiles[15][15].image, 120);
  EXPECT_EQ(Funds(), 40000 - 25);
  EXPECT_EQ(view->sounds, std::vector<int>{vsBulldoze});
  Frame(3);
  EXPECT_EQ(view->sounds.size(), 1u);
}

TEST_F(MapView, ColumnNinetySixShowsGreenButCostsNothing) {
  Start();
  Frame();  // the map drawing sets the bars' range
  view->BarraHorizontal->setValue(view->BarraHorizontal->maximum());
  ASSERT_EQ(ViewX, 84);  // 12 whole columns of 24 px: 85..96
  view->CurrentTool = tlTerra;
  Hover(96, 5);
  Hold(true);
  Frame();
  EXPECT_EQ(HoverX, 96);
  ExpectMarker(96, 5, GreenPixel);
  EXPECT_EQ(Funds(), 40000);
  EXPECT_TRUE(view->sounds.empty());
  EXPECT_FALSE(ClickLatch);
}

TEST_F(MapView, HoverPastTheMapAfterZoomOutIsIgnored) {
  Start();
  Frame();
  view->BarraHorizontal->setValue(view->BarraHorizontal->maximum());
  view->BarraVertical->setValue(view->BarraVertical->maximum());
  view->CurrentTool = tlTerra;
  view->TelaMouseMove(290, 200);
  ZoomIndex = 1;  // 12 pixels: the same point now lies past column 96
  Hold(true);
  Frame();
  EXPECT_GT(HoverX, 96);
  EXPECT_EQ(Funds(), 40000);
  EXPECT_TRUE(view->sounds.empty());
  // The next frame's drawing pulls the view back inside the map.
  Frame();
  EXPECT_LE(HoverX, 96);
}

TEST_F(MapView, CursorOutsideTheActiveAreaLeavesToolsAlone) {
  Start();
  view->CurrentTool = tlTerra;
  Hover(4, 4);
  Hold(true);
  for (QPoint outside : {QPoint(0, 20), QPoint(20, 0), QPoint(view->width() - 28, 20),
                         QPoint(20, view->height() - 44), QPoint(-5, -5)}) {
    view->cursor = outside;
    Frame();
  }
  EXPECT_EQ(Funds(), 40000);
  EXPECT_EQ(LastHoverX, 0);
  view->cursor = QPoint(20, 20);
  Frame();
  EXPECT_EQ(Funds(), 40000 - 20);
}

TEST_F(MapView, ZoomShowsInTheSameFramesMarker) {
  Start();
  view->TelaMouseMove(40, 40);
  ZoomIndex = 5;
  Frame();
  EXPECT_EQ(TileSize, 48);
  EXPECT_EQ(HoverX, 40 / 48 + ViewX + 1);
}

TEST_F(MapView, DrawRateIsCappedAt255) {
  Start();
  view->frameCost = 4;
  Frame();
  EXPECT_EQ(DrawRate, 250);
  view->frameCost = 1;
  Frame();
  EXPECT_EQ(DrawRate, 255);
  view->frameCost = 3;
  Frame();
  EXPECT_EQ(DrawRate, 255);
  view->frameCost = 0;  // too quick to measure: the figure stays
  Frame();
  EXPECT_EQ(DrawRate, 255);
  view->frameCost = 1000;
  Frame();
  EXPECT_EQ(DrawRate, 1);
}

TEST_F(MapView, ArrowKeysScrollOneTilePerFrame) {
  Start();
  Frame();
  int changes = 0;
  QObject::connect(view->BarraHorizontal, &QScrollBar::valueChanged, [&changes] { ++changes; });
  view->Tecla->Keyboard.SetKeyHeld(VkLeft, true);
  Frame();
  EXPECT_EQ(ViewX, 0);
  EXPECT_EQ(changes, 0);
  view->Tecla->Keyboard.SetKeyHeld(VkLeft, false);
  view->Tecla->Keyboard.SetKeyHeld(VkRight, true);
  Frame(3);
  EXPECT_EQ(ViewX, 3);
  EXPECT_EQ(changes, 3);

  // At the end of the range, left and right together step back by one.
  view->BarraHorizontal->setValue(view->BarraHorizontal->maximum());
  view->Tecla->Keyboard.SetKeyHeld(VkLeft, true);
  Frame();
  EXPECT_EQ(ViewX, view->BarraHorizontal->maximum() - 1);
}

// The mouse button is read for the whole application: a press on a window
// lying over the map (the overview window, say) must not work the tool on
// the tile hidden beneath it.
TEST_F(MapView, PressOnAWindowOverTheMapLeavesTheMapAlone) {
  QMdiArea area;
  area.resize(600, 450);
  area.addSubWindow(view.get());
  area.show();
  Start();
  view->move(0, 0);
  // Stays above the view, which takes the focus every frame.
  QMdiSubWindow* cover =
      area.addSubWindow(new QWidget, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowStaysOnTopHint);
  const QPoint cursor = area.viewport()->mapFromGlobal(view->Client->mapToGlobal(view->cursor));
  cover->setGeometry(QRect(cursor - QPoint(40, 40), QSize(100, 100)));
  cover->show();

  map->Record().tiles[9][5] = {255, 110, tkTree};
  view->CurrentTool = tlTerra;
  Hold(true);
  Hover(10, 5);
  Frame(2);
  Hover(9, 5);  // refused: no complaint either
  Frame(2);
  EXPECT_EQ(map->Record().tiles[10][5].kind, tkEmpty);
  EXPECT_EQ(Funds(), 40000);
  EXPECT_TRUE(view->sounds.empty());

  cover->move(cursor + QPoint(20, 20));
  Hover(10, 5);
  Frame();
  EXPECT_EQ(map->Record().tiles[10][5].kind, tkDirtRoad);
  EXPECT_EQ(Funds(), 40000 - 20);
  area.removeSubWindow(view.get());
}

TEST_F(MapView, ViewWindowIsPulledBackIntoSight) {
  view->move(-30, -10);
  Frame();
  EXPECT_EQ(view->pos(), QPoint(0, 0));
}

// A click that is over before the next frame is not lost: it acts once, on
// the tile where it landed, as a press held for one frame would; a press
// still held acts no more on the same tile.
TEST_F(MapView, AClickBetweenFramesActsOnceWhereItLanded) {
  Start();
  map->Record().tiles[8][5] = {255, 44, tkTree};
  view->CurrentTool = tlArvores;
  Hover(10, 5);
  Press(10, 5);
  Release(10, 5);
  Frame(3);
  EXPECT_EQ(map->Record().tiles[10][5].kind, tkTree);
  EXPECT_EQ(Funds(), 40000 - 10);

  // Pressed on one tile, let go on the next, all before a frame: the press counts.
  Hover(12, 5);
  Press(12, 5);
  Hover(13, 5);
  Release(13, 5);
  Frame(2);
  EXPECT_EQ(map->Record().tiles[12][5].kind, tkTree);
  EXPECT_EQ(map->Record().tiles[13][5].kind, tkEmpty);

  // A double click within one frame plants one tree; a click on a refused
  // tile complains once; a press held over frames plants once.
  Hover(15, 5);
  Press(15, 5);
  Release(15, 5);
  QTest::mouseDClick(view->Tela, Qt::LeftButton, {}, Centre(15, 5));
  Hover(8, 5);
  Frame();
  Press(8, 5);
  Release(8, 5);
  Frame(2);
  Hover(17, 5);
  Press(17, 5);
  Frame(4);
  Release(17, 5);
  EXPECT_EQ(Funds(), 40000 - 40);
  EXPECT_EQ(Count(vsPlop), 4);
  EXPECT_EQ(Count(vsOps), 1);
}

// While a menu or a dialog is open it owns the keyboard and the mouse: the
// keys that move in it do not scroll the map, and no tool acts.
TEST_F(MapView, OpenMenusAndDialogsKeepKeysAndClicksFromTheMap) {
  Start();
  Frame();
  view->BarraHorizontal->setValue(10);
  view->CurrentTool = tlTerra;
  Hover(20, 6);

  QMenu menu;
  menu.addAction(QStringLiteral("item"));
  QDialog dialog;
  dialog.setModal(true);
  for (QWidget* owner : {static_cast<QWidget*>(&menu), static_cast<QWidget*>(&dialog)}) {
    if (owner == &menu) {
      menu.popup(QPoint(50, 50));
    } else {
      dialog.show();
    }
    ASSERT_TRUE(ModalInputOpen());
    view->Tecla->Keyboard.SetKeyHeld(VkRight, true);
    Hold(true);
    Frame(3);
    EXPECT_EQ(ViewX, 10);
    EXPECT_EQ(map->Record().tiles[20][6].kind, tkEmpty);
    EXPECT_EQ(Funds(), 40000);
    view->Tecla->Keyboard.SetKeyHeld(VkRight, false);
    Hold(false);
    owner->close();
    ASSERT_FALSE(ModalInputOpen());
  }
  view->Tecla->Keyboard.SetKeyHeld(VkRight, true);
  Frame();
  EXPECT_EQ(ViewX, 11);
}

// The view takes the focus every frame to hear the keys, but not from a box
// typed into in another window of the document area (the ranch's Buy and
// Sell windows): the digits go into the box and its arrow keys do not
// scroll the map. A click on the map gives the keys back to the map.
TEST_F(MapView, ABoxTypedIntoElsewhereKeepsTheFocusAndItsKeys) {
  QMdiArea area;
  area.resize(600, 450);
  area.addSubWindow(view.get());
  auto* box = new QSpinBox;
  box->setRange(1, 1000);
  QMdiSubWindow* office = area.addSubWindow(box);
  area.show();
  QApplication::setActiveWindow(&area);
  Start();
  area.setActiveSubWindow(view.get());
  Frame();
  EXPECT_TRUE(view->Edit1->hasFocus());

  area.setActiveSubWindow(office);
  box->setFocus();
  Frame();
  ASSERT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, "6");
  view->Tecla->Keyboard.SetKeyHeld(VkRight, true);
  Frame(2);
  EXPECT_TRUE(box->hasFocus());
  EXPECT_EQ(box->value(), 6);
  EXPECT_EQ(ViewX, 0);

  QTest::mousePress(view->Tela, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(view->Tela, Qt::LeftButton, {}, QPoint(5, 5));
  Frame();
  EXPECT_TRUE(view->Edit1->hasFocus());
  EXPECT_EQ(ViewX, 1);
  area.removeSubWindow(view.get());
}

// Scrolled to the end at every zoom and several view sizes, column and row
// 96 are whole on the surface; whatever lies past them is cleared every
// frame and takes neither marker nor tool.
TEST_F(MapView, TheEndOfTheMapIsWholeAndWhatLiesPastItIsCleared) {
  Start();
  view->CurrentTool = tlCerca;
  for (QSize client : {QSize(317, 224), QSize(400, 300), QSize(640, 480), QSize(150, 120)}) {
    view->SetClientSize(client.width(), client.height());
    for (int zoom = 1; zoom <= 5; ++zoom) {
      ZoomIndex = static_cast<unsigned char>(zoom);
      Frame(2);
      view->BarraHorizontal->setValue(view->BarraHorizontal->maximum());
      view->BarraVertical->setValue(view->BarraVertical->maximum());
      Frame();
      const int width = view->Tela->width(), height = view->Tela->height();
      const int right = (96 - ViewX) * TileSize, bottom = (96 - ViewY) * TileSize;
      const std::string where = std::to_string(TileSize) + " px, " + std::to_string(width) + " x " +
                                std::to_string(height);
      ASSERT_LE(right, width) << where;
      ASSERT_LE(bottom, height) << where;
      EXPECT_GT(right + TileSize, width) << where;

      // Something stale past the map, and the mouse there with a tool held.
      view->Tela->BackSurface()->Fill(0xFF00FF00);
      view->TelaMouseMove(width - 1, height - 1);
      const std::int32_t funds = Funds();
      Hold(true);
      Frame();
      Hold(false);
      for (const QPoint p : {QPoint(right, 0), QPoint(width - 1, height / 2), QPoint(0, bottom),
                             QPoint(width - 1, height - 1)}) {
        if (p.x() < width && p.y() < height && (p.x() >= right || p.y() >= bottom)) {
          EXPECT_EQ(Pixel(p.x(), p.y()), BeyondMapPixel) << where << " at " << p.x() << "," << p.y();
        }
      }
      EXPECT_NE(Pixel(right - 1, bottom - 1), BeyondMapPixel) << where;  // column 96, row 96
      EXPECT_EQ(Funds(), funds) << where;
    }
  }
  EXPECT_TRUE(view->sounds.empty());
}

// Unchecked, the marker is the plain blended square; checked, it keeps its
// colour inside and gains a dark and a light ring.
TEST_F(MapView, HighlightedMarkerAddsAnOutlineAndKeepsItsColour) {
  Start();
  view->CurrentTool = tlCerca;
  for (int zoom : {1, 3, 5}) {
    ZoomIndex = static_cast<unsigned char>(zoom);
    Frame();
    const int size = ZoomSizes[zoom];
    const int width = MarkerOutlineWidth(size);
    for (bool highlight : {false, true}) {
      HighlightMarker = highlight;
      Hover(3, 3);
      Frame();
      const int left = (3 - 1 - ViewX) * size, top = (3 - 1 - ViewY) * size;
      ExpectMarker(3, 3, GreenPixel);  // the inside keeps the verdict colour
      const std::uint32_t green = Pixel(left + size / 2, top + size / 2);
      for (int i = 0; i < size; ++i) {
        for (const QPoint edge : {QPoint(left + i, top), QPoint(left, top + i), QPoint(left + i, top + size - 1),
                                  QPoint(left + size - 1, top + i)}) {
          ASSERT_EQ(Pixel(edge.x(), edge.y()), highlight ? MarkerOutlineDark : green) << size;
        }
      }
      const std::uint32_t ring = Pixel(left + width, top + size / 2);
      EXPECT_EQ(ring, highlight ? MarkerOutlineLight : green) << size;
      EXPECT_EQ(Pixel(left + size / 2, top + 2 * width), green) << size;
    }
  }
  HighlightMarker = false;
}

}  // namespace

namespace {
// A tool owner that allows its tools on even columns and notes every call.
class TFakeOwner : public IToolOwner {
 public:
  bool Owns(TToolKind tool) const override { return tool == tlAgua || tool == tlSpray; }
  TToolVerdict Verdict(TToolKind, int x, int) const override { return x % 2 == 0 ? tvAllowed : tvRefused; }
  bool Act(TToolKind, int x, int y, bool newStroke) override {
    acts.push_back({x, y, newStroke});
    return true;
  }
  void Inspect(int x, int y) override { inspected.push_back({x, y}); }
  struct TAct {
    int x, y;
    bool newStroke;
    bool operator==(const TAct&) const = default;
  };
  std::vector<TAct> acts;
  std::vector<std::pair<int, int>> inspected;
};
}  // namespace

// While another room owns a tool, its verdict colours the marker and its
// action replaces the map's; the eye tool reports each new tile once.
TEST_F(MapView, AToolOwnerJudgesAndWorksItsToolsAndHearsTheEyeTool) {
  Start();
  TFakeOwner owner;
  view->ToolOwner = &owner;
  const TMapaRecord before = map->Record();
  view->CurrentTool = tlAgua;
  Hover(6, 6);
  Frame();
  ExpectMarker(6, 6, GreenPixel);
  Hover(7, 6);
  Frame();
  ExpectMarker(7, 6, RedPixel);
  EXPECT_TRUE(owner.acts.empty()) << "no press, no action";

  Press(8, 6);
  Hold(true);
  Frame();
  Hover(10, 6);
  Frame();
  Hold(false);
  Release(10, 6);
  Frame();
  EXPECT_EQ(owner.acts, (std::vector<TFakeOwner::TAct>{{8, 6, true}, {10, 6, false}}));
  EXPECT_EQ(Count(vsPlop), 2);
  EXPECT_EQ(std::memcmp(&before.tiles, &map->Record().tiles, sizeof before.tiles), 0);

  // Map tools stay the map's.
  view->CurrentTool = tlCerca;
  Hover(7, 7);
  Frame();
  ExpectMarker(7, 7, GreenPixel);

  view->CurrentTool = tlVer;
  Hover(12, 12);
  Frame(2);
  Hover(13, 12);
  Frame();
  EXPECT_EQ(owner.inspected, (std::vector<std::pair<int, int>>{{12, 12}, {13, 12}}));
  Hover(5, 5);
  Frame();
  ExpectMarker(5, 5, WhitePixel);
  view->ToolOwner = nullptr;
}

// Days one at a time with the hook between: the same days as in one go.
TEST_F(MapView, TheDayHookHearsEveryDayOfAStep) {
  GameSpeed = 1;  // Ultra: two days a step
  int days = 0;
  view->OnDayPassed = [&] {
    ++days;
    EXPECT_EQ(int(host.dates.size()), days) << "after that day's weather";
  };
  Frame(3);
  EXPECT_EQ(days, 2);
  EXPECT_EQ(host.dates.size(), 2u);
}
