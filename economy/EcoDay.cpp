// The economy's day (grass, pests, cattle, upkeep) and the close of a month
// (interest, books, debt, goal, market).
#include <algorithm>

#include "economy/EcoRules.h"
#include "economy/Economy.h"

namespace {

constexpr std::int64_t Thousand = 1000;

int WeatherFactor(std::uint8_t weather) {
  return weather <= wtHeavyRain ? WeatherGrowth[weather] : WeatherGrowth[wtCloudy];
}

// Growth a day of a bare tile, in billionths of a tenth of a kg: the base,
// the season and the mean of today's and yesterday's weather.
std::int64_t DayGrowth(const TMapaRecord& record) {
  const int month = std::clamp<int>(record.month, 1, 12);
  const std::int64_t weather = (WeatherFactor(record.weather) + WeatherFactor(record.weatherYesterday)) / 2;
  return GrassPerTileDay * SeasonGrowth[month - 1] * weather * Thousand;
}

void AddToYear(TBooks& year, const TBooks& month) {
  Book(year.sales, month.sales);
  Book(year.purchases, month.purchases);
  Book(year.upkeep, month.upkeep);
  Book(year.interest, month.interest);
  Book(year.building, month.building);
  Book(year.borrowed, month.borrowed);
  Book(year.repaid, month.repaid);
  year.closing = month.closing;
  year.price = month.price;
}

}  // namespace

void TEconomy::Day(TMapa& map) {
  if (status_ == TEcoStatus::Lost) return;
  const TMapaRecord& record = map.Record();
  if (record.year != month_.year || record.month != month_.month) CloseMonth(map);
  if (status_ == TEcoStatus::Lost) return;
  GrowGrass(map);
  FeedHerds(map);
}

void TEconomy::GrowGrass(const TMapa& map) {
  const std::int64_t growth = DayGrowth(map.Record());
  constexpr std::int64_t Scale = Thousand * Thousand * Thousand;
  // Growth by what stands on the tile: bare, planted, trees or scenery.
  const std::array<std::uint16_t, 3> grow = {
      static_cast<std::uint16_t>(growth / Scale),
      static_cast<std::uint16_t>(growth * PlantedGrowth / Thousand / Scale),
      static_cast<std::uint16_t>(growth * CoveredGrowth / Thousand / Scale),
  };
  const TTile* tiles = &map.Record().tiles[0][0];
  const auto shapes = survey_.Pastures();
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    std::int64_t sum = 0;
    for (const std::uint16_t t : shapes[i].tiles) {
      const std::size_t row = (layer_[t] & lyPlanted) != 0 ? 1 : (tiles[t].kind != tkEmpty ? 2 : 0);
      forage_[t] = static_cast<std::uint16_t>(std::min<int>(forage_[t] + grow[row], GrassCapPerTile));
      sum += forage_[t];
    }
    pastures_[i].forage = sum;
  }
}

void TEconomy::FeedHerds(TMapa& map) {
  const bool sunny = map.Record().weather == wtSunny;
  std::int64_t upkeep = 0, feed = 0;
  const auto shapes = survey_.Pastures();
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    RaisePests(pastures_[i]);
    if (pastures_[i].herd.head > 0) FeedHerd(shapes[i], pastures_[i], sunny, upkeep, feed);
  }
  const bool wasSolvent = map.Record().funds >= 0;
  map.ForceFunds(-(upkeep + feed));
  Book(month_.upkeep, upkeep);
  Book(month_.purchases, feed);
  if (wasSolvent && map.Record().funds < 0) Post(TNewsKind::FundsBelowZero, 0, map.Record().funds);
}

void TEconomy::RaisePests(TPasture& pasture) const {
  if (pasture.protection > 0) {
    --pasture.protection;
    pasture.pests = 0;
    return;
  }
  const std::int64_t stocking = std::int64_t{PestsStocking} * pasture.herd.head / std::max<std::uint32_t>(pasture.tiles, 1);
  pasture.pests = static_cast<std::uint16_t>(std::min<std::int64_t>(PestsMax, pasture.pests + PestsDaily + stocking));
}

void TEconomy::FeedHerd(const TPastureShape& shape, TPasture& pasture, bool sunny,
                        std::int64_t& upkeep, std::int64_t& feed) {
  THerd& herd = pasture.herd;
  upkeep += UpkeepPerHeadDay * herd.head;
  const std::int64_t need = std::int64_t{ForagePerHeadDay} * herd.head;
  std::int64_t eaten = std::min(need, pasture.forage);
  EatForage(shape, pasture, eaten);
  if (eaten < need && pasture.feedTrough) {
    // Bought feed fills the ration, priced by the head it feeds, rounded up.
    feed += ((need - eaten) * FeedPerHeadDay + ForagePerHeadDay - 1) / ForagePerHeadDay;
    eaten = need;
  }
  if (pasture.water) {
    herd.dryDays = 0;
    GainWeight(pasture, static_cast<int>(eaten * Thousand / need), sunny);
  } else {
    if (herd.dryDays == 0) Post(TNewsKind::DryPasture, pasture.id, 0);
    herd.dryDays = static_cast<std::uint16_t>(std::min(herd.dryDays + 1, 0xFFFF));
    herd.weight = std::max(herd.weight - std::min<std::uint32_t>(herd.weight, LossThirsty), MinWeight);
    if (herd.dryDays > DryDaysBeforeLoss) LoseHead(pasture, ThirstLossDivisor);
  }
  if (herd.head > 0 && herd.weight < StarvingWeight) LoseHead(pasture, StarvingLossDivisor);
}

// Weight follows the ration (in thousandths of the need): a full ration
// gains, none loses; pests cut the gain, sun without shade costs a little.
void TEconomy::GainWeight(TPasture& pasture, int fed, bool sunny) {
  std::int64_t gain = (std::int64_t{GainFed} * fed - std::int64_t{LossHungry} * (Thousand - fed)) / Thousand;
  if (gain > 0) gain = gain * (Thousand - pasture.pests / PestsGainCut) / Thousand;
  if (sunny && !pasture.shade) gain -= LossSunNoShade;
  const std::int64_t weight = std::int64_t{pasture.herd.weight} + gain;
  pasture.herd.weight = static_cast<std::uint32_t>(
      std::clamp<std::int64_t>(weight, MinWeight, MaxWeight));
}

// A share of the head (at least one) dies.
void TEconomy::LoseHead(TPasture& pasture, std::uint32_t divisor) {
  THerd& herd = pasture.herd;
  const std::uint32_t lost = std::min(herd.head, std::max<std::uint32_t>(1, herd.head / divisor));
  herd.head -= lost;
  if (herd.head == 0) herd = THerd{};
  Post(TNewsKind::HeadLost, pasture.id, lost);
}

// The herd eats `eaten` from its pasture, each tile giving the same share of
// what stands on it.
void TEconomy::EatForage(const TPastureShape& shape, TPasture& pasture, std::int64_t eaten) {
  if (eaten <= 0 || pasture.forage <= 0) return;
  const auto keep = static_cast<std::uint32_t>(((pasture.forage - eaten) << 16) / pasture.forage);
  std::int64_t sum = 0;
  for (const std::uint16_t t : shape.tiles) {
    forage_[t] = static_cast<std::uint16_t>((forage_[t] * keep) >> 16);
    sum += forage_[t];
  }
  pasture.forage = sum;
}

void TEconomy::CloseMonth(TMapa& map) {
  ChargeInterest(map);
  month_.closing = map.Record().funds;
  month_.price = Price();
  months_.push_back(month_);
  if (months_.size() > MonthsKept) months_.pop_front();
  AddToYear(years_.back(), month_);
  Post(TNewsKind::MonthSummary, 0, month_.closing);
  const TBooks closed = month_;
  StepMarket();
  OpenMonth(map);
  CheckDebt(map);
  CheckGoal(map, closed);
}

// Interest on the month's loan at the yearly rate; the fraction of a unit
// left over is carried, so that twelve months of a loan cost exactly the rate.
void TEconomy::ChargeInterest(TMapa& map) {
  interestCarry_ += loan_ * RatePercent;
  const std::int64_t interest = interestCarry_ / 1200;
  interestCarry_ %= 1200;
  map.ForceFunds(-interest);
  Book(month_.interest, interest);
}

void TEconomy::StepMarket() {
  walk_ = std::clamp(walk_ + random_.Next(2 * WalkStep + 1) - WalkStep, WalkLow, WalkHigh);
  soldLastMonth_ = soldThisMonth_;
  soldThisMonth_ = 0;
}

TBooks TEconomy::YearToDate(const TMapa& map) const {
  TBooks year;
  if (!years_.empty() && years_.back().year == month_.year) {
    year = years_.back();
  } else {
    year.year = month_.year;
    year.opening = month_.opening;
  }
  AddToYear(year, month_);
  year.closing = map.Record().funds;
  year.price = Price();
  return year;
}

void TEconomy::OpenMonth(const TMapa& map) {
  const TMapaRecord& record = map.Record();
  month_ = TBooks{};
  month_.year = record.year;
  month_.month = record.month;
  month_.opening = month_.closing = record.funds;
  if (years_.empty() || years_.back().year != record.year) {
    TBooks year;
    year.year = record.year;
    year.opening = year.closing = record.funds;
    years_.push_back(year);
    if (years_.size() > YearsKept) years_.pop_front();
  }
}

// Months that end in debt: a warning, then every herd sold, then the end.
void TEconomy::CheckDebt(TMapa& map) {
  if (months_.back().closing >= 0) {
    monthsInDebt_ = 0;
    return;
  }
  monthsInDebt_ = std::min(monthsInDebt_ + 1, BankruptcyLostMonth);
  if (monthsInDebt_ == BankruptcyWarningMonth) Post(TNewsKind::BankruptcyWarning, 0, months_.back().closing);
  if (monthsInDebt_ == BankruptcySaleMonth) Post(TNewsKind::BankruptcyForcedSale, 0, SellAll(map));
  if (monthsInDebt_ == BankruptcyLostMonth && status_ == TEcoStatus::Playing) {
    status_ = TEcoStatus::Lost;
    Post(TNewsKind::Lost, 0, Value(map));
  }
}

void TEconomy::CheckGoal(const TMapa& map, const TBooks& closed) {
  if (status_ != TEcoStatus::Playing) return;
  const std::int64_t value = Value(map);
  if (value >= target_ && loan_ == 0) {
    status_ = TEcoStatus::Won;
    Post(TNewsKind::GoalMet, 0, value);
  } else if (closed.year > targetYear_ || (closed.year == targetYear_ && closed.month == 12)) {
    status_ = TEcoStatus::Lost;
    Post(TNewsKind::Lost, 0, value);
  }
}
