#include <gtest/gtest.h>

#include <QLabel>

#include "tests/view/ViewFixture.h"
#include "view/ToolsUnit.h"

namespace {

class Palette : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    SetGameGlobalsAsAtStartUp();
    view = std::make_unique<TForm2>();
    status = std::make_unique<QLabel>();
    tools = std::make_unique<TTools>(view.get(), status.get());
    tools->BotTerra->SetHint("Estrada de terra - Pre\xE7o: $20");
    tools->BotCerca->SetHint("Cerca - Pre\xE7o: $50");
    tools->BotPlant->SetHint("Plantar");
  }
  void TearDown() override { ResetGameGlobals(); }

  std::unique_ptr<TForm2> view;
  std::unique_ptr<QLabel> status;
  std::unique_ptr<TTools> tools;
};

TEST_F(Palette, ButtonsStandInTheirGrid) {
  const QList<TSpeedButton*> buttons = tools->findChildren<TSpeedButton*>();
  ASSERT_EQ(buttons.size(), 16);
  EXPECT_EQ(tools->BotAproxima->geometry(), QRect(4, 4, 32, 32));
  EXPECT_EQ(tools->BotReduz->geometry(), QRect(38, 4, 32, 32));
  EXPECT_EQ(tools->BotTerra->geometry(), QRect(38, 72, 32, 32));
  EXPECT_EQ(tools->BotBulldoze->geometry(), QRect(38, 208, 32, 32));
  EXPECT_EQ(tools->BotSpray->geometry(), QRect(38, 242, 32, 32));
  EXPECT_TRUE(tools->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(tools->windowType(), Qt::Tool);
  EXPECT_EQ(tools->windowTitle(), QStringLiteral("Ferramentas"));
  for (TSpeedButton* button : buttons) EXPECT_FALSE(button->isChecked());
}

TEST_F(Palette, ToolButtonsFormOneGroupThatMayBeAllUp) {
  tools->BotTerra->click();
  EXPECT_EQ(view->CurrentTool, tlTerra);
  EXPECT_EQ(status->text(), QString::fromUtf8("Estrada de terra - Preço: $20"));

  tools->BotCerca->click();
  EXPECT_TRUE(tools->BotCerca->isChecked());
  EXPECT_FALSE(tools->BotTerra->isChecked());
  EXPECT_EQ(view->CurrentTool, tlCerca);
  EXPECT_EQ(status->text(), QString::fromUtf8("Cerca - Preço: $50"));

  tools->BotCerca->click();  // the button that is down comes up
  EXPECT_FALSE(tools->BotCerca->isChecked());
  EXPECT_EQ(view->CurrentTool, tlNone);
  EXPECT_TRUE(status->text().isEmpty());
}

TEST_F(Palette, EveryToolButtonSetsItsCode) {
  const std::pair<TSpeedButton*, TToolKind> cases[] = {
      {tools->BotMover, tlMover},       {tools->BotVer, tlVer},         {tools->BotPavimento, tlPavimento},
      {tools->BotTerra, tlTerra},       {tools->BotCerca, tlCerca},     {tools->BotPorteira, tlPorteira},
      {tools->BotDuto, tlDuto},         {tools->BotDutoS, tlDutoS},     {tools->BotComida, tlComida},
      {tools->BotAgua, tlAgua},         {tools->BotArvores, tlArvores}, {tools->BotBulldoze, tlBulldoze},
  };
  for (auto [button, code] : cases) {
    button->click();
    EXPECT_EQ(view->CurrentTool, code);
    int down = 0;
    for (TSpeedButton* b : tools->findChildren<TSpeedButton*>()) down += b->isChecked();
    EXPECT_EQ(down, 1);
  }
}

TEST_F(Palette, HintOnlyButtonsDoNothing) {
  tools->BotTerra->click();
  tools->BotPlant->click();
  tools->BotSpray->click();
  EXPECT_EQ(view->CurrentTool, tlTerra);
  EXPECT_TRUE(tools->BotTerra->isChecked());
  EXPECT_FALSE(tools->BotPlant->isChecked());
  EXPECT_EQ(status->text(), QString::fromUtf8("Estrada de terra - Preço: $20"));
  EXPECT_EQ(tools->BotPlant->toolTip(), QStringLiteral("Plantar"));
}

TEST_F(Palette, ZoomStopsAtBothEnds) {
  tools->BotAproxima->click();
  tools->BotAproxima->click();
  EXPECT_EQ(ZoomIndex, 5);
  tools->BotAproxima->click();
  EXPECT_EQ(ZoomIndex, 5);
  for (int i = 0; i < 6; ++i) tools->BotReduz->click();
  EXPECT_EQ(ZoomIndex, 1);
  EXPECT_EQ(TileSize, 24);  // the view takes the new size in its next frame
  EXPECT_FALSE(tools->BotAproxima->isCheckable());
}

}  // namespace
