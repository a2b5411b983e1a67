// Building what the player drew: the tiles a fast drag passes between two
// frames, and the drafted line or fence rectangle built on release.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLabel>
#include <QTest>
#include <cstring>
#include <functional>

#include "map/MapaCodes.h"
#include "tests/view/ViewFixture.h"
#include "view/Draft.h"
#include "view/DragPath.h"
#include "view/ToolsUnit.h"

namespace {

// ---------------------------------------------------------------------------
// The paths, without a window.

TEST(DragPath, StraightLineIsFourConnectedAndStepsAcrossFirst) {
  EXPECT_TRUE(StraightTilePath({5, 5}, {5, 5}).empty());
  EXPECT_EQ(StraightTilePath({5, 5}, {8, 5}), (std::vector<TTilePos>{{6, 5}, {7, 5}, {8, 5}}));
  EXPECT_EQ(StraightTilePath({5, 5}, {5, 3}), (std::vector<TTilePos>{{5, 4}, {5, 3}}));
  // A diagonal alternates, the horizontal step first.
  EXPECT_EQ(StraightTilePath({5, 5}, {7, 7}), (std::vector<TTilePos>{{6, 5}, {6, 6}, {7, 6}, {7, 7}}));
  EXPECT_EQ(StraightTilePath({5, 5}, {4, 4}), (std::vector<TTilePos>{{4, 5}, {4, 4}}));
  // Any direction and slope: each step goes to a neighbour and it ends on the target.
  for (const TTilePos to : {TTilePos{1, 96}, TTilePos{96, 1}, TTilePos{30, 31}, TTilePos{47, 12}}) {
    const std::vector<TTilePos> path = StraightTilePath({40, 40}, to);
    ASSERT_EQ(int(path.size()), std::abs(to.x - 40) + std::abs(to.y - 40));
    TTilePos at{40, 40};
    for (const TTilePos& next : path) {
      EXPECT_TRUE(NextTo(at, next) && !(at == next));
      at = next;
    }
    EXPECT_EQ(at, to);
  }
}

TEST(DragPath, TrailIsFollowedAndABrokenOrOffMapTrailGivesNone) {
  TPointerTrail trail;
  EXPECT_EQ(TrailPath({2, 2}, {4, 2}, trail), (std::vector<TTilePos>{{3, 2}, {4, 2}}));
  // A corner the hand took stays a corner.
  trail.Add({2, 2});
  trail.Add({4, 2});
  trail.Add({4, 2});
  trail.Add({4, 4});
  EXPECT_EQ(trail.Tiles().size(), 3U);
  EXPECT_EQ(TrailPath({2, 2}, {4, 4}, trail),
            (std::vector<TTilePos>{{3, 2}, {4, 2}, {4, 3}, {4, 4}}));
  trail.Add({0, 4});
  EXPECT_FALSE(TrailPath({2, 2}, {4, 4}, trail));
  trail.Clear();
  trail.Add({3, 3});
  trail.Break();
  EXPECT_FALSE(TrailPath({2, 2}, {4, 4}, trail));
  trail.Clear();
  EXPECT_TRUE(TrailPath({2, 2}, {4, 4}, trail));
}

TEST(DraftPlan, LineRunsAlongTheLongerAxisAndTheRectangleGoesClockwiseFromThePress) {
  EXPECT_EQ(DraftLineTiles({5, 5}, {8, 6}), (std::vector<TTilePos>{{5, 5}, {6, 5}, {7, 5}, {8, 5}}));
  EXPECT_EQ(DraftLineTiles({5, 5}, {4, 7}), (std::vector<TTilePos>{{5, 5}, {5, 6}, {5, 7}}));
  EXPECT_EQ(DraftLineTiles({5, 5}, {7, 3}), (std::vector<TTilePos>{{5, 5}, {6, 5}, {7, 5}}));  // equal: across
  EXPECT_EQ(DraftLineTiles({5, 5}, {5, 5}), (std::vector<TTilePos>{{5, 5}}));

  // Pressed at the bottom-right corner, clockwise goes left along the bottom.
  const std::vector<TTilePos> ring = DraftRectangleTiles({7, 6}, {5, 4});
  EXPECT_EQ(ring, (std::vector<TTilePos>{{7, 6}, {6, 6}, {5, 6}, {5, 5}, {5, 4}, {6, 4}, {7, 4}, {7, 5}}));
  EXPECT_EQ(DraftRectangleTiles({5, 4}, {7, 6}).front(), (TTilePos{5, 4}));
  EXPECT_EQ(DraftRectangleTiles({5, 4}, {7, 6})[1], (TTilePos{6, 4}));
  // One tile high or wide: the run from the press.
  EXPECT_EQ(DraftRectangleTiles({7, 4}, {5, 4}), (std::vector<TTilePos>{{7, 4}, {6, 4}, {5, 4}}));
  EXPECT_EQ(DraftRectangleTiles({3, 3}, {3, 3}), (std::vector<TTilePos>{{3, 3}}));
}

TEST(DraftPlan, PlanCountsTheMoneyAsItGoesAndTheMapsRefusals) {
  TRecordingHost host;
  TMapa map(&host);
  map.Record().tiles[6][5] = {255, 44, tkTree};
  map.Record().funds = 3 * 20 + 5;
  TDraft draft;
  draft.Plan(map.Record(), tlTerra, DraftLineTiles({4, 5}, {9, 5}));
  // 4, 5, 7 affordable; 6 a tree; 8 and 9 past the money.
  std::vector<TUnbuiltReason> reasons;
  for (const TDraftTile& tile : draft.Tiles()) reasons.push_back(tile.unbuilt);
  using enum TUnbuiltReason;
  EXPECT_EQ(reasons, (std::vector<TUnbuiltReason>{None, None, GroundTaken, None, MoneyShort, MoneyShort}));
  EXPECT_EQ(draft.Summary(), (TDraftSummary{3, 60, 3, 1, 2}));

  // Row and column 96 look allowed but the map refuses them.
  map.Record().funds = 40000;
  draft.Plan(map.Record(), tlCerca, DraftLineTiles({94, 96}, {96, 96}));
  EXPECT_EQ(draft.Summary(), (TDraftSummary{0, 0, 3, 3, 0}));
  draft.Plan(map.Record(), tlCerca, DraftLineTiles({94, 95}, {96, 95}));
  EXPECT_EQ(draft.Summary(), (TDraftSummary{2, 100, 1, 1, 0}));
}

// ---------------------------------------------------------------------------
// The map view, driven frame by frame.

constexpr int VkShift = 16;

class FastDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    SetGameGlobalsAsAtStartUp();
    ResetViewGlobals();
    GameSpeed = 6;  // no days pass: the record changes only by the tools
    // Small tiles: 25 columns and 17 rows on the surface.
    ZoomIndex = 1;
    TileSize = 12;
    FillGroundList(chao);
    FillOtherList(outros);
    map = std::make_unique<TMapa>(&host);
    view = MakeTestView(*map, chao, outros);
    view->Strokes = &strokes;
    view->OnToolReport = [this](const TToolReport& report) { reports.push_back(report); };
    view->show();
    view->Tela->StartDevice();
    ASSERT_TRUE(view->Tela->ReadyToDraw());
    Frame();
    initial = map->Record();
  }
  void ClearAll() { map->Record() = initial; }
  void TearDown() override {
    view.reset();
    ResetGameGlobals();
    ResetViewGlobals();
  }
  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) view->DXTimer1Timer(1);
  }
  QPoint Centre(int x, int y) const {
    return {(x - 1 - ViewX) * TileSize + TileSize / 2, (y - 1 - ViewY) * TileSize + TileSize / 2};
  }
  void Hover(int x, int y) {
    const QPoint p = Centre(x, y);
    view->TelaMouseMove(p.x(), p.y());
  }
  void Hold(bool held) { view->Tecla->Mouse.SetButtonHeld(0, held); }
  void Press(int x, int y) {
    Hover(x, y);
    QTest::mousePress(view->Tela, Qt::LeftButton, {}, Centre(x, y));
  }
  void Release(int x, int y) { QTest::mouseRelease(view->Tela, Qt::LeftButton, {}, Centre(x, y)); }
  // Holding the button, one frame on each of the given columns of `row`.
  void DragRow(int row, std::initializer_list<int> columns) {
    Hold(true);
    for (int x : columns) {
      Hover(x, row);
      Frame();
    }
    Hold(false);
    Frame();
  }
  const TTile& At(int x, int y) const { return map->Record().tiles[x][y]; }
  std::int32_t Funds() const { return map->Record().funds; }
  int Count(int sound) const {
    return static_cast<int>(std::count(view->sounds.begin(), view->sounds.end(), sound));
  }
  std::uint32_t Pixel(int x, int y) const { return view->Tela->BackSurface()->Line(y)[x]; }
  // The middle pixel of tile (x, y) on the surface.
  std::uint32_t TilePixel(int x, int y) const {
    const QPoint p = Centre(x, y);
    return Pixel(p.x(), p.y());
  }
  bool SameTiles(const TMapa& other) const {
    return std::memcmp(map->Record().tiles, other.Record().tiles, sizeof map->Record().tiles) == 0;
  }

  TDXImageList chao, outros;
  TRecordingHost host;
  TStrokeHistory strokes;
  std::unique_ptr<TMapa> map;
  std::unique_ptr<TTestView> view;
  std::vector<TToolReport> reports;
  TMapaRecord initial{};
};

TEST_F(FastDrag, AJumpOfFourTilesAFrameBuildsTheWholeRowAndChargesEachOnce) {
  view->CurrentTool = tlTerra;
  DragRow(5, {2, 6, 10, 14, 18});
  for (int x = 1; x <= 20; ++x)
    EXPECT_EQ(At(x, 5).kind, x >= 2 && x <= 18 ? tkDirtRoad : tkEmpty) << x;
  EXPECT_EQ(Funds(), 40000 - 17 * 20);
  // One plop a frame, however many tiles the frame built.
  EXPECT_EQ(Count(vsPlop), 5);
  EXPECT_EQ(Count(vsOps), 0);
  EXPECT_EQ(strokes.UndoCount(), 1U);
}

TEST_F(FastDrag, ARowWithATreeIsBuiltAllButTheTreeAndComplainsOnceAFrame) {
  map->Record().tiles[8][5] = {255, 44, tkTree};
  map->Record().tiles[9][5] = {255, 45, tkTree};
  view->CurrentTool = tlCerca;
  Hold(true);
  Hover(2, 5);
  Frame();
  Hover(12, 5);
  const std::size_t before = view->sounds.size();
  Frame();
  EXPECT_EQ(view->sounds.size() - before, 2U);  // one plop, one ops
  EXPECT_EQ(Count(vsOps), 1);
  for (int x = 2; x <= 12; ++x) EXPECT_EQ(At(x, 5).kind, x == 8 || x == 9 ? tkTree : tkFence) << x;
  EXPECT_EQ(Funds(), 40000 - 9 * 50);
  // The fence on either side of the trees ends there.
  EXPECT_EQ(At(7, 5).image, BaseFence + 4);
  EXPECT_EQ(At(10, 5).image, BaseFence + 4);
}

TEST_F(FastDrag, ADiagonalJumpBuildsAFourConnectedPathJoinedAsASlowDragWould) {
  view->CurrentTool = tlDuto;
  Hold(true);
  Hover(3, 3);
  Frame();
  Hover(6, 6);
  Frame();
  Hold(false);
  Frame();
  const std::vector<TTilePos> expected = {{3, 3}, {4, 3}, {4, 4}, {5, 4}, {5, 5}, {6, 5}, {6, 6}};
  int ducts = 0;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) ducts += At(x, y).kind == tkDuct;
  EXPECT_EQ(ducts, int(expected.size()));

  // The same tiles dragged slowly, one a frame, ten rows further down.
  Hold(true);
  for (const TTilePos& tile : expected) {
    Hover(tile.x, tile.y + 10);
    Frame();
  }
  Hold(false);
  Frame();
  for (const TTilePos& tile : expected) {
    EXPECT_EQ(At(tile.x, tile.y).kind, tkDuct);
    EXPECT_EQ(At(tile.x, tile.y).image, At(tile.x, tile.y + 10).image) << tile.x << "," << tile.y;
  }
}

// The hand's own way between two frames is followed: a fast corner stays a
// corner instead of becoming a staircase.
TEST_F(FastDrag, TheTrailOfTheHandIsFollowedRoundACorner) {
  view->CurrentTool = tlCerca;
  Hold(true);
  Hover(3, 3);
  Frame();
  Hover(5, 3);
  Hover(7, 3);  // moves between frames
  Hover(7, 5);
  Hover(7, 7);
  Frame();
  Hold(false);
  Frame();
  for (int x = 3; x <= 7; ++x) EXPECT_EQ(At(x, 3).kind, tkFence) << x;
  for (int y = 4; y <= 7; ++y) EXPECT_EQ(At(7, y).kind, tkFence) << y;
  EXPECT_EQ(At(7, 3).image, BaseFence + 1);  // the corner joins west and south
  EXPECT_EQ(Funds(), 40000 - 9 * 50);
}

TEST_F(FastDrag, TheMarkerVerdictComesAfterThePathsCharges) {
  ASSERT_TRUE(map->ChangeFunds(-(40000 - 3 * 20)));  // three roads' worth
  view->CurrentTool = tlTerra;
  Hold(true);
  Hover(2, 5);
  Frame();
  Hover(6, 5);
  Frame();
  // 2, 3, 4 and 5 took the money; 6 is refused for it.
  EXPECT_EQ(Funds(), 0);
  EXPECT_EQ(At(4, 5).kind, tkDirtRoad);
  EXPECT_EQ(At(5, 5).kind, tkEmpty);
  EXPECT_EQ(At(6, 5).kind, tkEmpty);
  EXPECT_EQ(Count(vsOps), 1);
  EXPECT_TRUE(ClickLatch);
}

TEST_F(FastDrag, NoPathAfterLeavingTheSurfaceANewPressOrAZoom) {
  view->CurrentTool = tlTerra;
  const auto jump = [this](const std::function<void()>& between) {
    Hold(true);
    Hover(2, 5);
    Frame();
    between();
    Hover(8, 5);
    Frame();
    Hold(false);
    Frame();
  };
  // Out past the surface's left edge and back.
  ClearAll();
  jump([this] { view->TelaMouseMove(-3, Centre(4, 5).y()); });
  EXPECT_EQ(At(5, 5).kind, tkEmpty);
  EXPECT_EQ(At(8, 5).kind, tkDirtRoad);
  // The cursor outside the view for a whole frame.
  ClearAll();
  jump([this] {
    view->cursor = {-5, -5};
    Frame();
    view->cursor = {20, 20};
  });
  EXPECT_EQ(At(5, 5).kind, tkEmpty);
  EXPECT_EQ(At(8, 5).kind, tkDirtRoad);
  // A new press.
  ClearAll();
  jump([this] { QTest::mousePress(view->Tela, Qt::LeftButton, {}, Centre(8, 5)); });
  EXPECT_EQ(At(5, 5).kind, tkEmpty);
  // A zoom between the frames.
  ClearAll();
  jump([] { ZoomIndex = 2; });
  int roads = 0;
  for (int x = 1; x <= 30; ++x)
    for (int y = 1; y <= 20; ++y) roads += At(x, y).kind == tkDirtRoad;
  EXPECT_EQ(roads, 2);  // the tile before and the one after
}

TEST_F(FastDrag, NoPathUnderAWindowLyingOverTheMap) {
  // A window over the middle of the surface, as the palette may lie.
  QWidget cover(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
  cover.setGeometry(QRect(view->Tela->mapToGlobal(Centre(6, 5)) - QPoint(3, 3), QSize(7, 7)));
  cover.show();
  ASSERT_EQ(QApplication::widgetAt(view->Tela->mapToGlobal(Centre(6, 5))), &cover);
  view->CurrentTool = tlTerra;
  Hold(true);
  Hover(2, 5);
  Frame();
  Hover(6, 5);  // under the window
  Hover(10, 5);
  Frame();
  Hold(false);
  Frame();
  EXPECT_EQ(At(2, 5).kind, tkDirtRoad);
  for (int x = 3; x <= 9; ++x) EXPECT_EQ(At(x, 5).kind, tkEmpty) << x;
  EXPECT_EQ(At(10, 5).kind, tkDirtRoad);
}

TEST_F(FastDrag, AHoverPastTheMapAfterAZoomOutReadsAndWritesNothing) {
  ZoomIndex = 3;
  TileSize = 24;
  Frame();
  view->BarraHorizontal->setValue(view->BarraHorizontal->maximum());
  view->BarraVertical->setValue(view->BarraVertical->maximum());
  view->CurrentTool = tlTerra;
  Hold(true);
  view->TelaMouseMove(280, 190);
  Frame();
  ASSERT_EQ(HoverX, 96);  // held on the last column and row: refused there by the map
  const TMapaRecord before = map->Record();
  ZoomIndex = 1;  // 12 pixels: the same point lies past column 96
  Frame();
  EXPECT_GT(HoverX, 96);
  EXPECT_EQ(std::memcmp(&before, &map->Record(), sizeof before), 0);
  // Back inside the map, the tool acts on the hovered tile alone.
  Frame();
  EXPECT_LE(HoverX, 96);
  EXPECT_EQ(Funds(), 40000 - 20);
  EXPECT_EQ(At(HoverX, HoverY).kind, tkDirtRoad);
  Hold(false);
}

TEST_F(FastDrag, TheBulldozerAndTheTreesActOnTheHoveredTileAlone) {
  for (int x = 2; x <= 12; ++x) ASSERT_TRUE(map->PlaceLinear(x, 5, BaseFence, TPlaceMode::Place));
  view->CurrentTool = tlBulldoze;
  DragRow(5, {2, 6, 10});
  for (int x = 2; x <= 12; ++x) EXPECT_EQ(At(x, 5).kind, x == 2 || x == 6 || x == 10 ? tkEmpty : tkFence) << x;
  view->CurrentTool = tlArvores;
  DragRow(8, {2, 6, 10});
  for (int x = 2; x <= 12; ++x) EXPECT_EQ(At(x, 8).kind, x == 2 || x == 6 || x == 10 ? tkTree : tkEmpty) << x;
  EXPECT_EQ(Funds(), 40000 - 3 * 25 - 3 * 10);
}

// ---------------------------------------------------------------------------
// "Traçado com prévia".

class Drafting : public FastDrag {
 protected:
  void SetUp() override {
    FastDrag::SetUp();
    DraftLines = true;
  }
  // Pressed on `from`, held over the frames while the pointer goes to `to`.
  void DraftFromTo(TTilePos from, TTilePos to) {
    Press(from.x, from.y);
    Frame();
    Hover(to.x, to.y);
    Frame();
  }
  const TToolReport& Last() const { return reports.back(); }
};

TEST_F(Drafting, NothingChangesUntilReleaseWhichBuildsTheGreenTilesAtTheShownPrice) {
  map->Record().tiles[7][5] = {255, 44, tkTree};
  view->CurrentTool = tlTerra;
  const TMapaRecord before = map->Record();
  Hover(20, 12);
  Frame();
  const std::uint32_t bare = TilePixel(4, 5), beside = TilePixel(10, 6), tree = TilePixel(7, 5);
  DraftFromTo({3, 5}, {10, 6});
  Frame(3);
  EXPECT_TRUE(view->Drafting());
  EXPECT_EQ(std::memcmp(&before, &map->Record(), sizeof before), 0);
  EXPECT_TRUE(view->sounds.empty());
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(Last().kind, TToolReport::Draft);
  EXPECT_EQ(Last().summary, (TDraftSummary{7, 140, 1, 1, 0}));
  // The tint: green on the line, red on the tree, nothing off it.
  EXPECT_NE(TilePixel(4, 5), bare);
  EXPECT_GT(TilePixel(4, 5) >> 8 & 255, TilePixel(7, 5) >> 8 & 255);  // green over red
  EXPECT_EQ(TilePixel(10, 6), beside);

  const std::int64_t shown = Last().summary.price;
  Release(10, 6);
  Frame();
  EXPECT_FALSE(view->Drafting());
  EXPECT_EQ(40000 - Funds(), shown);
  EXPECT_EQ(Count(vsPlop), 1);
  EXPECT_EQ(Last().kind, TToolReport::Unbuilt);
  EXPECT_EQ(Last().summary.groundTaken, 1);

  // Byte for byte what the same tiles built one by one give.
  TMapa byHand(&host);
  byHand.Record().tiles[7][5] = {255, 44, tkTree};
  for (int x = 3; x <= 10; ++x)
    if (x != 7) UseTool(byHand, tlTerra, static_cast<std::uint8_t>(x), 5, nullptr);
  EXPECT_TRUE(SameTiles(byHand));
  EXPECT_EQ(byHand.Record().funds, Funds());
  // The tint is gone with the draft: the tree's square, unchanged on the
  // map, is drawn again all the same.
  Frame();
  EXPECT_EQ(TilePixel(7, 5), tree);

  // One undo takes the whole draft back; moving on gives the hint again.
  ASSERT_TRUE(strokes.Undo(*map));
  EXPECT_EQ(std::memcmp(&before.tiles, &map->Record().tiles, sizeof before.tiles), 0);
  EXPECT_EQ(Funds(), 40000);
  Hover(12, 12);
  Frame();
  EXPECT_EQ(Last().kind, TToolReport::Hint);
}

TEST_F(Drafting, EveryWayOfCancellingChangesNothing) {
  view->CurrentTool = tlCerca;
  const TMapaRecord before = map->Record();
  const std::vector<std::pair<const char*, std::function<void()>>> cancels = {
      {"release elsewhere",
       [this] {
         view->cursor = {-5, -5};
         Release(8, 8);
         Frame();
         view->cursor = {20, 20};
       }},
      {"escape", [this] { QTest::keyClick(view->Edit1, Qt::Key_Escape); }},
      {"right click", [this] { QTest::mouseClick(view->Tela, Qt::RightButton, {}, Centre(8, 8)); }},
      {"option off", [] { DraftLines = false; }},
      {"focus lost",
       [this] {
         QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
         QApplication::sendEvent(view->Edit1, &out);
       }},
  };
  for (const auto& [name, cancel] : cancels) {
    DraftLines = true;
    reports.clear();
    DraftFromTo({3, 8}, {8, 8});
    ASSERT_TRUE(view->Drafting()) << name;
    cancel();
    // The rest of the press, moving and letting go over the map, does nothing.
    Hover(9, 9);
    Frame();
    Hover(10, 9);
    Frame();
    Release(10, 9);
    Frame();
    EXPECT_FALSE(view->Drafting()) << name;
    EXPECT_EQ(std::memcmp(&before, &map->Record(), sizeof before), 0) << name;
    EXPECT_EQ(Last().kind, TToolReport::Hint) << name;
    EXPECT_EQ(strokes.UndoCount(), 0U) << name;
  }
  EXPECT_TRUE(view->sounds.empty());
  EXPECT_EQ(view->CurrentTool, tlCerca);  // the right click only cancelled
}

TEST_F(Drafting, AShiftedFenceRectangleCloses) {
  view->CurrentTool = tlCerca;
  view->Tecla->Keyboard.SetKeyHeld(VkShift, true);
  DraftFromTo({9, 9}, {4, 5});
  EXPECT_EQ(Last().summary, (TDraftSummary{18, 18 * 50, 0, 0, 0}));
  Release(4, 5);
  Frame();
  view->Tecla->Keyboard.SetKeyHeld(VkShift, false);
  EXPECT_EQ(At(4, 5).image, BaseFence + 0);  // east and south
  EXPECT_EQ(At(9, 5).image, BaseFence + 1);  // west and south
  EXPECT_EQ(At(4, 9).image, BaseFence + 2);  // north and east
  EXPECT_EQ(At(9, 9).image, BaseFence + 3);  // north and west
  for (int x = 5; x <= 8; ++x) EXPECT_EQ(At(x, 5).image, BaseFence + 4);
  for (int y = 6; y <= 8; ++y) EXPECT_EQ(At(9, y).image, BaseFence + 5);
  EXPECT_EQ(At(6, 7).kind, tkEmpty);
  EXPECT_EQ(Funds(), 40000 - 18 * 50);
  EXPECT_EQ(strokes.UndoCount(), 1U);
}

TEST_F(Drafting, ATapBuildsItsOneTileOnRelease) {
  view->CurrentTool = tlPavimento;
  Press(6, 6);
  Release(6, 6);
  Frame();
  EXPECT_EQ(At(6, 6).kind, tkPavement);
  EXPECT_EQ(Funds(), 40000 - 30);
  EXPECT_FALSE(view->Drafting());
  EXPECT_EQ(Last().kind, TToolReport::Hint);
}

TEST_F(Drafting, ShortMoneyIsToldWhenTheDraftEndsUntilThePointerMoves) {
  ASSERT_TRUE(map->ChangeFunds(-(40000 - 2 * 80)));
  view->CurrentTool = tlDuto;
  DraftFromTo({3, 4}, {3, 8});
  Release(3, 8);
  Frame();
  EXPECT_EQ(Last().kind, TToolReport::Unbuilt);
  EXPECT_EQ(Last().summary.moneyShort, 3);
  EXPECT_EQ(Last().summary.groundTaken, 0);
  EXPECT_EQ(Count(vsOps), 1);
  const std::size_t told = reports.size();
  Frame(2);
  EXPECT_EQ(reports.size(), told);
  Hover(3, 9);
  Frame();
  EXPECT_EQ(Last().kind, TToolReport::Hint);

  // A new draft from the tile the message was told on keeps its own words
  // while the pointer moves.
  Release(3, 9);
  Frame();
  Press(3, 8);
  Release(3, 8);
  Frame();
  EXPECT_EQ(Last().kind, TToolReport::Unbuilt);
  Press(3, 8);
  Frame();
  Hover(6, 8);
  Frame();
  EXPECT_EQ(Last().kind, TToolReport::Draft);
  Release(6, 8);
  Frame();
}

// A tool that does not draft still tells what its stroke left, with the
// option on; with it off the status bar stays the hint's.
TEST_F(Drafting, AStrokeThatLeftTilesSaysSo) {
  map->Record().tiles[4][4] = {255, 44, tkTree};
  view->CurrentTool = tlArvores;
  DragRow(4, {3, 4, 5});
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(Last().kind, TToolReport::Unbuilt);
  EXPECT_EQ(Last().summary.groundTaken, 1);
  Hover(9, 9);
  Frame();
  EXPECT_EQ(Last().kind, TToolReport::Hint);
  DraftLines = false;
  reports.clear();
  DragRow(4, {6, 4, 7});
  EXPECT_TRUE(reports.empty());
}

TEST_F(Drafting, ARightClickWithNoDraftRaisesTheTool) {
  QLabel status;
  TTools palette(view.get(), &status);
  view->OnRaiseTool = [&palette] { palette.RaiseTool(); };
  palette.BotCerca->click();
  ASSERT_EQ(view->CurrentTool, tlCerca);
  QTest::mouseClick(view->Tela, Qt::RightButton, {}, Centre(5, 5));
  EXPECT_EQ(view->CurrentTool, tlNone);
  EXPECT_FALSE(palette.BotCerca->isChecked());
  EXPECT_TRUE(status.text().isEmpty());

  // Unchecked, the right button does nothing.
  DraftLines = false;
  palette.BotCerca->click();
  QTest::mouseClick(view->Tela, Qt::RightButton, {}, Centre(5, 5));
  EXPECT_EQ(view->CurrentTool, tlCerca);
}

}  // namespace
