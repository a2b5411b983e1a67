// Cutting pictures into numbered patterns.
#include <gtest/gtest.h>

#include "present/DXImageList.h"
#include "tests/present/PresentTestSupport.h"

namespace {

struct AttachedList {
  AttachedList() {
    device.BoundsChanged(64, 64);
    device.StartDevice();
    list.SetDXDraw(&device);
  }
  TPictureCollectionItem& Add(int width, int height, int patternWidth, int patternHeight) {
    TPictureCollectionItem& item = list.Items.Add();
    item.Picture = SolidBitmap(width, height, 0xFF102030u);
    item.PatternWidth = patternWidth;
    item.PatternHeight = patternHeight;
    item.RebuildPatterns();
    return item;
  }
  TSurfaceDevice device;
  TDXImageList list;
};

TEST(Patterns, NumberedRowByRowOverTheBitmap) {
  AttachedList f;
  TPictureCollectionItem& item = f.Add(240, 72, 24, 24);
  EXPECT_EQ(item.PatternCount(), 30);
  EXPECT_EQ(item.PatternRect(13), (TRect{72, 24, 96, 48}));
  EXPECT_EQ(item.PatternRect(0), (TRect{0, 0, 24, 24}));
  EXPECT_EQ(item.PatternRect(29), (TRect{216, 48, 240, 72}));
  EXPECT_EQ(item.PatternRect(30), TRect{});
  EXPECT_EQ(item.PatternRect(-1), TRect{});
  EXPECT_EQ(item.PatternSurface(30), nullptr);
  ASSERT_NE(item.PatternSurface(13), nullptr);
  EXPECT_EQ(item.PatternSurface(13)->Width(), 240);
}

TEST(Patterns, PartialColumnsAndRowsAreNotPatterns) {
  AttachedList f;
  TPictureCollectionItem& item = f.Add(250, 60, 24, 24);
  EXPECT_EQ(item.PatternCount(), 10 * 2);
  EXPECT_EQ(item.PatternRect(10), (TRect{0, 24, 24, 48}));
}

TEST(Patterns, SkipsWidenThePitch) {
  AttachedList f;
  TPictureCollectionItem& item = f.list.Items.Add();
  item.Picture = SolidBitmap(130, 50, 0xFF000000u);
  item.PatternWidth = 24;
  item.PatternHeight = 24;
  item.SkipWidth = 2;
  item.SkipHeight = 2;
  item.RebuildPatterns();
  // Columns (130 + 2) div 26 = 5, rows (50 + 2) div 26 = 2.
  EXPECT_EQ(item.PatternCount(), 10);
  EXPECT_EQ(item.PatternRect(4), (TRect{104, 0, 128, 24}));
  EXPECT_EQ(item.PatternRect(5), (TRect{0, 26, 24, 50}));
}

TEST(Patterns, WholeBitmapWhenSizesMatchOrAreUnset) {
  AttachedList f;
  EXPECT_EQ(f.Add(40, 30, 0, 0).PatternRect(0), (TRect{0, 0, 40, 30}));
  EXPECT_EQ(f.Add(40, 30, 0, 0).PatternCount(), 1);
  EXPECT_EQ(f.Add(40, 30, 40, 30).PatternCount(), 1);
  EXPECT_EQ(f.Add(40, 30, -5, 0).PatternCount(), 1);
}

TEST(Patterns, BitmapSmallerThanAPatternHasNone) {
  AttachedList f;
  TPictureCollectionItem& item = f.Add(20, 20, 24, 24);
  EXPECT_EQ(item.PatternCount(), 0);
  TDirectDrawSurface dest(8, 8);
  item.DrawScaled(dest, {0, 0, 8, 8}, 0);
  item.DrawBlended(dest, {0, 0, 8, 8}, 0, 200);
  EXPECT_EQ(dest.Bits()[0], 0xFF000000u);
}

TEST(Patterns, BrokenPicturesAndPitchesAreRefused) {
  AttachedList f;
  TPictureCollectionItem& item = f.list.Items.Add();
  item.Picture.Width = 10;
  item.Picture.Height = 10;  // no pixels behind the size
  item.RebuildPatterns();
  EXPECT_EQ(item.PatternCount(), 0);
  item.Picture = SolidBitmap(40, 40, 0);
  item.PatternWidth = 10;
  item.SkipWidth = -10;  // a pitch of 0
  item.RebuildPatterns();
  EXPECT_EQ(item.PatternCount(), 0);
}

TEST(Patterns, UnattachedItemsAreNotCut) {
  TDXImageList list;
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture = SolidBitmap(48, 24, 0);
  item.PatternWidth = 24;
  item.RebuildPatterns();
  EXPECT_FALSE(item.Initialized());
  EXPECT_EQ(item.PatternCount(), 0);
}

TEST(Patterns, ItemsOutsideTheListRaise) {
  TDXImageList list;
  list.Items.Add();
  EXPECT_NO_THROW(list.Items.Items(0));
  try {
    list.Items.Items(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Items.Items(-1), EListError);
}

}  // namespace
