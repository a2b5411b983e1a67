#pragma once
// A map view on its own: a hand-made image list, a map with a recording
// host, and stand-ins for the cursor, the millisecond counter and the
// speakers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPoint>
#include <memory>
#include <string>
#include <vector>

#include "map/Mapa.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"
#include "view/VerMapa.h"

// Ends the application after the last test, while Qt's own globals still
// exist; at static destruction they may not.
class TApplicationEnvironment : public ::testing::Environment {
 public:
  std::unique_ptr<QApplication> App;
  void TearDown() override { App.reset(); }
};

inline void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "view_tests";
  static char* argv[] = {name, nullptr};
  auto* environment = new TApplicationEnvironment;  // owned by GoogleTest once added
  environment->App = std::make_unique<QApplication>(argc, argv);
  ::testing::AddGlobalTestEnvironment(environment);
}

class TRecordingHost : public IMapHost {
 public:
  void ShowFunds(std::int32_t f) override { funds.push_back(f); }
  void ShowDate(std::string_view text) override { dates.emplace_back(text); }
  void ForecastCell(int, std::uint8_t) override {}
  void ForecastLine(int, int, int, int) override {}
  void PlayWave(int index) override { waves.push_back(index); }
  std::vector<std::int32_t> funds;
  std::vector<std::string> dates;
  std::vector<int> waves;
};

class TTestView : public TForm2 {
 public:
  QPoint cursor{20, 20};
  std::uint32_t clock = 1000;
  std::uint32_t frameCost = 0;  // milliseconds a frame's drawing takes
  std::vector<int> sounds;

 protected:
  QPoint CursorClientPos() const override { return cursor; }
  std::uint32_t Milliseconds() const override {
    auto* self = const_cast<TTestView*>(this);
    const std::uint32_t now = self->clock;
    self->clock += frameCost;
    return now;
  }
  void PlaySound(int index) override { sounds.push_back(index); }
};

// A test view showing `map` with the two image lists, its client area
// 317 x 224 (a 300 x 207 surface beside the scroll bars); not shown yet.
inline std::unique_ptr<TTestView> MakeTestView(TMapa& map, TDXImageList& chao, TDXImageList& outros) {
  auto view = std::make_unique<TTestView>();
  view->RanchMap = &map;
  view->IMGChao = &chao;
  view->IMGOutros = &outros;
  chao.SetDXDraw(view->Tela);
  outros.SetDXDraw(view->Tela);
  view->SetClientSize(317, 224);
  return view;
}

inline TBitmap SolidSquare(std::uint32_t pixel) {
  TBitmap square;
  square.Width = square.Height = 24;
  square.Pixels.assign(24 * 24, pixel);
  return square;
}

constexpr std::uint32_t StatusPixel = 0xFF445566;
constexpr std::uint32_t WhitePixel = 0xFFFFFFFF;
constexpr std::uint32_t RedPixel = 0xFFFF0000;
constexpr std::uint32_t GreenPixel = 0xFF008000;

// IMGOutros as the game fills it: status icons, then white, red and green.
inline void FillOtherList(TDXImageList& list) {
  TPictureCollectionItem& status = list.Items.Add();
  status.Picture = SolidSquare(StatusPixel);
  status.Transparent = false;
  for (std::uint32_t pixel : {WhitePixel, RedPixel, GreenPixel}) {
    TPictureCollectionItem& square = list.Items.Add();
    square.Picture = SolidSquare(pixel);
    square.Transparent = false;
  }
}

inline void SetGameGlobalsAsAtStartUp() {
  ResetGameGlobals();
  TileSize = 24;
  const unsigned char sizes[] = {0, 12, 16, 24, 36, 48};
  for (int i = 0; i < 6; ++i) ZoomSizes[i] = sizes[i];
  ZoomIndex = 3;
  GameSpeed = 4;
  SoundOn = true;
  MusicOn = true;
}
