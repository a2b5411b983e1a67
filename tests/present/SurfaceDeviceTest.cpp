// The drawing surface's life: notices, their order and how image lists react.
#include <gtest/gtest.h>

#include <string>

#include "present/DXImageList.h"
#include "tests/present/PresentTestSupport.h"

namespace {

const char* NoticeName(TSurfaceNotice n) {
  static constexpr const char* names[] = {"Destroying", "Starting",      "Started",  "SurfacesMade",
                                          "Stopping",   "SurfacesFreeing", "Restored", "Resized"};
  return names[n];
}

// Records notices and the device's events in one log.
struct Recorder : TSurfaceListener {
  Recorder(std::string name, std::string& log) : name(std::move(name)), log(log) {}
  void SurfaceNotice(TSurfaceDevice&, TSurfaceNotice notice) override {
    log += name + ":" + NoticeName(notice) + " ";
  }
  std::string name;
  std::string& log;
};

void RecordEvents(TSurfaceDevice& device, std::string& log) {
  auto event = [&log](const char* name) { return [&log, name](TSurfaceDevice&) { log += std::string(name) + " "; }; };
  device.OnInitializing = event("OnInitializing");
  device.OnInitialize = event("OnInitialize");
  device.OnFinalize = event("OnFinalize");
  device.OnInitializeSurface = event("OnInitializeSurface");
  device.OnFinalizeSurface = event("OnFinalizeSurface");
  device.OnRestoreSurface = event("OnRestoreSurface");
}

TEST(SurfaceDevice, StartAndStopSendNoticesLastListenerFirst) {
  std::string log;
  Recorder a("A", log), b("B", log);  // outlive the device, which says goodbye
  TSurfaceDevice device;
  RecordEvents(device, log);
  device.RegisterListener(&a);
  device.RegisterListener(&b);
  device.StartDevice();
  EXPECT_EQ(log,
            "OnInitializing B:Starting A:Starting B:Resized A:Resized B:Started A:Started OnInitialize "
            "B:SurfacesMade A:SurfacesMade OnInitializeSurface B:Restored A:Restored OnRestoreSurface ");
  log.clear();
  device.StopDevice();
  EXPECT_EQ(log, "OnFinalizeSurface B:SurfacesFreeing A:SurfacesFreeing OnFinalize B:Stopping A:Stopping ");
  EXPECT_FALSE(device.Started());
  EXPECT_EQ(device.BackSurface(), nullptr);
  log.clear();
  device.StopDevice();
  EXPECT_EQ(log, "");
}

TEST(SurfaceDevice, RegisteringWithAStartedDeviceCatchesUp) {
  std::string log;
  TSurfaceDevice device;
  device.StartDevice();
  Recorder late("L", log);
  device.RegisterListener(&late);
  EXPECT_EQ(log, "L:Started L:Restored ");
  device.UnregisterListener(&late);
  device.RestoreSurfaces();
  EXPECT_EQ(log, "L:Started L:Restored ");
}

TEST(SurfaceDevice, ResizingRemakesABlackBackSurface) {
  std::string log;
  Recorder r("R", log);
  TSurfaceDevice device;
  device.BoundsChanged(0, 0);
  device.StartDevice();
  EXPECT_EQ(device.BackSurface()->Width(), 1);
  EXPECT_EQ(device.BackSurface()->Height(), 1);
  RecordEvents(device, log);
  device.RegisterListener(&r);
  log.clear();
  device.BackSurface()->Fill(0xFFFFFFFFu);
  device.BoundsChanged(30, 20);
  EXPECT_EQ(log, "R:SurfacesFreeing R:SurfacesMade OnInitializeSurface R:Resized ");
  ASSERT_EQ(device.BackSurface()->Width(), 30);
  EXPECT_EQ(device.BackSurface()->Height(), 20);
  EXPECT_EQ(device.BackSurface()->Bits()[599], 0xFF000000u);
  log.clear();
  device.BoundsChanged(30, 20);
  EXPECT_EQ(log, "");
  device.AutoSize = false;
  device.BoundsChanged(50, 50);
  EXPECT_EQ(device.SurfaceWidth(), 30);
}

// A restart or a slightly smaller size makes the new back surface in the
// old one's memory, cleared all the same; a much smaller one lets it go.
TEST(SurfaceDevice, ANewBackSurfaceReusesTheOldMemoryClearedToBlack) {
  TSurfaceDevice device;
  device.BoundsChanged(64, 40);
  device.StartDevice();
  device.BackSurface()->Fill(0xFF123456u);
  const std::uint32_t* memory = device.BackSurface()->Bits();
  device.StartDevice();
  EXPECT_EQ(device.BackSurface()->Bits(), memory);
  device.BackSurface()->Fill(0xFF123456u);
  device.BoundsChanged(60, 40);
  EXPECT_EQ(device.BackSurface()->Bits(), memory);
  const TDirectDrawSurface& back = *device.BackSurface();
  for (int i = 0; i < 60 * 40; ++i) ASSERT_EQ(back.Bits()[i], 0xFF000000u) << i;

  device.BoundsChanged(10, 10);
  EXPECT_NE(device.BackSurface()->Bits(), memory);
  device.StopDevice();
  device.StartDevice();  // a start after a stop has nothing to reuse
  EXPECT_EQ(device.BackSurface()->Width(), 10);
  EXPECT_EQ(device.BackSurface()->Bits()[99], 0xFF000000u);
}

// A whole-surface fill or clear is written only when the pixels are first
// asked for; whatever asks, through any accessor, sees it done.
TEST(Surface, AFillRecordedAheadReadsAsWrittenThroughEveryAccessor) {
  TDirectDrawSurface surface(5, 3);
  const TDirectDrawSurface& view = surface;
  EXPECT_EQ(view.Line(2)[4], 0xFF000000u);
  surface.Row(1)[2] = 0xFF00FF00u;
  surface.Fill(0xFF0000FFu);
  EXPECT_EQ(view.Bits()[7], 0xFF0000FFu);  // the written pixel is filled over
  surface.Fill(0xFFFF0000u);
  surface.Fill(0xFF00FFFFu);  // only the last of two fills in a row counts
  EXPECT_EQ(surface.Row(0)[0], 0xFF00FFFFu);
  surface.Line(1)[1] = 0xFF123456u;
  EXPECT_EQ(view.Line(1)[1], 0xFF123456u);
  EXPECT_EQ(view.Line(1)[0], 0xFF00FFFFu);
  surface.SetSize(4, 4);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(surface.Bits()[i], 0xFF000000u) << i;
  surface.Fill(0xFF777777u);
  TDirectDrawSurface again(2, 2, surface.TakeStorage());
  EXPECT_EQ(surface.Width(), 0);
  for (int i = 0; i < 4; ++i) ASSERT_EQ(again.Bits()[i], 0xFF000000u) << i;
}

TEST(SurfaceDevice, ResizingAStoppedDeviceOnlyRecordsTheSize) {
  std::string log;
  Recorder r("R", log);
  TSurfaceDevice device;
  device.RegisterListener(&r);
  device.BoundsChanged(12, 7);
  EXPECT_EQ(log, "R:Resized ");
  EXPECT_EQ(device.BackSurface(), nullptr);
  device.StartDevice();
  EXPECT_EQ(device.BackSurface()->Width(), 12);
}

TEST(SurfaceDevice, ReadyToDrawNeverStartsAndRestoresLostSurfaces) {
  std::string log;
  Recorder r("R", log);
  TSurfaceDevice device;
  EXPECT_FALSE(device.ReadyToDraw());
  EXPECT_FALSE(device.Started());
  device.StartDevice();
  device.RegisterListener(&r);
  log.clear();
  EXPECT_TRUE(device.ReadyToDraw());
  EXPECT_EQ(log, "");
  device.BackSurface()->Fill(0xFFFFFFFFu);
  device.LoseSurfaces();
  EXPECT_TRUE(device.ReadyToDraw());
  EXPECT_EQ(log, "R:Restored ");
  EXPECT_EQ(device.BackSurface()->Bits()[0], 0xFF000000u);
}

struct Formless : TSurfaceDevice {
  bool HasForm() const override { return false; }
};

TEST(SurfaceDevice, StartWithoutAFormFailsAndStaysStopped) {
  Formless device;
  try {
    device.StartDevice();
    FAIL();
  } catch (const EDXDrawError& e) {
    EXPECT_STREQ(e.what(), "Form not found");
  }
  EXPECT_FALSE(device.Started());
  EXPECT_FALSE(device.ReadyToDraw());
}

TEST(ImageListLink, FollowsStartRestoreStopAndDestruction) {
  TDXImageList list;
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture = SolidBitmap(48, 24, 0xFF00FF00u);
  item.PatternWidth = 24;  // set before the start: in force at the first cut
  auto device = std::make_unique<TSurfaceDevice>();
  list.SetDXDraw(device.get());
  EXPECT_EQ(item.PatternCount(), 0);
  device->StartDevice();
  EXPECT_TRUE(item.Initialized());
  EXPECT_EQ(item.PatternCount(), 2);

  item.PatternWidth = 12;  // shows only after the next restore
  EXPECT_EQ(item.PatternCount(), 2);
  device->RestoreSurfaces();
  EXPECT_EQ(item.PatternCount(), 4);

  device->StopDevice();
  EXPECT_FALSE(item.Initialized());
  EXPECT_EQ(item.PatternCount(), 0);
  device->StartDevice();
  EXPECT_EQ(item.PatternCount(), 4);

  device.reset();
  EXPECT_EQ(list.DXDraw(), nullptr);
  EXPECT_EQ(item.PatternCount(), 0);
}

TEST(ImageListLink, LinkingToAStartedDeviceCutsAtOnceAndRelinkingMoves) {
  TSurfaceDevice first, second;
  first.StartDevice();
  TDXImageList list;
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture = SolidBitmap(24, 24, 0);
  list.SetDXDraw(&first);
  EXPECT_EQ(item.PatternCount(), 1);
  list.SetDXDraw(&second);  // not started: the items leave the first device
  EXPECT_EQ(item.PatternCount(), 0);
  second.StartDevice();
  EXPECT_EQ(item.PatternCount(), 1);
  first.StopDevice();
  EXPECT_EQ(item.PatternCount(), 1);
}

TEST(ImageListLink, AttachingToAStoppedDeviceRaises) {
  TSurfaceDevice device;
  TPictureCollection items;
  items.Add();
  try {
    items.AttachDevice(device);
    FAIL();
  } catch (const EDXImageListError& e) {
    EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
  }
  EXPECT_FALSE(items.Items(0).Initialized());
  EXPECT_EQ(items.Device(), nullptr);
}

}  // namespace
