// The main window's map options of the Extras menu on a running game:
// "Minimapa" in the overview window, "Mapa grande" following the main window,
// "Navegar com o mouse" switching the wheel on and off.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QTest>
#include <QWheelEvent>

#include "CommandsFixture.h"
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

  // Every playable tile's minimap colour matches the record.
  static void ExpectMinimapShows(const TMinimapControl& minimap, const TMapaRecord& record) {
    const TGroundState ground = GroundStateOf(record);
    for (int x = 1; x <= 96; ++x)
      for (int y = 1; y <= 96; ++y)
        ASSERT_EQ(minimap.Picture().Pixel(x, y), MinimapColor(record.tiles[x][y], ground)) << x << "," << y;
  }

  TGameFolder folder;
};

TEST_F(MapOptionsTest, MinimapShowsInTheOverviewOpenedBeforeOrAfter) {
  auto form = folder.StartGame();
  EXPECT_FALSE(form->Minimapa1->isChecked());
  form->BotMapa->click();
  ASSERT_NE(OverviewWindow, nullptr);
  EXPECT_FALSE(OverviewWindow->Minimap1->isVisible());

  form->Minimapa1->trigger();
  EXPECT_TRUE(MinimapOn);
  EXPECT_TRUE(OverviewWindow->Minimap1->isVisible());
  ExpectMinimapShows(*OverviewWindow->Minimap1, form->RanchMap->Record());

  // A fresh overview window shows it from the start.
  form->BotMapa->click();
  form->BotMapa->click();
  ASSERT_NE(OverviewWindow, nullptr);
  EXPECT_TRUE(OverviewWindow->Minimap1->isVisible());

  form->Minimapa1->trigger();
  EXPECT_FALSE(MinimapOn);
  EXPECT_FALSE(OverviewWindow->Minimap1->isVisible());
  // Checked with no overview open: nothing to show, nothing breaks.
  form->BotMapa->click();
  form->Minimapa1->trigger();
  EXPECT_EQ(OverviewWindow, nullptr);
}

TEST_F(MapOptionsTest, MinimapFollowsToolsAndALoad) {
  auto form = folder.StartGame();
  form->Minimapa1->trigger();
  form->BotMapa->click();
  TMinimapControl& minimap = *OverviewWindow->Minimap1;
  TMapa& map = *form->RanchMap;
  form->Salvarjogo1->trigger();

  // What a tool does: a bulldozed house corner, a fence.
  map.Record().tiles[map.Record().startX][map.Record().startY] = {0, 0, tkEmpty};
  for (int x = 1; x <= 96; ++x) {
    if (map.PlaceLinear(static_cast<std::uint8_t>(x), 60, 70, TPlaceMode::Place)) break;
  }
  minimap.Follow();
  ExpectMinimapShows(minimap, map.Record());

  form->Carregarjogo1->trigger();
  minimap.Follow();
  ExpectMinimapShows(minimap, map.Record());
}

TEST_F(MapOptionsTest, LargeMapFollowsTheMainWindow) {
  auto form = folder.StartGame();
  TForm2& view = *form->Form2;
  form->showNormal();
  form->resize(1400, 1000);
  QCoreApplication::processEvents();
  const QRect normal = view.geometry();
  EXPECT_LE(normal.width(), MapViewMaxWidth);

  const auto filled = [&] {
    const QSize room = form->MdiArea->viewport()->size();
    return QRect(86, 0, room.width() - 86, room.height());
  };
  form->Mapagrande1->trigger();
  EXPECT_TRUE(LargeMapOn);
  QCoreApplication::processEvents();
  EXPECT_EQ(view.geometry(), filled());
  EXPECT_GT(view.width(), MapViewMaxWidth);

  for (QSize size : {QSize(1900, 1050), QSize(900, 600)}) {
    form->resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.geometry(), filled()) << size.width();
  }
  form->showMaximized();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.geometry(), filled());

  form->Mapagrande1->trigger();
  EXPECT_FALSE(LargeMapOn);
  EXPECT_EQ(view.geometry(), normal);
  EXPECT_EQ(view.maximumSize(), QSize(MapViewMaxWidth, MapViewMaxHeight));
}

TEST_F(MapOptionsTest, MouseNavigationSwitchesTheWheel) {
  auto form = folder.StartGame();
  TDXDraw* surface = form->Form2->Tela;
  const auto wheel = [&] {
    const QPoint at(50, 50);
    QWheelEvent event(QPointF(at), QPointF(surface->mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(surface, &event);
  };
  wheel();
  EXPECT_EQ(ZoomIndex, 3);
  form->Navegarcomomouse1->trigger();
  EXPECT_TRUE(MouseNavigation);
  wheel();
  EXPECT_EQ(ZoomIndex, 4);
  form->Navegarcomomouse1->trigger();
  wheel();
  EXPECT_EQ(ZoomIndex, 4);
}

}  // namespace
