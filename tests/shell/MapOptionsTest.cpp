// The main window's map options of the Extras menu on a running game:
// "Minimapa" in the overview window, "Mapa grande" following the main window,
// "Navegar com o mouse" switching the wheel.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QWheelEvent>

#include "CommandsFixture.h"
#include "map/Tools.h"
#include "shell/Editor.h"
#include "shell/MinimapControl.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/VerMapa.h"

namespace {

class MapOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteLanguageFile(folder.Path("."), "portugues.dat", NumberedLanguage("pt")); }
  TGameFolder folder;
};

TEST_F(MapOptionsTest, MinimapShowsInEveryOverviewAndFollowsEveryChangeOfTheRanch) {
  auto form = folder.StartGame();
  form->Form2->DXTimer1->SetEnabled(false);  // the record changes only here
  form->BotMapa->click();
  ASSERT_NE(OverviewWindow, nullptr);
  EXPECT_FALSE(OverviewWindow->Minimap1->isVisible());
  form->Minimapa1->trigger();
  EXPECT_TRUE(OverviewWindow->Minimap1->isVisible());
  form->BotMapa->click();
  form->BotMapa->click();  // a fresh overview shows it from the start
  ASSERT_NE(OverviewWindow, nullptr);
  TMinimapControl& minimap = *OverviewWindow->Minimap1;
  EXPECT_TRUE(minimap.isVisible());

  TMapa& map = *form->RanchMap;
  const auto expectShown = [&](const char* after) {
    minimap.Follow();
    for (int x = 1; x <= 96; ++x)
      for (int y = 1; y <= 96; ++y)
        ASSERT_EQ(minimap.Picture().Pixel(x, y), MinimapColor(map.Record().tiles[x][y], GroundWetnessOf(map.Record())))
            << after << ": " << x << "," << y;
  };
  form->Salvarjogo1->trigger();
  map.Record().tiles[map.Record().startX][map.Record().startY] = {0, 0, tkEmpty};
  form->Carregarjogo1->trigger();
  expectShown("a load");

  // A tree planted in one stroke, taken back, and a new ranch.
  int x = 2;
  while (map.Tile(x, 50).kind != tkEmpty) ++x;
  form->Strokes.Open();
  ASSERT_TRUE(UseTool(map, tlArvores, static_cast<std::uint8_t>(x), 50, &form->Strokes));
  form->Strokes.Close();
  expectShown("a tool");
  form->Desfazer1->trigger();
  EXPECT_EQ(map.Tile(x, 50).kind, tkEmpty);
  expectShown("an undo");
  form->Salvarjogo1->trigger();  // nothing to lose: no question
  form->Novafazenda1->trigger();
  expectShown("a new ranch");

  form->Minimapa1->trigger();
  EXPECT_FALSE(minimap.isVisible());
}

TEST_F(MapOptionsTest, LargeMapFollowsTheMainWindowAndGoesBack) {
  auto form = folder.StartGame();
  TForm2& view = *form->Form2;
  form->showNormal();
  form->resize(1400, 1000);
  QCoreApplication::processEvents();
  const QRect normal = view.geometry();
  const auto filled = [&] {
    const QSize room = form->MdiArea->viewport()->size();
    return QRect(86, 0, room.width() - 86, room.height());
  };
  form->Mapagrande1->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.geometry(), filled());
  EXPECT_GT(view.width(), MapViewMaxWidth);
  EXPECT_EQ(view.Tela->width(), view.ClientWidth() - 17);
  for (QSize size : {QSize(1900, 1050), QSize(900, 600)}) {
    form->resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.geometry(), filled()) << size.width();
  }
  form->showMaximized();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.geometry(), filled());

  form->Mapagrande1->trigger();
  EXPECT_EQ(view.geometry(), normal);
  EXPECT_EQ(view.maximumSize(), QSize(MapViewMaxWidth, MapViewMaxHeight));
}

TEST_F(MapOptionsTest, MouseNavigationSwitchesTheWheel) {
  auto form = folder.StartGame();
  TDXDraw* surface = form->Form2->Tela;
  const auto wheel = [&] {
    QWheelEvent event(QPointF(50, 50), surface->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(surface, &event);
  };
  wheel();
  EXPECT_EQ(ZoomIndex, 3);
  form->Navegarcomomouse1->trigger();
  wheel();
  EXPECT_EQ(ZoomIndex, 4);
  form->Navegarcomomouse1->trigger();
  wheel();
  EXPECT_EQ(ZoomIndex, 4);
}

}  // namespace
