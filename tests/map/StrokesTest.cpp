// Undo and redo of building strokes, and a new ranch in the same map object.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "MapTestSupport.h"
#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "map/Strokes.h"
#include "map/Tools.h"

namespace {

constexpr int RiverLeft = 50;  // a river three tiles wide, so its middle is open water
constexpr int RiverRight = 52;
constexpr int RoadRow = 30;

// A ranch with a river, a paved road crossed by a duct and a few trees.
void BuildScene(TMapa& map) {
  MakeBorder(map);
  for (int y = 1; y <= 96; ++y)
    for (int x = RiverLeft; x <= RiverRight; ++x) map.PlaceWater(x, y, TPlaceMode::Place);
  for (int x = 38; x <= 46; ++x) map.PlaceLinear(x, 20, BasePavement, TPlaceMode::Place);
  for (int y = 16; y <= 24; ++y) map.PlaceLinear(44, y, BaseDuct, TPlaceMode::Place);
  RandomSeed(11);
  for (int x = 30; x <= 36; x += 2) map.PlaceTree(x, 40);
}

// What drawing does to the map while time goes by: open water flickers
// between its two frames and a clearing settles into bare ground.
void Animate(TMapa& map, int frames) {
  for (int f = 0; f < frames; ++f) {
    for (int x = 1; x <= 96; ++x) {
      for (int y = 1; y <= 96; ++y) {
        TTile& tile = map.Tile(x, y);
        if (tile.kind == tkWater && (tile.image == 23 || tile.image == 24))
          tile.image = tile.image == 23 ? 24 : 23;
        else if (tile.image >= 120 && tile.image <= 128)
          tile.image = tile.image == 128 ? 0 : tile.image + 1;
      }
    }
  }
}

// The record with what time and drawing change by themselves blanked out:
// calendar, weather, forecast, moisture, and the animating images.
std::vector<std::uint8_t> Settled(const TMapa& map) {
  TMapa copy;
  copy.Record() = map.Record();
  TMapaRecord& r = copy.Record();
  r.moisture = 0;
  r.weather = r.weatherYesterday = 0;
  std::memset(r.forecast, 0, sizeof(r.forecast));
  r.day = r.week = r.month = 0;
  r.year = 0;
  for (auto& column : r.tiles) {
    for (auto& tile : column) {
      if (tile.kind == tkWater && tile.image == 24) tile.image = 23;
      if (tile.kind == tkEmpty && tile.image >= 120 && tile.image <= 128) tile.image = 0;
    }
  }
  return Bytes(copy);
}

std::vector<std::uint8_t> Header(const TMapa& map) {
  const auto bytes = Bytes(map);
  return {bytes.begin(), bytes.begin() + 16};  // everything before the funds
}

// Drags a tool along tiles as the view does with the button held.
void Drag(TMapa& map, TStrokeHistory& history, TToolKind tool, std::vector<std::pair<int, int>> tiles) {
  for (const auto& [x, y] : tiles) {
    if (ToolVerdict(tool, map.Tile(x, y), map.Record().funds) == tvAllowed)
      UseTool(map, tool, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), &history);
  }
}

std::vector<std::pair<int, int>> Row(int x0, int x1, int y) {
  std::vector<std::pair<int, int>> tiles;
  for (int x = x0; x <= x1; ++x) tiles.emplace_back(x, y);
  return tiles;
}

std::vector<std::pair<int, int>> Column(int x, int y0, int y1) {
  std::vector<std::pair<int, int>> tiles;
  for (int y = y0; y <= y1; ++y) tiles.emplace_back(x, y);
  return tiles;
}

// One stroke that does a bit of everything: a road over the river (bridges),
// a fence with a gate, a duct across the new road (a crossing) with a duct
// fitting, and the bulldozer on a tree, a fence, a bridge and the old crossing.
void EverythingStroke(TMapa& map, TStrokeHistory& history) {
  history.Open();
  Drag(map, history, tlTerra, Row(40, 56, RoadRow));
  Drag(map, history, tlCerca, Row(38, 45, 35));
  Drag(map, history, tlPorteira, {{41, 35}});
  Drag(map, history, tlDuto, Column(42, 28, 32));
  Drag(map, history, tlDutoS, {{42, 31}});
  Drag(map, history, tlBulldoze, {{30, 40}, {43, 35}, {51, RoadRow}, {44, 20}});
  history.Close();
}

TEST(Strokes, AStrokeOfEveryToolUndoneGivesTheRecordBack) {
  TRecordingHost host;
  TMapa map(&host);
  BuildScene(map);
  TStrokeHistory history;
  const auto start = Settled(map);
  const std::int32_t funds = map.Record().funds;

  EverythingStroke(map, history);
  // The scene really has what the stroke is meant to cover.
  ASSERT_EQ(map.Tile(50, RoadRow).kind, tkBridge);
  ASSERT_EQ(map.Tile(51, RoadRow).kind, tkWater);  // a bridge bulldozed back to water
  ASSERT_EQ(map.Tile(51, RoadRow).image, 23);
  ASSERT_EQ(map.Tile(42, RoadRow).kind, tkCrossing);
  ASSERT_EQ(map.Tile(41, 35).kind, tkGate);
  ASSERT_EQ(map.Tile(42, 31).kind, tkDuctS);
  ASSERT_EQ(map.Tile(44, 20).image, 120);
  ASSERT_EQ(map.Tile(30, 40).image, 120);
  const std::int32_t charged = funds - map.Record().funds;
  ASSERT_GT(charged, 0);
  const auto built = Settled(map);
  ASSERT_NE(built, start);
  EXPECT_EQ(history.UndoCount(), 1U);

  map.Tick(9);
  Animate(map, 5);
  const auto header = Header(map);
  host.calls.clear();

  ASSERT_TRUE(history.Undo(map));
  EXPECT_EQ(Settled(map), start);
  EXPECT_EQ(map.Record().funds, funds);
  EXPECT_EQ(Header(map), header) << "undo touched the calendar, weather, moisture or forecast";
  EXPECT_EQ(host.calls, std::vector<std::string>{"funds " + std::to_string(funds)});

  Animate(map, 3);
  ASSERT_EQ(history.Redo(map), TRedoResult::Redone);
  EXPECT_EQ(Settled(map), built);
  EXPECT_EQ(map.Record().funds, funds - charged);
  EXPECT_EQ(Header(map), header);
}

TEST(Strokes, OpenWaterComesBackInStepWithItsNeighbours) {
  TMapa map;
  BuildScene(map);
  TStrokeHistory history;
  history.Open();
  Drag(map, history, tlTerra, Row(RiverLeft, RiverRight, RoadRow));
  history.Close();
  history.Open();
  Drag(map, history, tlBulldoze, {{51, RoadRow}});
  history.Close();
  Animate(map, 1);  // the river shows its second frame; the new water tile too
  ASSERT_EQ(map.Tile(51, RoadRow).image, 24);
  Animate(map, 1);

  // Undoing the road puts the middle tile back as open water, in the frame
  // the river shows now, whatever frame it had when the road was laid.
  Animate(map, 1);
  ASSERT_TRUE(history.Undo(map));
  EXPECT_EQ(map.Tile(51, RoadRow).kind, tkBridge);
  ASSERT_TRUE(history.Undo(map));
  EXPECT_EQ(map.Tile(51, RoadRow).kind, tkWater);
  EXPECT_EQ(map.Tile(51, RoadRow).image, map.Tile(51, RoadRow - 1).image);
  EXPECT_EQ(map.Tile(51, RoadRow).image, 24);
  Animate(map, 1);
  ASSERT_EQ(history.Redo(map), TRedoResult::Redone);
  ASSERT_EQ(history.Redo(map), TRedoResult::Redone);
  EXPECT_EQ(map.Tile(51, RoadRow).kind, tkWater);
  EXPECT_EQ(map.Tile(51, RoadRow).image, map.Tile(51, RoadRow - 1).image);
}

TEST(Strokes, RedoThatTheMoneyNoLongerCoversChangesNothing) {
  TRecordingHost host;
  TMapa map(&host);
  BuildScene(map);
  TStrokeHistory history;
  EverythingStroke(map, history);
  const std::int32_t charged = 40000 - map.Record().funds;
  ASSERT_TRUE(history.Undo(map));

  map.Record().funds = charged - 1;  // as if the money went elsewhere meanwhile
  const auto before = Bytes(map);
  host.calls.clear();
  EXPECT_EQ(history.Redo(map), TRedoResult::NotEnoughMoney);
  EXPECT_EQ(Bytes(map), before);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(history.CanRedo());
  EXPECT_FALSE(history.CanUndo());

  map.Record().funds = charged;  // exactly enough
  EXPECT_EQ(history.Redo(map), TRedoResult::Redone);
  EXPECT_EQ(map.Record().funds, 0);
  EXPECT_EQ(history.Redo(map), TRedoResult::NothingToRedo);
}

TEST(Strokes, AHundredStrokesUndoneRestoreTheStartAndTheOldestBeyondTheDepthGo) {
  TMapa map;
  BuildScene(map);
  map.Record().funds = 1000000;
  TStrokeHistory history;
  const auto start = Bytes(map);
  std::vector<std::vector<std::uint8_t>> after;
  // Short roads, fences and trees, each stroke a tile or two, so every
  // stroke re-joins what the one before laid.
  const TToolKind tools[] = {tlTerra, tlPavimento, tlCerca, tlArvores, tlDuto};
  for (int i = 0; i < 100; ++i) {
    const int x = 2 + (i % 40);
    const int y = 60 + (i / 40) * 3;
    history.Open();
    Drag(map, history, tools[i % 5], {{x, y}, {x, y + 1}});
    history.Close();
    after.push_back(Bytes(map));
  }
  ASSERT_EQ(history.UndoCount(), 100U);
  for (int i = 99; i >= 0; --i) {
    ASSERT_EQ(Bytes(map), after[i]) << "before undoing stroke " << i;
    ASSERT_TRUE(history.Undo(map));
  }
  EXPECT_EQ(Bytes(map), start);
  EXPECT_FALSE(history.Undo(map));

  // Beyond the depth the oldest strokes are forgotten.
  for (std::size_t i = 0; i < TStrokeHistory::Depth + 5; ++i) {
    history.Open();
    Drag(map, history, tlArvores, {{static_cast<int>(1 + i % 40), static_cast<int>(80 + i / 40)}});
    history.Close();
  }
  EXPECT_EQ(history.UndoCount(), TStrokeHistory::Depth);
}

TEST(Strokes, WhatCountsAsAStrokeAndAsAChange) {
  TMapa map;
  BuildScene(map);
  TStrokeHistory history;
  int notices = 0;
  history.OnChange = [&] { ++notices; };
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Changed());

  // A press on a refused tile, or days passing, change nothing.
  history.Open();
  Drag(map, history, tlCerca, {{RiverLeft, 10}});
  EXPECT_FALSE(UseTool(map, tlCerca, RiverLeft, 10, &history));
  history.Close();
  map.Tick(3);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Changed());
  EXPECT_EQ(notices, 0);

  // A stroke is undoable while the button is still held, and a tile laid
  // and joined again within one stroke is one change.
  history.Open();
  Drag(map, history, tlCerca, Row(10, 14, 10));
  EXPECT_TRUE(history.CanUndo());
  EXPECT_TRUE(history.Changed());
  EXPECT_GT(notices, 0);
  ASSERT_TRUE(history.Undo(map));  // closes the open stroke first
  EXPECT_EQ(map.Tile(12, 10).kind, tkEmpty);
  EXPECT_TRUE(history.CanRedo());

  // A new stroke clears the redo steps; saving clears the changed mark, and
  // an undo or redo sets it again.
  history.Open();
  Drag(map, history, tlArvores, {{20, 20}});
  history.Close();
  EXPECT_FALSE(history.CanRedo());
  history.MarkSaved();
  EXPECT_FALSE(history.Changed());
  ASSERT_TRUE(history.Undo(map));
  EXPECT_TRUE(history.Changed());
  history.MarkSaved();
  ASSERT_EQ(history.Redo(map), TRedoResult::Redone);
  EXPECT_TRUE(history.Changed());

  // A replaced record empties both lists.
  ASSERT_TRUE(history.Undo(map));
  history.Open();
  Drag(map, history, tlArvores, {{22, 22}});
  notices = 0;
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.Changed());
  EXPECT_EQ(notices, 1);
  history.Close();
  EXPECT_FALSE(history.CanUndo());
}

TEST(NewRanch, ResetGoesBackToTheStateOfCreation) {
  TRecordingHost host;
  TMapa map(&host);
  RandomSeed(5);
  map.Generate();
  map.AdvanceForecast();
  map.Tick(20);
  map.ChangeFunds(-123);
  map.frameCounter = 6;
  host.calls.clear();

  map.Reset();
  EXPECT_EQ(Bytes(map), Bytes(TMapa()));
  EXPECT_EQ(map.frameCounter, 0);
  EXPECT_EQ(host.calls, std::vector<std::string>{"funds 40000"});
  EXPECT_EQ(map.Host(), &host);
}

}  // namespace

// Whoever keeps books of the building hears every edit with its money: what
// a recorded change took, what undo gave back and what redo took again; a
// refused redo and a change that changed nothing say nothing.
TEST(Strokes, EveryEditIsToldWithTheMoneyItMoved) {
  TRecordingHost host;
  TMapa map(&host);
  BuildScene(map);
  TStrokeHistory history;
  std::vector<std::int64_t> told;
  history.OnEdit = [&told](std::int64_t charged) { told.push_back(charged); };
  const std::int32_t funds = map.Record().funds;
  EverythingStroke(map, history);
  const std::int64_t charged = funds - map.Record().funds;
  ASSERT_FALSE(told.empty());
  std::int64_t sum = 0;
  for (std::int64_t each : told) sum += each;
  EXPECT_EQ(sum, charged);

  told.clear();
  history.Record(map, [] { return false; });
  EXPECT_TRUE(told.empty());
  ASSERT_TRUE(history.Undo(map));
  ASSERT_EQ(history.Redo(map), TRedoResult::Redone);
  ASSERT_TRUE(history.Undo(map));
  EXPECT_EQ(told, (std::vector<std::int64_t>{-charged, charged, -charged}));
  map.Record().funds = 0;
  told.clear();
  EXPECT_EQ(history.Redo(map), TRedoResult::NotEnoughMoney);
  EXPECT_TRUE(told.empty());
}

// A change kept beside the tiles joins the open stroke, once per key, and
// comes back through PutSide with its money: first value on undo, last on
// redo; a key that ends where it began leaves nothing to undo.
TEST(Strokes, SideChangesAreUndoneAndRedoneWithTheirMoney) {
  TRecordingHost host;
  TMapa map(&host);
  BuildScene(map);
  TStrokeHistory history;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> put;
  std::vector<std::int64_t> told;
  history.PutSide = [&put](std::uint32_t key, std::uint32_t value) { put.emplace_back(key, value); };
  history.OnEdit = [&told](std::int64_t charged) { told.push_back(charged); };
  const std::int32_t funds = map.Record().funds;

  history.Open();
  map.ChangeFunds(-30);
  history.RecordSide({7, 0, 1}, 30);
  history.RecordSide({7, 1, 2}, 0);
  history.RecordSide({9, 5, 6}, 0);
  history.Close();
  EXPECT_TRUE(told.empty()) << "the owner booked its own change";
  EXPECT_TRUE(history.Changed());
  history.Open();
  history.RecordSide({4, 3, 3}, 0);
  history.Close();
  EXPECT_EQ(history.UndoCount(), 1u);

  ASSERT_TRUE(history.Undo(map));
  EXPECT_EQ(put, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{9, 5}, {7, 0}}));
  EXPECT_EQ(map.Record().funds, funds);
  put.clear();
  ASSERT_EQ(history.Redo(map), TRedoResult::Redone);
  EXPECT_EQ(put, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{7, 2}, {9, 6}}));
  EXPECT_EQ(map.Record().funds, funds - 30);
  EXPECT_EQ(told, (std::vector<std::int64_t>{-30, 30}));
}
