// The economy's rules over days and months: cattle, market, bank, books,
// goal and bankruptcy, and that it leaves the game's own day alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EcoTestSupport.h"
#include "economy/EcoRules.h"
#include "map/MapaCodes.h"
#include "shell/defines.h"
#include "tests/map/MapTestSupport.h"

namespace {

class EconomyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameGlobals();
    SoundOn = false;
    RandomSeed(7);
  }
};

// Everything the economy would write, to compare before and after a refusal.
std::vector<std::uint8_t> State(const TEcoRanch& ranch) {
  std::vector<std::uint8_t> bytes = ranch.eco.Save(ranch.map);
  const std::vector<std::uint8_t> map = Bytes(ranch.map);
  bytes.insert(bytes.end(), map.begin(), map.end());
  return bytes;
}

void ExpectBalanced(const TBooks& b) {
  EXPECT_EQ(b.opening + b.sales - b.purchases - b.upkeep - b.interest - b.building + b.borrowed - b.repaid,
            b.closing)
      << b.year << "-" << int{b.month};
}

TEST_F(EconomyTest, AWateredPastureFattensAHerdThroughTheWetSeason) {
  TEcoRanch ranch;
  const TRiverSite site = MakeRiverRanch(ranch, true);
  const TPasture& pasture = ranch.PastureAt(site.x0, site.y0);
  ASSERT_TRUE(pasture.water);
  ASSERT_EQ(pasture.tiles, 13U * 8U);
  ASSERT_EQ(ranch.map.Record().month, 1);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, site.x0, site.y0, 8), TEcoResult::Done);
  ranch.Days(60);  // January to the middle of March
  const THerd herd = ranch.PastureAt(site.x0, site.y0).herd;
  EXPECT_EQ(herd.head, 8U);
  EXPECT_GT(herd.weight, CalfWeight + 40000);  // above 0.65 kg a day on average
  EXPECT_LE(herd.weight, CalfWeight + 60 * GainFed);
  EXPECT_EQ(ranch.eco.Month().upkeep + ranch.eco.Months().back().upkeep + ranch.eco.Months().front().upkeep,
            60 * 8);
}

TEST_F(EconomyTest, WithoutWaterAHerdLosesWeightAndThenHead) {
  TEcoRanch ranch;
  const TRiverSite site = MakeRiverRanch(ranch, false);
  ASSERT_FALSE(ranch.PastureAt(site.x0, site.y0).water);
  EXPECT_EQ(ranch.eco.Buy(ranch.map, site.x0, site.y0, 8), TEcoResult::NoWater);
  // Water it for the purchase, then take the trough away again.
  ASSERT_EQ(ranch.Use(tlAgua, site.troughX, site.troughY), TToolOutcome::Applied);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, site.x0, site.y0, 20), TEcoResult::Done);
  ASSERT_EQ(ranch.Use(tlArvores, site.troughX, site.troughY), TToolOutcome::Applied);
  ASSERT_FALSE(ranch.PastureAt(site.x0, site.y0).water);

  ranch.Days(DryDaysBeforeLoss);
  THerd herd = ranch.PastureAt(site.x0, site.y0).herd;
  EXPECT_EQ(herd.head, 20U);
  EXPECT_EQ(herd.weight, CalfWeight - DryDaysBeforeLoss * LossThirsty);
  ranch.Days(1);
  herd = ranch.PastureAt(site.x0, site.y0).herd;
  EXPECT_EQ(herd.head, 18U);
  ranch.Days(40);
  EXPECT_EQ(ranch.PastureAt(site.x0, site.y0).herd.head, 0U);
  std::vector<TNewsKind> kinds;
  for (const TNews& news : ranch.eco.News()) kinds.push_back(news.kind);
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), TNewsKind::DryPasture), kinds.end());
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), TNewsKind::HeadLost), kinds.end());
}

TEST_F(EconomyTest, AFeedTroughBuysFeedWhenTheGrassRunsOut) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ranch.map.Record().funds = 500000;
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 200), TEcoResult::Done);
  ranch.Days(30);  // 200 head eat the 63 tiles bare
  EXPECT_LT(ranch.eco.Pastures()[0].forage, 200 * ForagePerHeadDay);
  const THerd starved = ranch.eco.Pastures()[0].herd;
  ASSERT_EQ(ranch.Use(tlComida, 23, 23), TToolOutcome::Applied);
  const std::int64_t purchases = ranch.eco.Month().purchases;
  ranch.Days(1);
  const std::int64_t feed = ranch.eco.Month().purchases - purchases;
  EXPECT_GT(feed, FeedPerHeadDay * starved.head / 2);  // most of the ration is bought
  EXPECT_LE(feed, FeedPerHeadDay * starved.head);
  EXPECT_GT(ranch.eco.Pastures()[0].herd.weight, starved.weight);
}

TEST_F(EconomyTest, SprayingChargesOncePerPastureInADragAndKeepsPestsOffThreeMonths) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 30), TEcoResult::Done);
  ranch.Days(30);
  ASSERT_GT(ranch.eco.Pastures()[0].pests, 100);
  const std::int32_t funds = ranch.map.Record().funds;
  ranch.eco.StartDrag();
  EXPECT_EQ(ranch.Use(tlSpray, 22, 22), TToolOutcome::Applied);
  EXPECT_EQ(ranch.Use(tlSpray, 23, 22), TToolOutcome::Applied);
  EXPECT_EQ(ranch.Use(tlSpray, 30, 30), TToolOutcome::Refused);  // not in a pasture
  EXPECT_EQ(ranch.map.Record().funds, funds - SprayPrice);
  EXPECT_EQ(ranch.eco.Pastures()[0].pests, 0);
  ranch.Days(SprayDays);
  EXPECT_EQ(ranch.eco.Pastures()[0].pests, 0);
  ranch.Days(1);
  EXPECT_GT(ranch.eco.Pastures()[0].pests, 0);
  ranch.eco.StartDrag();  // a new drag pays again
  const std::int32_t later = ranch.map.Record().funds;
  EXPECT_EQ(ranch.Use(tlSpray, 22, 22), TToolOutcome::Applied);
  EXPECT_EQ(ranch.map.Record().funds, later - SprayPrice);
}

TEST_F(EconomyTest, PlantedGrassGrowsTwiceAsMuch) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.Use(tlPlant, 22, 22), TToolOutcome::Applied);
  EXPECT_EQ(ranch.Use(tlPlant, 22, 22), TToolOutcome::Refused);
  ranch.Days(3);
  const int planted = ranch.eco.ForageAt(22, 22) - GrassAtStart;
  const int bare = ranch.eco.ForageAt(23, 22) - GrassAtStart;
  EXPECT_GT(bare, 0);
  EXPECT_GE(planted, 2 * bare);
  EXPECT_LE(planted, 2 * bare + 3);  // each day's growth is rounded down on its own
}

TEST_F(EconomyTest, RefusalsChangeNothing) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  TEcoRanch dry;
  MakeBoxRanch(dry, true, false);
  TEcoRanch closed;
  MakeBoxRanch(closed, false);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 10), TEcoResult::Done);

  const auto refused = [](TEcoRanch& r, TEcoResult expected, auto order) {
    const std::vector<std::uint8_t> before = State(r);
    EXPECT_EQ(order(r), expected) << EcoResultText(expected);
    EXPECT_EQ(State(r), before) << EcoResultText(expected);
  };
  refused(ranch, TEcoResult::NotEnoughFunds, [](TEcoRanch& r) { return r.eco.Buy(r.map, 22, 22, 5000); });
  refused(dry, TEcoResult::NoWater, [](TEcoRanch& r) { return r.eco.Buy(r.map, 22, 22, 1); });
  refused(closed, TEcoResult::NoGate, [](TEcoRanch& r) { return r.eco.Buy(r.map, 22, 22, 1); });
  refused(ranch, TEcoResult::NoPasture, [](TEcoRanch& r) { return r.eco.Buy(r.map, 50, 50, 1); });
  refused(ranch, TEcoResult::NotEnoughHead, [](TEcoRanch& r) { return r.eco.Sell(r.map, 22, 22, 11); });
  refused(ranch, TEcoResult::BadAmount, [](TEcoRanch& r) { return r.eco.Sell(r.map, 22, 22, 0); });
  refused(ranch, TEcoResult::BadAmount, [](TEcoRanch& r) { return r.eco.Borrow(r.map, 4999); });
  refused(ranch, TEcoResult::PastMaximum, [](TEcoRanch& r) { return r.eco.Borrow(r.map, r.eco.LoanMax(r.map) + LoanStep); });
  refused(ranch, TEcoResult::MoreThanLoan, [](TEcoRanch& r) { return r.eco.Repay(r.map, 1); });
  ranch.map.Record().funds = -1;
  refused(ranch, TEcoResult::FundsBelowZero, [](TEcoRanch& r) { return r.eco.Buy(r.map, 22, 22, 1); });
}

TEST_F(EconomyTest, AYearOfALoanCostsTheYearlyRateExactly) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.Borrow(ranch.map, 10000), TEcoResult::Done);
  ranch.Days(12 * EcoDaysPerMonth);
  ASSERT_EQ(ranch.eco.Years().size(), 2U);
  EXPECT_EQ(ranch.eco.Years()[0].interest, 10000 * RatePercent / 100);

  // A loan whose monthly interest is not whole: the rounding is carried.
  ASSERT_EQ(ranch.eco.Repay(ranch.map, 1), TEcoResult::Done);
  ranch.Days(12 * EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.Years()[1].interest, 9999 * RatePercent / 100);
  ASSERT_EQ(ranch.eco.Repay(ranch.map, 9999), TEcoResult::Done);
  EXPECT_EQ(ranch.eco.Loan(), 0);
}

TEST_F(EconomyTest, TheLoanMaximumFollowsTheValueInStepsAndSalesCanRepay) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  const std::int64_t value = ranch.eco.Value(ranch.map);
  EXPECT_EQ(ranch.eco.LoanMax(ranch.map), value / 2 / LoanStep * LoanStep);
  ASSERT_EQ(ranch.eco.Borrow(ranch.map, ranch.eco.LoanMax(ranch.map)), TEcoResult::Done);
  EXPECT_EQ(ranch.eco.Value(ranch.map), value);  // borrowed money is owed
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 10), TEcoResult::Done);
  ranch.eco.SetAutoRepay(true);
  const std::int64_t loan = ranch.eco.Loan();
  ASSERT_EQ(ranch.eco.Sell(ranch.map, 22, 22, 10), TEcoResult::Done);
  EXPECT_EQ(ranch.eco.Month().repaid, ranch.eco.Month().sales);
  EXPECT_EQ(ranch.eco.Loan(), loan - ranch.eco.Month().sales);
}

TEST_F(EconomyTest, TenYearsOfPricesStayInBoundsAndPeakInSpring) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ranch.map.Record().funds = 300000;  // won at once, so the economy runs on past 2009
  const std::int64_t low = BasePrice * SeasonPrice[4] * WalkLow * DemandLow / 1'000'000'000;
  const std::int64_t high = BasePrice * SeasonPrice[10] * WalkHigh / 1'000'000;
  std::int64_t autumn = 0, autumnDays = 0, spring = 0, springDays = 0;
  for (int day = 0; day < 10 * 12 * EcoDaysPerMonth; ++day) {
    ranch.Days(1);
    const std::int64_t price = ranch.eco.Price();
    ASSERT_GE(price, low);
    ASSERT_LE(price, high);
    const int month = ranch.map.Record().month;
    if (month == 10 || month == 11) autumn += price, ++autumnDays;
    if (month == 4 || month == 5) spring += price, ++springDays;
  }
  EXPECT_GT(autumn / autumnDays, spring / springDays);
  EXPECT_EQ(ranch.eco.Months().size(), TEconomy::MonthsKept);
  EXPECT_EQ(ranch.eco.Years().size(), TEconomy::YearsKept);
}

TEST_F(EconomyTest, SellingManyHeadLowersThePrice) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ranch.map.Record().funds = 500000;
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 100), TEcoResult::Done);
  const std::int64_t before = ranch.eco.Price();
  ASSERT_EQ(ranch.eco.Sell(ranch.map, 22, 22, 100), TEcoResult::Done);
  EXPECT_EQ(ranch.eco.Price(), before * 900 / 1000);
}

TEST_F(EconomyTest, TheBooksBalanceEveryMonthAndEveryYear) {
  TEcoRanch ranch;
  const TRiverSite site = MakeRiverRanch(ranch, true);
  ASSERT_EQ(ranch.eco.Borrow(ranch.map, 10000), TEcoResult::Done);
  for (int month = 0; month < 26; ++month) {
    const int x = site.x0, y = site.y0;
    EXPECT_TRUE(month % 3 != 0 || ranch.eco.Buy(ranch.map, x, y, 6) == TEcoResult::Done);
    EXPECT_TRUE(month % 5 != 4 || ranch.eco.Sell(ranch.map, x, y, 5) == TEcoResult::Done);
    EXPECT_TRUE(month != 7 || ranch.Use(tlComida, x + 1, y + 1) == TToolOutcome::Applied);
    EXPECT_TRUE(month != 9 || ranch.Use(tlCerca, site.x1 + 3, y) == TToolOutcome::Applied);
    EXPECT_TRUE(month != 11 || ranch.eco.Repay(ranch.map, 2500) == TEcoResult::Done);
    ranch.eco.StartDrag();
    EXPECT_TRUE(month != 13 || ranch.Use(tlSpray, x, y) == TToolOutcome::Applied);
    ranch.Days(EcoDaysPerMonth);
  }
  const auto& months = ranch.eco.Months();
  ASSERT_EQ(months.size(), TEconomy::MonthsKept);
  for (std::size_t i = 0; i < months.size(); ++i) {
    ExpectBalanced(months[i]);
    if (i + 1 < months.size()) {
      EXPECT_EQ(months[i].closing, months[i + 1].opening);
    }
  }
  EXPECT_EQ(months.back().closing, ranch.eco.Month().opening);
  const TBooks& year = ranch.eco.Years()[1];  // 2005, all twelve months kept
  ASSERT_EQ(year.year, 2005);
  TBooks sum;
  for (const TBooks& m : months) {
    if (m.year != 2005) continue;
    if (m.month == 1) sum.opening = m.opening;
    sum.sales += m.sales, sum.purchases += m.purchases, sum.upkeep += m.upkeep;
    sum.interest += m.interest, sum.building += m.building, sum.borrowed += m.borrowed;
    sum.repaid += m.repaid, sum.closing = m.closing;
  }
  EXPECT_EQ(year.opening, sum.opening);
  EXPECT_EQ(year.sales, sum.sales);
  EXPECT_EQ(year.purchases, sum.purchases);
  EXPECT_EQ(year.upkeep, sum.upkeep);
  EXPECT_EQ(year.interest, sum.interest);
  EXPECT_EQ(year.building, sum.building);
  EXPECT_EQ(year.repaid, sum.repaid);
  EXPECT_EQ(year.closing, sum.closing);
  ExpectBalanced(year);
  EXPECT_GT(year.sales, 0);
  EXPECT_GT(year.interest, 0);
  // The year running, as of today: its closed months, the month running,
  // and the money now.
  const TBooks today = ranch.eco.YearToDate(ranch.map);
  EXPECT_EQ(today.year, ranch.eco.Month().year);
  EXPECT_EQ(today.closing, ranch.map.Record().funds);
  ExpectBalanced(today);
}

TEST_F(EconomyTest, ReachingTheTargetWithoutALoanWinsEarly) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.TargetYear(), 2009);
  ranch.map.Record().funds = 250000;
  ASSERT_EQ(ranch.eco.Borrow(ranch.map, 10000), TEcoResult::Done);
  ranch.Days(EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.Status(), TEcoStatus::Playing);  // still owes the bank
  ASSERT_EQ(ranch.eco.Repay(ranch.map, 10000), TEcoResult::Done);
  ranch.Days(EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.Status(), TEcoStatus::Won);
  ranch.map.Record().funds = 0;
  ranch.Days(12 * EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.Status(), TEcoStatus::Won);
}

TEST_F(EconomyTest, MissingTheTargetByTheEndOfItsYearLoses) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ranch.map.Record().year = 2009;
  ranch.map.Record().month = 12;
  ranch.Days(EcoDaysPerMonth);  // closes the ranch's first month...
  ranch.Days(EcoDaysPerMonth);  // ...and December 2009
  EXPECT_EQ(ranch.eco.Status(), TEcoStatus::Lost);
  EXPECT_EQ(ranch.eco.Borrow(ranch.map, LoanStep), TEcoResult::GameOver);
}

TEST_F(EconomyTest, MonthsInDebtWarnThenSellEveryHerdThenLose) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 20), TEcoResult::Done);
  ranch.map.Record().funds = -100000;
  ranch.Days(EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.MonthsInDebt(), 1);
  EXPECT_EQ(ranch.eco.Pastures()[0].herd.head, 20U);
  ranch.Days(EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.MonthsInDebt(), 2);
  EXPECT_EQ(ranch.eco.Pastures()[0].herd.head, 0U);
  EXPECT_GT(ranch.eco.Month().sales, 0);
  EXPECT_EQ(ranch.eco.Status(), TEcoStatus::Playing);
  ranch.Days(EcoDaysPerMonth);
  EXPECT_EQ(ranch.eco.Status(), TEcoStatus::Lost);
  std::vector<TNewsKind> kinds;
  while (const auto news = ranch.eco.PopNews()) kinds.push_back(news->kind);
  for (const TNewsKind kind : {TNewsKind::BankruptcyWarning,
                               TNewsKind::BankruptcyForcedSale, TNewsKind::Lost}) {
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), kind), kinds.end()) << static_cast<int>(kind);
  }
}

TEST_F(EconomyTest, TheGamesOwnDayIsUntouchedByAnIdleEconomy) {
  TEcoRanch with;
  TMapa without;
  RandomSeed(11);
  with.map.Generate();
  without.Record() = with.map.Record();
  with.eco.Start(with.map, 5);
  RandomSeed(12);
  with.Days(500);
  RandomSeed(12);
  for (int day = 0; day < 500; ++day) without.Tick(1);
  EXPECT_EQ(Bytes(with.map), Bytes(without));
}

}  // namespace
