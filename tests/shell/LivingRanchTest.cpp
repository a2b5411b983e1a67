// "Fazenda viva" in the running game: the option, the office's windows and
// the orders they send, the companion file with Ctrl+S and Ctrl+L, and the
// game as it was while the option is unchecked.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "CommandsFixture.h"
#include "DialogTestSupport.h"
#include "economy/EcoRules.h"
#include "map/MapaCodes.h"
#include "map/Strokes.h"
#include "office/Bank.h"
#include "office/Books.h"
#include "office/Chart.h"
#include "office/Buy.h"
#include "office/Desk.h"
#include "office/PastureTable.h"
#include "office/Sell.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "tests/map/MapTestSupport.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class LivingRanchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteLanguageFile(folder.Path("."), "portugues.dat", NumberedLanguage("pt"));
    form = folder.StartGame();
    // The test runs the days itself.
    form->Form2->DXTimer1->SetEnabled(false);
    form->RefusalSound = [this] { ++refusals; };
  }

  // A blank ranch with the box 20..29 x 20..29 fenced, a gate at (24, 29)
  // and a pond inside: a pasture of 63 tiles with water, and money.
  void MakePasture() {
    TMapa& map = *form->RanchMap;
    map.Reset();
    MakeBorder(map);
    for (int x = 20; x <= 29; ++x)
      for (int y = 20; y <= 29; ++y)
        if (x == 20 || x == 29 || y == 20 || y == 29)
          map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
    map.PlaceFitting(24, 29, FittingGate);
    Put(map, 28, 28, tkWater, WaterJoinImage[0]);
    map.Record().funds = 100000;
  }

  void SetLiving(bool on) {
    if (form->Fazendaviva1->isChecked() != on) form->Fazendaviva1->trigger();
  }

  TOfficeWindow* Open(TSpeedButton* button, TOfficeKind kind) {
    if (!button->isChecked()) button->click();
    return form->Office->Window(kind);
  }

  const TPasture& Pasture() const { return form->Living.Economy()->Pastures().at(0); }

  TGameFolder folder;
  std::unique_ptr<TForm1> form;
  int refusals = 0;
};

std::array<std::pair<TSpeedButton*, TOfficeKind>, OfficeKinds> Buttons(TForm1& form) {
  return {{{form.BotBuy, TOfficeKind::Buy},
           {form.BotSell, TOfficeKind::Sell},
           {form.BotEval, TOfficeKind::Eval},
           {form.BotTempo, TOfficeKind::Weather},
           {form.BotBalanco, TOfficeKind::Books},
           {form.BotBanco, TOfficeKind::Bank},
           {form.BotMercado, TOfficeKind::Market}}};
}
}  // namespace

TEST_F(LivingRanchTest, EachButtonOpensAndClosesItsWindowOnlyWhileTheRanchLives) {
  // Unchecked: the buttons go down and up, and nothing opens.
  for (auto [button, kind] : Buttons(*form)) {
    button->click();
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(form->Office->Window(kind), nullptr);
    button->click();
  }
  SetLiving(true);
  for (auto [button, kind] : Buttons(*form)) {
    button->click();
    ASSERT_NE(form->Office->Window(kind), nullptr);
    EXPECT_TRUE(form->Office->Window(kind)->isVisible());
    EXPECT_FALSE(form->Office->Window(kind)->windowTitle().isEmpty());
    button->click();
    RunDeferredDeletes();
    EXPECT_EQ(form->Office->Window(kind), nullptr);
    EXPECT_FALSE(button->isChecked());
  }
  // Closed by its own frame, the window is forgotten and the button comes up.
  TOfficeWindow* bank = Open(form->BotBanco, TOfficeKind::Bank);
  ASSERT_NE(bank, nullptr);
  bank->SubWindow()->close();
  RunDeferredDeletes();
  EXPECT_EQ(form->Office->Window(TOfficeKind::Bank), nullptr);
  EXPECT_FALSE(form->BotBanco->isChecked());
}

// The map view takes the focus, and with it the active child window, every
// frame; the office's windows must keep the order the player gave them (the
// one opened or clicked last on top), however often the view takes it.
TEST_F(LivingRanchTest, OfficeWindowsKeepTheirOrderWhenTheMapViewTakesTheFocus) {
  SetLiving(true);
  form->show();
  QApplication::setActiveWindow(form.get());
  QMdiArea& area = *form->MdiArea;
  std::map<QMdiSubWindow*, char> names;
  // The office's windows from bottom to top, one letter each.
  const auto order = [&] {
    std::string letters;
    for (QMdiSubWindow* frame : area.subWindowList(QMdiArea::StackingOrder))
      if (names.count(frame) != 0) letters += names[frame];
    return letters;
  };
  const auto mapTakesTheFocus = [&] {
    area.setActiveSubWindow(form->Form2);
    form->Form2->Edit1->setFocus();
    QCoreApplication::processEvents();
  };
  const std::pair<TSpeedButton*, TOfficeKind> opened[] = {{form->BotBuy, TOfficeKind::Buy},
                                                         {form->BotSell, TOfficeKind::Sell},
                                                         {form->BotEval, TOfficeKind::Eval},
                                                         {form->BotTempo, TOfficeKind::Weather}};
  for (auto [button, kind] : opened) {
    names[Open(button, kind)->SubWindow()] = static_cast<char>('a' + names.size());
    mapTakesTheFocus();
  }
  EXPECT_EQ(order(), "abcd");
  mapTakesTheFocus();
  EXPECT_EQ(order(), "abcd");

  area.setActiveSubWindow(form->Office->Window(TOfficeKind::Sell)->SubWindow());
  QCoreApplication::processEvents();
  EXPECT_EQ(order(), "acdb");
  for (int frame = 0; frame < 3; ++frame) {
    mapTakesTheFocus();
    EXPECT_EQ(order(), "acdb");
  }
}

TEST_F(LivingRanchTest, UncheckingPausesClosesTheWindowsAndCheckingResumesTheSameEconomy) {
  EXPECT_EQ(form->Living.Economy(), nullptr);
  SetLiving(true);
  ASSERT_NE(form->Living.Economy(), nullptr);
  auto* bank = static_cast<TBankWindow*>(Open(form->BotBanco, TOfficeKind::Bank));
  ASSERT_NE(bank, nullptr);
  const std::int32_t funds = form->RanchMap->Record().funds;
  bank->BorrowButton->click();
  EXPECT_EQ(form->Living.Economy()->Loan(), LoanStep);
  EXPECT_EQ(form->RanchMap->Record().funds, funds + LoanStep);
  Open(form->BotMercado, TOfficeKind::Market);

  SetLiving(false);
  RunDeferredDeletes();
  EXPECT_EQ(form->Living.Economy(), nullptr);
  EXPECT_EQ(form->Form2->OnDayPassed, nullptr);
  for (auto [button, kind] : Buttons(*form)) {
    EXPECT_EQ(form->Office->Window(kind), nullptr);
    EXPECT_FALSE(button->isChecked());
  }
  SetLiving(true);
  ASSERT_NE(form->Living.Economy(), nullptr);
  EXPECT_EQ(form->Living.Economy()->Loan(), LoanStep) << "the loan is not forgotten by toggling";
}

TEST_F(LivingRanchTest, BuyingAndSellingChangeFundsHerdAndBooks) {
  MakePasture();
  SetLiving(true);
  ASSERT_EQ(form->Living.Economy()->Pastures().size(), 1u);
  auto* buy = static_cast<TBuyWindow*>(Open(form->BotBuy, TOfficeKind::Buy));
  ASSERT_NE(buy, nullptr);
  ASSERT_TRUE(buy->Pastures->Selected());
  const TEconomy& eco = *form->Living.Economy();
  const std::int64_t cost = 10 * std::int64_t{CalfWeight} * eco.CalfPrice() / (GramsPerArroba * 100);
  buy->Calves->setValue(10);
  EXPECT_EQ(buy->Total->text(), QStringLiteral("$") + QLocale(QStringLiteral("pt_BR")).toString(cost));
  buy->BuyButton->click();
  EXPECT_EQ(form->RanchMap->Record().funds, 100000 - cost);
  EXPECT_EQ(Pasture().herd.head, 10u);
  EXPECT_EQ(eco.Month().purchases, cost);
  EXPECT_EQ(buy->Pastures->item(0, 5)->text(), QStringLiteral("10")) << "the window follows the order";
  EXPECT_EQ(refusals, 0);

  auto* sell = static_cast<TSellWindow*>(Open(form->BotSell, TOfficeKind::Sell));
  ASSERT_NE(sell, nullptr);
  ASSERT_TRUE(sell->Herds->Selected());
  sell->Head->setValue(4);
  const std::int32_t before = form->RanchMap->Record().funds;
  const std::int64_t gross = 4 * std::int64_t{Pasture().herd.weight} * eco.Price() / (GramsPerArroba * 100);
  const std::int64_t net = gross * (1000 - TransportShrink[static_cast<std::size_t>(Pasture().road)]) / 1000;
  sell->SellButton->click();
  EXPECT_EQ(Pasture().herd.head, 6u);
  EXPECT_EQ(form->RanchMap->Record().funds, before + net);
  EXPECT_EQ(eco.Month().sales, net);
  EXPECT_EQ(form->LabFunds->text().contains(QString::number(before + net)), true) << "the funds display follows";
}

TEST_F(LivingRanchTest, RefusedOrdersAreHeardAndChangeNothing) {
  MakePasture();
  SetLiving(true);
  auto* buy = static_cast<TBuyWindow*>(Open(form->BotBuy, TOfficeKind::Buy));
  ASSERT_NE(buy, nullptr);
  const std::vector<std::uint8_t> eco = form->Living.Economy()->Save(*form->RanchMap);
  const std::vector<std::uint8_t> record = Bytes(*form->RanchMap);
  buy->Calves->setValue(5000);  // far past the money
  buy->BuyButton->click();
  EXPECT_EQ(refusals, 1);
  EXPECT_EQ(form->StatusText->text(), QStringLiteral("Dinheiro insuficiente."));
  EXPECT_EQ(Bytes(*form->RanchMap), record);
  EXPECT_EQ(form->Living.Economy()->Save(*form->RanchMap), eco);

  auto* bank = static_cast<TBankWindow*>(Open(form->BotBanco, TOfficeKind::Bank));
  ASSERT_NE(bank, nullptr);
  bank->RepayButton->click();  // no loan to repay
  EXPECT_EQ(refusals, 2);
  EXPECT_EQ(form->Living.Economy()->Save(*form->RanchMap), eco);
}

TEST_F(LivingRanchTest, CtrlSThenCtrlLBringsBothFilesBack) {
  MakePasture();
  SetLiving(true);
  TEconomy* eco = form->Living.Economy();
  ASSERT_EQ(eco->Buy(*form->RanchMap, 24, 24, 12), TEcoResult::Done);
  ASSERT_EQ(eco->Borrow(*form->RanchMap, 10000), TEcoResult::Done);
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(QFile::exists(QStringLiteral("mapa.eco")));
  const QByteArray savedMap = FileBytes(QStringLiteral("mapa.map"));
  const QByteArray savedEco = FileBytes(QStringLiteral("mapa.eco"));

  ASSERT_EQ(eco->Sell(*form->RanchMap, 24, 24, 12), TEcoResult::Done);
  ASSERT_EQ(eco->Repay(*form->RanchMap, 10000), TEcoResult::Done);
  QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
  eco = form->Living.Economy();
  ASSERT_NE(eco, nullptr);
  EXPECT_EQ(RecordBytes(*form->RanchMap), savedMap);
  EXPECT_EQ(Pasture().herd.head, 12u);
  EXPECT_EQ(eco->Loan(), 10000);
  const std::vector<std::uint8_t> again = eco->Save(*form->RanchMap);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(again.data()), static_cast<qsizetype>(again.size())), savedEco);
  EXPECT_EQ(form->StatusText->text(), QStringLiteral("Jogo carregado de \"mapa.map\"."));
}

TEST_F(LivingRanchTest, ADamagedOrMissingCompanionFileIsRefusedWithAMessageAndTheEconomyStartsAfresh) {
  MakePasture();
  SetLiving(true);
  ASSERT_EQ(form->Living.Economy()->Borrow(*form->RanchMap, 5000), TEcoResult::Done);
  form->Salvarjogo1->trigger();
  QByteArray eco = FileBytes(QStringLiteral("mapa.eco"));
  ASSERT_FALSE(eco.isEmpty());
  eco[eco.size() / 2] = static_cast<char>(eco[eco.size() / 2] ^ 0x55);
  WriteBytes(QStringLiteral("mapa.eco"), eco);
  const QByteArray savedMap = FileBytes(QStringLiteral("mapa.map"));

  form->Carregarjogo1->trigger();
  EXPECT_EQ(RecordBytes(*form->RanchMap), savedMap) << "the map is loaded as before";
  EXPECT_EQ(form->StatusText->text(), QStringLiteral("\"mapa.eco\" foi recusado: a fazenda viva começa de novo."));
  ASSERT_NE(form->Living.Economy(), nullptr);
  EXPECT_EQ(form->Living.Economy()->Loan(), 0);
  EXPECT_EQ(FileBytes(QStringLiteral("mapa.eco")), eco) << "a refused file is left as it is";

  QFile::remove(QStringLiteral("mapa.eco"));
  form->Carregarjogo1->trigger();
  EXPECT_EQ(form->StatusText->text(), QStringLiteral("Não há economia em \"mapa.eco\": a fazenda viva começa de novo."));
  EXPECT_NE(form->Living.Economy(), nullptr);
}

TEST_F(LivingRanchTest, UncheckedSavingAndLoadingTouchNoCompanionFile) {
  form->Salvarjogo1->trigger();
  EXPECT_TRUE(QFile::exists(QStringLiteral("mapa.map")));
  EXPECT_FALSE(QFile::exists(QStringLiteral("mapa.eco")));
  EXPECT_EQ(form->Form2->OnDayPassed, nullptr);

  // A companion file lying there is not read, and the load says what it always said.
  WriteBytes(QStringLiteral("mapa.eco"), QByteArray("not an economy"));
  form->Carregarjogo1->trigger();
  EXPECT_EQ(form->StatusText->text(), QStringLiteral("Jogo carregado de \"mapa.map\"."));
  EXPECT_EQ(form->Living.Economy(), nullptr);
  EXPECT_EQ(FileBytes(QStringLiteral("mapa.eco")), QByteArray("not an economy"));
}

TEST_F(LivingRanchTest, TheEconomyFollowsTheDaysTheBuildingAndItsUndo) {
  MakePasture();
  SetLiving(true);
  TEconomy* eco = form->Living.Economy();
  ASSERT_EQ(eco->Buy(*form->RanchMap, 24, 24, 10), TEcoResult::Done);
  ASSERT_NE(form->Form2->OnDayPassed, nullptr);
  const int day = form->RanchMap->Record().day;
  GameSpeed = 1;  // Ultra: two days a step
  for (int frame = 0; frame < 3; ++frame) form->Form2->DXTimer1Timer(0);
  EXPECT_NE(form->RanchMap->Record().day, day);
  EXPECT_EQ(eco->Month().upkeep, 2 * 10 * UpkeepPerHeadDay) << "two days of upkeep for ten head";

  // A fence across the pasture, laid as the map view lays it: its price is
  // building, and the pasture loses the gateless strip beyond it; undo gives
  // both back.
  const std::uint32_t tiles = Pasture().tiles;
  const std::int32_t funds = form->RanchMap->Record().funds;
  form->Strokes.Open();
  for (int y = 21; y <= 28; ++y) ASSERT_TRUE(UseTool(*form->RanchMap, tlCerca, 22, static_cast<std::uint8_t>(y), &form->Strokes));
  form->Strokes.Close();
  const std::int64_t charged = funds - form->RanchMap->Record().funds;
  EXPECT_GT(charged, 0);
  EXPECT_EQ(eco->Month().building, charged);
  EXPECT_EQ(Pasture().tiles, tiles - 2 * 8);
  EXPECT_EQ(Pasture().herd.head, 10u) << "the herd follows its tiles";
  form->Desfazer1->trigger();
  EXPECT_EQ(eco->Month().building, 0);
  EXPECT_EQ(Pasture().tiles, tiles);
}

TEST_F(LivingRanchTest, AMonthsSummaryReachesTheStatusBarWhenItCloses) {
  MakePasture();
  SetLiving(true);
  TEconomy* eco = form->Living.Economy();
  ASSERT_EQ(eco->Buy(*form->RanchMap, 24, 24, 5), TEcoResult::Done);
  std::vector<QString> shown;
  const int month = form->RanchMap->Record().month;
  for (int day = 0; day < 30 && form->RanchMap->Record().month == month; ++day) {
    form->RanchMap->Tick(1);
    form->Form2->OnDayPassed();
    shown.push_back(form->StatusText->text());
  }
  ASSERT_FALSE(eco->Months().empty());
  const TBooks& closed = eco->Months().back();
  const QString summary = QStringLiteral("Mês fechado: vendas $%1, custos $%2, saldo $%3.")
                              .arg(closed.sales)
                              .arg(closed.purchases + closed.upkeep + closed.interest + closed.building)
                              .arg(closed.closing);
  EXPECT_NE(std::find(shown.begin(), shown.end(), summary), shown.end()) << shown.back().toStdString();
}

TEST_F(LivingRanchTest, PlantingAndSprayingJoinThePaletteOnlyWhileTheRanchLives) {
  TTools& tools = *form->Tools;
  tools.BotPlant->click();
  EXPECT_FALSE(tools.BotPlant->isChecked());
  EXPECT_EQ(form->Form2->CurrentTool, tlNone);
  EXPECT_EQ(form->Form2->ToolOwner, nullptr);

  SetLiving(true);
  EXPECT_EQ(form->Form2->ToolOwner, form->LivingTools.get());
  tools.BotCerca->click();
  tools.BotSpray->click();
  EXPECT_TRUE(tools.BotSpray->isChecked());
  EXPECT_FALSE(tools.BotCerca->isChecked()) << "one tool group";
  EXPECT_EQ(form->Form2->CurrentTool, tlSpray);
  tools.BotPlant->click();
  EXPECT_EQ(form->Form2->CurrentTool, tlPlant);
  EXPECT_FALSE(tools.BotSpray->isChecked());

  // Unchecked, the button that was down comes up and the tool goes.
  SetLiving(false);
  EXPECT_FALSE(tools.BotPlant->isChecked());
  EXPECT_FALSE(tools.BotPlant->isCheckable());
  EXPECT_EQ(form->Form2->CurrentTool, tlNone);
}

TEST_F(LivingRanchTest, TheEconomysToolsAreJudgedAndWorkedByTheEconomy) {
  MakePasture();
  SetLiving(true);
  IToolOwner& owner = *form->LivingTools;
  EXPECT_TRUE(owner.Owns(tlAgua));
  EXPECT_FALSE(owner.Owns(tlCerca));
  EXPECT_EQ(owner.Verdict(tlAgua, 24, 24), tvAllowed) << "bare ground inside a pasture";
  EXPECT_EQ(owner.Verdict(tlAgua, 50, 50), tvRefused) << "outside any pasture";
  EXPECT_EQ(owner.Verdict(tlSpray, 24, 24), tvAllowed);
  const std::int32_t funds = form->RanchMap->Record().funds;
  ASSERT_TRUE(owner.Act(tlSpray, 24, 24, true));
  EXPECT_EQ(owner.Verdict(tlSpray, 25, 24), tvAllowed) << "the drag goes on over its pasture";
  EXPECT_TRUE(owner.Act(tlSpray, 25, 24, false));
  EXPECT_EQ(form->RanchMap->Record().funds, funds - SprayPrice) << "a pasture is charged once a drag";
  EXPECT_FALSE(owner.Act(tlSpray, 24, 24, true)) << "a new drag: sprayed in the last three months";
  EXPECT_EQ(owner.Verdict(tlSpray, 24, 24), tvRefused);
  EXPECT_EQ(form->RanchMap->Record().funds, funds - SprayPrice);
  form->RanchMap->Record().funds = 50;
  EXPECT_EQ(owner.Verdict(tlComida, 23, 23), tvRefused) << "the money does not reach";

  SetLiving(false);
  EXPECT_FALSE(owner.Owns(tlAgua)) << "unchecked, the map's table judges them: the white marker";
}

// Troughs, planting and spraying are strokes like any other: undo takes the
// trough off and the spraying back and gives the money back, redo charges
// again; the books follow both, and undo still works while paused.
TEST_F(LivingRanchTest, UndoAndRedoCoverTheEconomysTools) {
  MakePasture();
  SetLiving(true);
  TEconomy& eco = *form->Living.Economy();
  IToolOwner& owner = *form->LivingTools;
  const std::int32_t funds = form->RanchMap->Record().funds;
  form->Strokes.Open();
  ASSERT_TRUE(owner.Act(tlAgua, 23, 23, true));
  ASSERT_TRUE(owner.Act(tlPlant, 23, 24, false));
  form->Strokes.Close();
  form->Strokes.Open();
  ASSERT_TRUE(owner.Act(tlSpray, 24, 24, true));
  form->Strokes.Close();
  const std::int64_t spent = WaterTroughPrice + PlantPrice + SprayPrice;
  ASSERT_EQ(form->RanchMap->Record().funds, funds - spent);
  ASSERT_EQ(eco.Month().building, spent);
  EXPECT_TRUE(form->Ranch.Changed());

  form->Desfazer1->trigger();
  EXPECT_EQ(owner.Verdict(tlSpray, 24, 24), tvAllowed) << "the pasture is no longer protected";
  EXPECT_EQ(Pasture().protection, 0);
  EXPECT_EQ(eco.LayerAt(23, 23), lyWaterTrough) << "the first stroke stays";
  form->Desfazer1->trigger();
  EXPECT_EQ(eco.LayerAt(23, 23), 0);
  EXPECT_EQ(eco.LayerAt(23, 24), 0);
  EXPECT_EQ(form->RanchMap->Record().funds, funds);
  EXPECT_EQ(eco.Month().building, 0);

  form->Refazer1->trigger();
  EXPECT_EQ(eco.LayerAt(23, 23), lyWaterTrough);
  EXPECT_EQ(eco.LayerAt(23, 24), lyPlanted);
  EXPECT_EQ(form->RanchMap->Record().funds, funds - WaterTroughPrice - PlantPrice);
  EXPECT_EQ(eco.Month().building, WaterTroughPrice + PlantPrice);

  SetLiving(false);
  form->Desfazer1->trigger();
  SetLiving(true);
  EXPECT_EQ(form->Living.Economy()->LayerAt(23, 23), 0) << "no trough stays once its money came back";
  EXPECT_EQ(form->RanchMap->Record().funds, funds);
}

TEST_F(LivingRanchTest, TheEyeToolReadsTheLandInThePasture) {
  MakePasture();
  SetLiving(true);
  ASSERT_EQ(form->Living.Economy()->Buy(*form->RanchMap, 24, 24, 10), TEcoResult::Done);
  form->LivingTools->Inspect(24, 24);
  EXPECT_EQ(Utf8(form->StatusText->text()),
            "terra – pasto 21,21: 63 lotes, água: sim, estrada: não, 10 cabeças de 180 kg, " +
                std::to_string(*ForageDays(Pasture())) + " dias de pasto, pragas 0%");
  form->LivingTools->Inspect(20, 24);
  EXPECT_EQ(Utf8(form->StatusText->text()), "cerca");
}

TEST_F(LivingRanchTest, TheBankLendsInStepsAndCtrlClickTakesOrRepaysAll) {
  MakePasture();
  SetLiving(true);
  TEconomy& eco = *form->Living.Economy();
  auto* bank = static_cast<TBankWindow*>(Open(form->BotBanco, TOfficeKind::Bank));
  ASSERT_NE(bank, nullptr);
  const std::int64_t max = eco.LoanMax(*form->RanchMap);
  ASSERT_GE(max, 2 * LoanStep);
  EXPECT_EQ(bank->Figures[1]->text(), QStringLiteral("$") + QLocale(QStringLiteral("pt_BR")).toString(qlonglong{max}));
  bank->BorrowButton->click();
  EXPECT_EQ(eco.Loan(), LoanStep);
  EXPECT_EQ(bank->Figures[0]->text(), QStringLiteral("$5.000")) << "the window follows the order";
  QTest::mouseClick(bank->BorrowButton, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(eco.Loan(), max / LoanStep * LoanStep) << "Ctrl+click: all the bank lends";
  QTest::mouseClick(bank->RepayButton, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(eco.Loan(), 0) << "Ctrl+click: the whole loan";
  EXPECT_EQ(eco.Month().borrowed, eco.Month().repaid);

  bank->AutoRepay->click();
  EXPECT_TRUE(eco.AutoRepay());
  SetLiving(false);
  SetLiving(true);
  bank = static_cast<TBankWindow*>(Open(form->BotBanco, TOfficeKind::Bank));
  EXPECT_TRUE(bank->AutoRepay->isChecked()) << "the window shows the economy's switch";
}

TEST_F(LivingRanchTest, TheBooksWindowShowsTheMonthRunningAndItsYear) {
  MakePasture();
  SetLiving(true);
  TEconomy& eco = *form->Living.Economy();
  ASSERT_EQ(eco.Buy(*form->RanchMap, 24, 24, 3), TEcoResult::Done);
  auto* books = static_cast<TBooksWindow*>(Open(form->BotBalanco, TOfficeKind::Books));
  ASSERT_NE(books, nullptr);
  const int last = books->Months->columnCount() - 1;
  ASSERT_GE(last, 0);
  EXPECT_EQ(books->Months->horizontalHeaderItem(last)->text(),
            QStringLiteral("%1/%2").arg(eco.Month().month, 2, 10, QLatin1Char('0')).arg(eco.Month().year));
  const QLocale locale(QStringLiteral("pt_BR"));
  EXPECT_EQ(books->Months->item(2, last)->text(), locale.toString(qlonglong{eco.Month().purchases}));
  EXPECT_EQ(books->Months->item(8, last)->text(), locale.toString(form->RanchMap->Record().funds))
      << "the running month closes at the money now";
  ASSERT_GE(books->Years->columnCount(), 1);
  const int year = books->Years->columnCount() - 1;
  EXPECT_EQ(books->Years->horizontalHeaderItem(year)->text(), QString::number(eco.Years().back().year));
  EXPECT_EQ(books->Years->item(2, year)->text(), locale.toString(qlonglong{eco.Month().purchases}))
      << "the year running counts the month running";
  EXPECT_EQ(books->Years->item(8, year)->text(), locale.toString(form->RanchMap->Record().funds));
  EXPECT_EQ(books->Chart->Values().back(), form->RanchMap->Record().funds);
}

namespace {
// Runs game days through the map view's day hook until `done` or `days` ran.
void RunDays(TForm1& form, int days, const std::function<bool()>& done = [] { return false; }) {
  for (int day = 0; day < days && !done(); ++day) {
    form.RanchMap->Tick(1);
    form.Form2->OnDayPassed();
  }
}
}  // namespace

TEST_F(LivingRanchTest, AMetGoalIsToldInABoxAndPlayGoesOn) {
  MakePasture();
  form->RanchMap->Record().funds = 300000;
  SetLiving(true);
  TEconomy& eco = *form->Living.Economy();
  TMessageBoxSeen seen;
  TDialogAnswers answers;
  answers.Then(ClickButton(QString(), &seen));
  RunDays(*form, 30, [&] { return eco.Status() != TEcoStatus::Playing; });
  ASSERT_EQ(eco.Status(), TEcoStatus::Won);
  EXPECT_EQ(answers.Unexpected, 0);
  EXPECT_TRUE(seen.text.startsWith(QStringLiteral("Meta alcançada! A fazenda vale $"))) << Utf8(seen.text);
  const std::size_t months = eco.Months().size();
  RunDays(*form, 30);
  EXPECT_GT(eco.Months().size(), months) << "the economy goes on after the goal";
}

TEST_F(LivingRanchTest, ALostGameIsToldInABoxAndTheEconomyStops) {
  MakePasture();
  form->RanchMap->Record().funds = -50000;
  SetLiving(true);
  TEconomy& eco = *form->Living.Economy();
  TMessageBoxSeen seen;
  TDialogAnswers answers;
  answers.Then(ClickButton(QString(), &seen));
  RunDays(*form, 5 * 24, [&] { return eco.Status() != TEcoStatus::Playing; });
  ASSERT_EQ(eco.Status(), TEcoStatus::Lost);
  EXPECT_EQ(answers.Unexpected, 0);
  EXPECT_TRUE(seen.text.startsWith(QStringLiteral("A fazenda faliu"))) << Utf8(seen.text);
  // Nothing of the economy moves any more, though the map's days go on.
  const std::size_t months = eco.Months().size();
  const int month = eco.Month().month;
  const std::int32_t funds = form->RanchMap->Record().funds;
  const int mapMonth = form->RanchMap->Record().month;
  RunDays(*form, 30);
  EXPECT_NE(form->RanchMap->Record().month, mapMonth);
  EXPECT_EQ(eco.Months().size(), months);
  EXPECT_EQ(eco.Month().month, month);
  EXPECT_EQ(form->RanchMap->Record().funds, funds);

  // A new ranch goes on with a fresh economy.
  form->Novafazenda1->trigger();
  ASSERT_NE(form->Living.Economy(), nullptr);
  EXPECT_EQ(form->Living.Economy()->Status(), TEcoStatus::Playing);
}
