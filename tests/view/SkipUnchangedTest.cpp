// Skipping work whose result is already on the screen must not show: the
// same scene, played with a fake clock once with skipping and once without,
// presents the same frames pixel for pixel, and after every frame the
// control shows exactly the back surface.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <vector>

#include "map/MapaCodes.h"
#include "present/Surface.h"
#include "tests/view/ViewFixture.h"

namespace {

// Ground patterns from 20 on are see-through in their left half, so what a
// square showed before shows through them: the water, the clearing and
// most features then depend on every earlier frame.
void FillSeeThroughGroundList(TDXImageList& list) {
  const auto ground = [](int i) { return GroundPixel(i); };
  const auto house = [](int i) { return HousePixel(i); };
  TPictureCollectionItem& groundItem = list.Items.Add();
  groundItem.Picture = PatternSheet(10, 13, ground, 20);
  TPictureCollectionItem& houseItem = list.Items.Add();
  houseItem.Picture = PatternSheet(4, 1, house, 2);
  for (TPictureCollectionItem* item : {&groundItem, &houseItem}) {
    item->PatternWidth = 24;
    item->PatternHeight = 24;
    item->Transparent = true;
    item->SetTransparentColor(0x00FF00FF);
  }
}

QImage BackImage(TDXDraw& tela) {
  const TDirectDrawSurface& back = *tela.BackSurface();
  QImage image(back.Width(), back.Height(), QImage::Format_RGB32);
  for (int y = 0; y < back.Height(); ++y)
    std::copy(back.Line(y), back.Line(y) + back.Width(), reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  return image;
}

// Plays one scene and returns every presented frame.
class Scene {
 public:
  explicit Scene(bool skip) {
    SetSkipUnchanged(skip);
    EnsureApplication();
    SetGameGlobalsAsAtStartUp();
    ResetViewGlobals();
    RandomSeed(42);
    FillSeeThroughGroundList(chao);
    FillOtherList(outros);
    map = std::make_unique<TMapa>(&host);
    map->Generate();
    view = MakeTestView(*map, chao, outros);
    view->show();
    view->Tela->StartDevice();
    // Start where the river runs through the view.
    for (int y = 1; y <= 96 && !river; ++y)
      for (int x = 1; x <= 90 && !river; ++x)
        if (map->Record().tiles[x][y].kind == tkWater && x > 6 && y > 4) {
          view->BarraHorizontal->setValue(x - 6);
          view->BarraVertical->setValue(y - 4);
          river = true;
        }
  }
  ~Scene() {
    view.reset();
    ResetGameGlobals();
    ResetViewGlobals();
    SetSkipUnchanged(true);
  }

  // One frame; its drawing takes a varying number of milliseconds, so the
  // rate figure in the corner changes now and then.
  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) {
      static constexpr std::uint32_t Costs[] = {0, 4, 4, 5, 7, 0};
      view->frameCost = Costs[frames.size() % std::size(Costs)];
      view->DXTimer1Timer(1);
      frames.push_back(view->Tela->FrontImage().copy());
      Check();
    }
  }

  void Hover(int column, int row) { view->TelaMouseMove(column * TileSize + 5, row * TileSize + 5); }

  // Nothing left out: the control shows the whole back surface, and the
  // part asked to be repainted holds every pixel that changed.
  void Check() {
    const QImage& front = view->Tela->FrontImage();
    ASSERT_EQ(front, BackImage(*view->Tela)) << "frame " << frames.size();
    if (!previous.isNull() && previous.size() == front.size()) {
      const QRegion repainted = view->Tela->PresentedRegion();
      for (int y = 0; y < front.height(); ++y) {
        for (int x = 0; x < front.width(); ++x) {
          if (front.pixel(x, y) != previous.pixel(x, y)) {
            ASSERT_TRUE(repainted.contains(QPoint(x, y))) << "frame " << frames.size() << " at " << x << ", " << y;
          }
        }
      }
    }
    previous = front.copy();
  }

  TDXImageList chao, outros;
  TRecordingHost host;
  std::unique_ptr<TMapa> map;
  std::unique_ptr<TTestView> view;
  std::vector<QImage> frames;
  QImage previous;
  bool river = false;
};

// The scene: water frames, a clearing, rain, zooms, the end of the map,
// scrolling, marker moves, a road laid by mouse, every option of the Extras
// menu, a resize and a restore of the surfaces.
std::vector<QImage> Play(bool skip) {
  Scene s(skip);
  EXPECT_TRUE(s.river);
  s.Hover(3, 2);
  s.Frame(20);

  const int x = ViewX + 5, y = ViewY + 3;
  s.map->Record().tiles[x][y] = {0, 30, tkTree};
  s.Frame(2);
  EXPECT_TRUE(s.map->Bulldoze(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)));
  s.Frame(11);

  s.map->Record().weather = wtRain;
  s.Frame(3);
  s.map->Record().weatherYesterday = wtHeavyRain;
  s.Frame(3);
  s.map->Record().weather = wtSunny;
  s.Frame(2);

  for (int zoom : {1, 2, 5, 4, 3}) {
    ZoomIndex = static_cast<unsigned char>(zoom);
    s.Frame(3);
  }

  // The end of the map, where the view clears what lies past it.
  ZoomIndex = 1;
  s.Frame();
  s.view->BarraHorizontal->setValue(s.view->BarraHorizontal->maximum());
  s.view->BarraVertical->setValue(s.view->BarraVertical->maximum());
  s.Frame(3);
  s.view->BarraHorizontal->setValue(s.view->BarraHorizontal->value() - 3);
  s.Frame(2);
  ZoomIndex = 3;
  s.Frame(2);

  for (int step = 0; step < 4; ++step) {
    s.view->BarraHorizontal->setValue(s.view->BarraHorizontal->value() + 1);
    s.Frame();
  }
  s.view->BarraVertical->setValue(s.view->BarraVertical->value() - 2);
  s.Frame(2);

  s.view->CurrentTool = tlTerra;
  for (int column = 1; column < 8; ++column) {
    s.Hover(column, 3);
    s.Frame();
  }
  s.view->Tecla->Mouse.SetButtonHeld(0, true);
  for (int column = 2; column < 6; ++column) {
    s.Hover(column, 5);
    s.Frame();
  }
  s.view->Tecla->Mouse.SetButtonHeld(0, false);
  s.view->cursor = QPoint(-5, -5);  // off the map: no marker
  s.Frame(2);
  s.view->cursor = QPoint(20, 20);

  for (bool* option : {&HighlightMarker, &MinimapOn, &LargeMapOn, &MouseNavigation, &DetailedTerrain, &SoundtrackOn}) {
    *option = true;
    s.Frame(2);
    *option = false;
    s.Frame(2);
  }

  s.view->SetClientSize(301, 250);
  s.Frame(3);
  s.view->Tela->RestoreSurfaces();
  s.Frame(3);
  s.view->Tela->LoseSurfaces();
  s.Frame(3);
  return s.frames;
}

TEST(SkipUnchanged, PresentsTheFramesOfFullDrawingPixelForPixel) {
  const std::vector<QImage> full = Play(false);
  const std::vector<QImage> skipping = Play(true);
  ASSERT_EQ(full.size(), skipping.size());
  for (std::size_t i = 0; i < full.size(); ++i) ASSERT_EQ(full[i], skipping[i]) << "frame " << i;
}

TEST(SkipUnchanged, AnUnchangedFrameRepaintsNothing) {
  Scene s(true);
  s.view->cursor = QPoint(-5, -5);
  ZoomIndex = 1;
  s.Frame(2);
  // Between water frames, with the rate figure steady, nothing changes.
  s.view->frameCost = 0;
  while (s.map->frameCounter != 1) s.view->DXTimer1Timer(1);
  s.view->DXTimer1Timer(1);
  EXPECT_TRUE(s.view->Tela->PresentedRegion().isEmpty());
  // The next water frame repaints the water alone, not the whole view.
  while (s.map->frameCounter != 7) s.view->DXTimer1Timer(1);
  s.view->DXTimer1Timer(1);
  int area = 0;
  for (const QRect& r : s.view->Tela->PresentedRegion()) area += r.width() * r.height();
  EXPECT_GT(area, 0);
  EXPECT_LT(area, 300 * 207 / 2);
}

}  // namespace
