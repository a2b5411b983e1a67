// The tile memo of a surface: which squares a frame of tiles draws again.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "present/RetainedTiles.h"
#include "tests/present/PresentTestSupport.h"

namespace {

constexpr std::uint32_t Key = 0xFFFF00FFu;

// Two 4 x 4 patterns: solid red, and green with a key column on the left.
struct Tiles {
  Tiles() {
    device.StartDevice();
    list.SetDXDraw(&device);
    item = &list.Items.Add();
    item->Picture.Width = 8;
    item->Picture.Height = 4;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) item->Picture.Pixels.push_back(x < 4 ? 0xFFFF0000u : x == 4 ? Key : 0xFF00FF00u);
    item->PatternWidth = item->PatternHeight = 4;
    item->SetTransparentColor(0x00FF00FF);
    item->RebuildPatterns();
  }
  // A frame of 3 x 2 squares, every one showing pattern; returns the areas it wrote.
  std::vector<TRect> Frame(int pattern, int size = 4) {
    {
      TTileFrame frame(surface, size, 3, 2);
      for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column) {
          const TTileLayer layers[] = {{item, 0}, {item, pattern}};
          frame.Draw(column, row, layers, 2);
        }
    }
    return surface.TakeChanges();
  }
  TSurfaceDevice device;
  TDXImageList list;
  TPictureCollectionItem* item = nullptr;
  TDirectDrawSurface surface{12, 8};
};

TEST(RetainedTiles, OnlySquaresThatChangedOrWereDrawnOverAreDrawnAgain) {
  Tiles t;
  t.surface.TakeChanges();
  EXPECT_EQ(t.Frame(1), (std::vector<TRect>{{0, 0, 12, 8}}));
  EXPECT_TRUE(t.Frame(1).empty());

  // Something else writes across two squares of the lower row.
  TDirectDrawSurface dot(1, 1);
  t.surface.Canvas().CopyRect({5, 6, 9, 7}, dot, {0, 0, 1, 1});
  t.surface.TakeChanges();
  EXPECT_EQ(t.Frame(1), (std::vector<TRect>{{4, 4, 12, 8}}));
  EXPECT_EQ(std::as_const(t.surface).Line(6)[5], 0xFF00FF00u);

  // The grid is the same wherever it shows: no scrolling position enters it.
  EXPECT_TRUE(t.Frame(1).empty());
  // Another tile size starts over.
  EXPECT_EQ(t.Frame(1, 3), (std::vector<TRect>{{0, 0, 9, 6}}));
  EXPECT_EQ(t.Frame(1, 4), (std::vector<TRect>{{0, 0, 12, 8}}));
}

TEST(RetainedTiles, NewPicturesKeysOrTransparencyDrawEverythingAgain) {
  Tiles t;
  t.Frame(1);
  for (const auto& change : std::vector<std::function<void()>>{
           [&] { t.item->RebuildPatterns(); },
           [&] { t.item->SetTransparentColor(0x00000000); },
           [&] { t.item->Transparent = false; },
           [&] { t.item->Transparent = true; },
       }) {
    change();
    EXPECT_FALSE(t.Frame(1).empty());
    EXPECT_TRUE(t.Frame(1).empty());
  }
  // Whole-surface writes count as drawing over every square.
  t.surface.Fill(0xFF000000u);
  t.surface.TakeChanges();
  EXPECT_EQ(t.Frame(1), (std::vector<TRect>{{0, 0, 12, 8}}));
}

TEST(RetainedTiles, WithSkippingOffEverySquareIsDrawn) {
  Tiles t;
  t.Frame(1);
  SetSkipUnchanged(false);
  EXPECT_EQ(t.Frame(1), (std::vector<TRect>{{0, 0, 12, 8}}));
  SetSkipUnchanged(true);
  EXPECT_TRUE(t.Frame(1).empty());
}

// A frame of tiles with a red dot laid over square (1, 0) whenever its key
// is not 0; returns the areas written, by the tiles and then by the overlay.
std::vector<TRect> OverlaidFrame(Tiles& t, std::uint64_t key) {
  std::vector<TRect> written = t.Frame(1);
  {
    TTileOverlay overlay(t.surface, 4, 3, 2);
    for (int column = 0; column < 3; ++column)
      if (overlay.Begin(column, 0, column == 1 ? key : 0)) t.surface.FillRect({5, 1, 6, 2}, 0xFFFF0000u);
  }
  for (const TRect& area : t.surface.TakeChanges()) written.push_back(area);
  return written;
}

std::uint32_t Dot(const Tiles& t) { return std::as_const(t.surface).Line(1)[5]; }

TEST(RetainedTiles, AnOverlayIsDrawnOnceAndItsSquareLaidAfreshWhenItChanges) {
  Tiles t;
  t.Frame(1);
  t.surface.TakeChanges();
  EXPECT_EQ(OverlaidFrame(t, 7), (std::vector<TRect>{{5, 1, 6, 2}}));
  EXPECT_EQ(Dot(t), 0xFFFF0000u);
  // Unchanged: nothing written, the dot stays, and the tiles are not drawn again.
  EXPECT_TRUE(OverlaidFrame(t, 7).empty());
  EXPECT_EQ(Dot(t), 0xFFFF0000u);
  // Another key: the square gets its tile back, then the new overlay.
  EXPECT_EQ(OverlaidFrame(t, 8), (std::vector<TRect>{{4, 0, 8, 4}}));
  EXPECT_EQ(Dot(t), 0xFFFF0000u);
  // Gone: the square shows its tile alone, in the same frame.
  EXPECT_EQ(OverlaidFrame(t, 0), (std::vector<TRect>{{4, 0, 8, 4}}));
  EXPECT_EQ(Dot(t), 0xFF00FF00u);
  EXPECT_TRUE(OverlaidFrame(t, 0).empty());
}

TEST(RetainedTiles, AnOverlayFollowsTheTilesDrawnBeneathIt) {
  Tiles t;
  OverlaidFrame(t, 7);
  // The tile changes: the frame draws it, and the overlay goes over it again.
  t.Frame(0);
  {
    TTileOverlay overlay(t.surface, 4, 3, 2);
    EXPECT_TRUE(overlay.Begin(1, 0, 7));
  }
  // Something else draws over the square: the next frame lays it afresh.
  OverlaidFrame(t, 7);
  t.surface.FillRect({4, 0, 5, 1}, 0xFF0000FFu);
  t.surface.TakeChanges();
  EXPECT_EQ(OverlaidFrame(t, 7), (std::vector<TRect>{{4, 0, 8, 4}, {5, 1, 6, 2}}));
  // On another grid than the last frame's, every overlay is drawn and
  // counts as drawn over the tiles.
  {
    TTileOverlay overlay(t.surface, 3, 3, 2);
    EXPECT_TRUE(overlay.Begin(1, 0, 7));
    t.surface.FillRect({5, 1, 6, 2}, 0xFFFFFF00u);
  }
  t.surface.TakeChanges();
  EXPECT_EQ(OverlaidFrame(t, 7), (std::vector<TRect>{{4, 0, 8, 4}, {5, 1, 6, 2}}));
  EXPECT_EQ(Dot(t), 0xFFFF0000u);
  // With skipping off, the overlay is drawn every frame.
  SetSkipUnchanged(false);
  EXPECT_FALSE(OverlaidFrame(t, 7).empty());
  SetSkipUnchanged(true);
}

}  // namespace
