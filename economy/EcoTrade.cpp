// Buying and selling cattle, the bank, and the four economy tools.
#include <algorithm>

#include "economy/EcoRules.h"
#include "economy/Economy.h"

namespace {

constexpr std::int64_t Thousand = 1000;

// Arrobas of `head` animals of mean weight `weight` (grams) at `price`
// hundredths an arroba, in money units, rounded down.
std::int64_t Worth(std::int64_t head, std::int64_t weight, std::int64_t price) {
  return head * weight * price / (GramsPerArroba * 100);
}

}  // namespace

std::int64_t TEconomy::Price() const {
  const int month = std::clamp<int>(month_.month, 1, 12);
  const std::int64_t sold = std::int64_t{soldThisMonth_} + soldLastMonth_;
  const std::int64_t demand = std::max<std::int64_t>(DemandLow, Thousand - DemandPerHead * sold);
  return BasePrice * SeasonPrice[month - 1] * walk_ * demand / (Thousand * Thousand * Thousand);
}

std::int64_t TEconomy::CalfPrice() const { return Price() * CalfPremium / Thousand; }

std::int64_t TEconomy::SaleProceeds(const TPasture& pasture, std::uint32_t head, bool forced) const {
  const std::int64_t gross = Worth(head, pasture.herd.weight, Price());
  std::int64_t net = gross * (Thousand - TransportShrink[static_cast<std::size_t>(pasture.road)]) / Thousand;
  if (forced) net = net * (Thousand - ForcedSaleDiscount) / Thousand;
  return net;
}

// Money from a sale, in the books; with automatic repayment on, it goes to
// the loan first, as far as the funds stay at or above zero.
void TEconomy::ReceiveSale(TMapa& map, std::int64_t proceeds, std::uint32_t head) {
  map.ForceFunds(proceeds);
  Book(month_.sales, proceeds);
  soldThisMonth_ = std::min(soldThisMonth_ + head, SoldCap);
  if (!autoRepay_) return;
  const std::int64_t repay = std::min({loan_, proceeds, std::max<std::int64_t>(map.Record().funds, 0)});
  loan_ -= repay;
  map.ForceFunds(-repay);
  Book(month_.repaid, repay);
}

std::int64_t TEconomy::SellAll(TMapa& map) {
  std::int64_t total = 0;
  for (TPasture& pasture : pastures_) {
    if (pasture.herd.head == 0) continue;
    const std::int64_t proceeds = SaleProceeds(pasture, pasture.herd.head, true);
    ReceiveSale(map, proceeds, pasture.herd.head);
    pasture.herd = THerd{};
    total += proceeds;
  }
  return total;
}

// What a purchase and a sale both ask first: a game going on, a count of
// head, and a pasture with a gate at (x, y).
TEcoResult TEconomy::TradePasture(int x, int y, std::int64_t head, TPasture*& pasture) {
  if (status_ == TEcoStatus::Lost) return TEcoResult::GameOver;
  if (head <= 0) return TEcoResult::BadAmount;
  const TAreaKind area = InPlayable(x, y) ? survey_.AreaAt(x, y) : TAreaKind::None;
  if (area == TAreaKind::NoGate) return TEcoResult::NoGate;
  pasture = area == TAreaKind::Pasture ? PastureOf(x, y) : nullptr;
  if (pasture == nullptr) return TEcoResult::NoPasture;
  return TEcoResult::Done;
}

TEcoResult TEconomy::Buy(TMapa& map, int x, int y, std::int64_t head) {
  TPasture* pasture = nullptr;
  if (const TEcoResult found = TradePasture(x, y, head, pasture); found != TEcoResult::Done) return found;
  if (!pasture->water) return TEcoResult::NoWater;
  if (map.Record().funds < 0) return TEcoResult::FundsBelowZero;
  if (head > MaxHerdHead - pasture->herd.head) return TEcoResult::HerdFull;
  const std::int64_t cost = Worth(head, CalfWeight, CalfPrice());
  if (cost > map.Record().funds) return TEcoResult::NotEnoughFunds;
  map.ForceFunds(-cost);
  Book(month_.purchases, cost);
  THerd& herd = pasture->herd;
  const std::uint64_t mass = std::uint64_t{herd.head} * herd.weight + static_cast<std::uint64_t>(head) * CalfWeight;
  herd.head += static_cast<std::uint32_t>(head);
  herd.weight = static_cast<std::uint32_t>(mass / herd.head);
  return TEcoResult::Done;
}

TEcoResult TEconomy::Sell(TMapa& map, int x, int y, std::int64_t head) {
  TPasture* pasture = nullptr;
  if (const TEcoResult found = TradePasture(x, y, head, pasture); found != TEcoResult::Done) return found;
  if (head > pasture->herd.head) return TEcoResult::NotEnoughHead;
  const auto sold = static_cast<std::uint32_t>(head);
  ReceiveSale(map, SaleProceeds(*pasture, sold, false), sold);
  pasture->herd.head -= sold;
  if (pasture->herd.head == 0) pasture->herd = THerd{};
  return TEcoResult::Done;
}

TEcoResult TEconomy::Borrow(TMapa& map, std::int64_t amount) {
  if (status_ == TEcoStatus::Lost) return TEcoResult::GameOver;
  if (amount <= 0 || amount % LoanStep != 0) return TEcoResult::BadAmount;
  if (amount > LoanMax(map) - loan_) return TEcoResult::PastMaximum;
  loan_ += amount;
  map.ForceFunds(amount);
  Book(month_.borrowed, amount);
  return TEcoResult::Done;
}

TEcoResult TEconomy::Repay(TMapa& map, std::int64_t amount) {
  if (status_ == TEcoStatus::Lost) return TEcoResult::GameOver;
  if (amount <= 0) return TEcoResult::BadAmount;
  if (amount > loan_) return TEcoResult::MoreThanLoan;
  if (amount > map.Record().funds) return TEcoResult::NotEnoughFunds;
  loan_ -= amount;
  map.ForceFunds(-amount);
  Book(month_.repaid, amount);
  return TEcoResult::Done;
}

bool TEconomy::IsEconomyTool(TToolKind tool) {
  return tool == tlAgua || tool == tlComida || tool == tlPlant || tool == tlSpray;
}

void TEconomy::StartDrag() { sprayed_.clear(); }

std::int64_t TEconomy::ToolPrice(TToolKind tool, int x, int y) const {
  switch (tool) {
    case tlAgua: return WaterTroughPrice;
    case tlComida: return FeedTroughPrice;
    case tlPlant: return PlantPrice;
    case tlSpray: {
      const std::uint8_t index = survey_.PastureAt(x, y);
      const bool done = index != NoPasture &&
                        std::find(sprayed_.begin(), sprayed_.end(), pastures_[index].id) != sprayed_.end();
      return done ? 0 : SprayPrice;
    }
    default: return 0;
  }
}

// Troughs and planting take bare ground inside a pasture not already used;
// spraying takes any tile of a pasture.
TToolVerdict TEconomy::ToolVerdict(const TMapa& map, TToolKind tool, int x, int y) const {
  if (!IsEconomyTool(tool) || status_ == TEcoStatus::Lost || !InPlayable(x, y) ||
      survey_.PastureAt(x, y) == NoPasture) {
    return tvRefused;
  }
  const std::uint8_t layer = layer_[TileIndex(x, y)];
  const bool bare = map.Tile(x, y).kind == tkEmpty;
  bool allowed = true;
  if (tool == tlAgua || tool == tlComida) allowed = bare && (layer & (lyWaterTrough | lyFeedTrough)) == 0;
  if (tool == tlPlant) allowed = bare && layer == 0;
  if (!allowed || map.Record().funds < ToolPrice(tool, x, y)) return tvRefused;
  return tvAllowed;
}

bool TEconomy::ToolAction(TMapa& map, TToolKind tool, int x, int y) {
  if (ToolVerdict(map, tool, x, y) != tvAllowed) return false;
  const std::int64_t price = ToolPrice(tool, x, y);
  if (!map.ChangeFunds(static_cast<std::int32_t>(-price))) return false;
  Book(month_.building, price);
  const std::uint16_t t = TileIndex(x, y);
  TPasture& pasture = pastures_[survey_.PastureAt(x, y)];
  switch (tool) {
    case tlAgua: layer_[t] = lyWaterTrough; break;
    case tlComida: layer_[t] = lyFeedTrough; break;
    case tlPlant: layer_[t] = lyPlanted; break;
    default:
      pasture.pests = 0;
      pasture.protection = SprayDays;
      if (price > 0) sprayed_.push_back(pasture.id);
      return true;
  }
  RefreshShapes(map);
  return true;
}

void TEconomy::Built(std::int64_t cost) { Book(month_.building, cost); }

std::uint32_t TEconomy::ToolStateKey(TToolKind tool, int x, int y) const {
  if (tool != tlSpray) return TileIndex(x, y);
  const std::uint8_t index = survey_.PastureAt(x, y);
  return index == NoPasture ? SprayKey : SprayKey | pastures_[index].id;
}

namespace {
// Works for the const and the mutable list alike.
template <typename Pastures>
auto PastureWithId(Pastures& pastures, std::uint32_t id) -> decltype(&pastures[0]) {
  auto found = std::find_if(pastures.begin(), pastures.end(), [id](const TPasture& p) { return p.id == id; });
  return found == pastures.end() ? nullptr : &*found;
}
}  // namespace

std::uint32_t TEconomy::ToolState(std::uint32_t key) const {
  if ((key & SprayKey) == 0) return key < TileCount ? layer_[key] : 0;
  const TPasture* pasture = PastureWithId(pastures_, key & 0xFFFF);
  return pasture == nullptr ? 0 : (std::uint32_t{pasture->pests} << 16) | pasture->protection;
}

void TEconomy::PutToolState(const TMapa& map, std::uint32_t key, std::uint32_t value) {
  if ((key & SprayKey) == 0) {
    if (key >= TileCount) return;
    layer_[key] = static_cast<std::uint8_t>(value & LayerBits);
    RefreshShapes(map);
    return;
  }
  TPasture* pasture = PastureWithId(pastures_, key & 0xFFFF);
  if (pasture == nullptr) return;
  pasture->pests = static_cast<std::uint16_t>(std::min<std::uint32_t>(value >> 16, PestsMax));
  pasture->protection = static_cast<std::uint16_t>(value & 0xFFFF);
}
