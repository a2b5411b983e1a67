// The economy's life cycle and its view of the map: starting, pastures found
// again after the tiles change, value and news.
#include "economy/Economy.h"

#include <algorithm>

#include "economy/EcoRules.h"

namespace {

constexpr std::size_t NewsKept = 64;

bool Walkable(std::uint8_t kind) { return kind == tkEmpty || kind == tkTree || kind == tkScenery; }

// Two herds in one pasture: head add up, weights average by head.
void MergeHerd(THerd& into, const THerd& from) {
  if (from.head == 0) return;
  const std::uint32_t head = std::min(into.head + from.head, MaxHerdHead);
  const std::uint64_t mass = std::uint64_t{into.head} * into.weight + std::uint64_t{from.head} * from.weight;
  into.weight = static_cast<std::uint32_t>(mass / (std::uint64_t{into.head} + from.head));
  into.head = head;
  into.dryDays = std::max(into.dryDays, from.dryDays);
}

}  // namespace

std::string_view EcoResultText(TEcoResult result) {
  switch (result) {
    case TEcoResult::Done: return "done";
    case TEcoResult::NoPasture: return "not a pasture: the area is not fenced off the border";
    case TEcoResult::NoGate: return "the pasture has no gate: cattle cannot be brought in or out";
    case TEcoResult::NoWater: return "the pasture has no water";
    case TEcoResult::FundsBelowZero: return "no purchase while the funds are below zero";
    case TEcoResult::NotEnoughFunds: return "not enough funds";
    case TEcoResult::NotEnoughHead: return "the herd has fewer head";
    case TEcoResult::HerdFull: return "the herd would be too large";
    case TEcoResult::BadAmount: return "bad amount: loans go in steps of 5000, counts above 0";
    case TEcoResult::PastMaximum: return "the bank lends no more";
    case TEcoResult::MoreThanLoan: return "more than the loan";
    case TEcoResult::GameOver: return "the game is lost";
  }
  return "?";
}

void TEconomy::Start(const TMapa& map, std::uint64_t seed) {
  *this = TEconomy{};
  random_.Seed(seed);
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      if (Walkable(map.Tile(x, y).kind)) forage_[TileIndex(x, y)] = GrassAtStart;
    }
  }
  Resurvey(map);
  const TMapaRecord& record = map.Record();
  target_ = GoalValue;
  targetYear_ = std::max<int>(GoalYear, record.year + (GoalYear - 2004));
  OpenMonth(map);
}

void TEconomy::MapChanged(TMapa& map) {
  ClearLayerOffBareGround(map);
  const std::vector<TPasture> old = std::move(pastures_);
  const std::array<std::uint8_t, TileCount> oldOf = pastureOf_;
  Resurvey(map);
  FollowHerds(map, old, oldOf);
}

// Troughs and planted grass stand on bare ground only; grass grows only on
// walkable tiles.
void TEconomy::ClearLayerOffBareGround(const TMapa& map) {
  const TTile* tiles = &map.Record().tiles[0][0];
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t t = TileIndex(x, y);
      const std::uint8_t kind = tiles[t].kind;
      if (kind != tkEmpty) layer_[t] = 0;
      if (!Walkable(kind)) forage_[t] = 0;
    }
  }
}

void TEconomy::Resurvey(const TMapa& map) {
  survey_.Survey(map, layer_);
  pastures_.clear();
  pastureOf_.fill(NoPasture);
  for (const TPastureShape& shape : survey_.Pastures()) {
    TPasture pasture;
    pasture.id = shape.id;
    pasture.tiles = static_cast<std::uint32_t>(shape.tiles.size());
    for (const std::uint16_t t : shape.tiles) {
      pastureOf_[t] = static_cast<std::uint8_t>(pastures_.size());
      pasture.forage += forage_[t];
    }
    pastures_.push_back(pasture);
  }
  CopyShapes();
}

// Troughs changed but no tile did: the same pastures, with new water and feed.
void TEconomy::RefreshShapes(const TMapa& map) {
  survey_.Survey(map, layer_);
  CopyShapes();
}

// The survey's findings that do not move herds: water, shade, road, feed.
void TEconomy::CopyShapes() {
  const auto shapes = survey_.Pastures();
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    pastures_[i].water = shapes[i].water;
    pastures_[i].shade = shapes[i].shade;
    pastures_[i].feedTrough = shapes[i].feedTrough;
    pastures_[i].road = shapes[i].road;
  }
}

// Each old herd goes to the new pasture that holds most of its old tiles;
// each new pasture takes its pests from the old one that gave it most tiles.
void TEconomy::FollowHerds(TMapa& map, const std::vector<TPasture>& old,
                           const std::array<std::uint8_t, TileCount>& oldOf) {
  const std::size_t oldCount = old.size(), newCount = pastures_.size();
  std::vector<std::uint32_t> overlap(oldCount * newCount, 0);
  for (int t = 0; t < TileCount; ++t) {
    if (oldOf[t] != NoPasture && pastureOf_[t] != NoPasture) {
      ++overlap[oldOf[t] * newCount + pastureOf_[t]];
    }
  }
  for (std::size_t n = 0; n < newCount; ++n) {
    std::size_t best = oldCount;
    for (std::size_t o = 0; o < oldCount; ++o) {
      if (overlap[o * newCount + n] > 0 &&
          (best == oldCount || overlap[o * newCount + n] > overlap[best * newCount + n])) {
        best = o;
      }
    }
    if (best == oldCount) continue;
    pastures_[n].pests = old[best].pests;
    pastures_[n].protection = old[best].protection;
  }
  for (std::size_t o = 0; o < oldCount; ++o) {
    if (old[o].herd.head == 0) continue;
    const auto row = overlap.begin() + static_cast<std::ptrdiff_t>(o * newCount);
    const auto best = std::max_element(row, row + static_cast<std::ptrdiff_t>(newCount));
    if (newCount > 0 && *best > 0) {
      MergeHerd(pastures_[static_cast<std::size_t>(best - row)].herd, old[o].herd);
      continue;
    }
    const std::int64_t proceeds = SaleProceeds(old[o], old[o].herd.head, true);
    ReceiveSale(map, proceeds, old[o].herd.head);
    Post(TNewsKind::ForcedSale, old[o].id, proceeds);
  }
}

TPasture* TEconomy::PastureOf(int x, int y) {
  const std::uint8_t index = survey_.PastureAt(x, y);
  return index == NoPasture ? nullptr : &pastures_[index];
}

std::uint8_t TEconomy::LayerAt(int x, int y) const {
  return InGrid(x, y) ? layer_[TileIndex(x, y)] : 0;
}

std::uint16_t TEconomy::ForageAt(int x, int y) const {
  return InGrid(x, y) ? forage_[TileIndex(x, y)] : 0;
}

std::int64_t TEconomy::Rate() const { return RatePercent; }

std::int64_t TEconomy::HerdValue(const THerd& herd) const {
  return std::int64_t{herd.head} * herd.weight * Price() / (GramsPerArroba * 100);
}

// Half the tool price of everything built or generated on the ranch.
std::int64_t TEconomy::BuiltValue(const TMapa& map) const {
  std::int64_t sum = 0;
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint8_t kind = map.Tile(x, y).kind;
      if (kind <= tkHouse) sum += BuiltPrice[kind];
    }
  }
  return sum / 2;
}

std::int64_t TEconomy::Value(const TMapa& map) const {
  std::int64_t value = std::int64_t{map.Record().funds} - loan_ + BuiltValue(map);
  for (const TPasture& pasture : pastures_) value += HerdValue(pasture.herd);
  return value;
}

std::int64_t TEconomy::LoanMax(const TMapa& map) const {
  const std::int64_t value = Value(map);
  if (value <= 0) return 0;
  return std::max(LoanMaxFloor, value / 2 / LoanStep * LoanStep);
}

void TEconomy::Post(TNewsKind kind, std::uint16_t pasture, std::int64_t amount) {
  news_.push_back(TNews{kind, pasture, amount});
  if (news_.size() > NewsKept) news_.pop_front();
}

std::optional<TNews> TEconomy::PopNews() {
  if (news_.empty()) return std::nullopt;
  const TNews news = news_.front();
  news_.pop_front();
  return news;
}

std::string CompanionPath(std::string_view mapPath) {
  const std::size_t slash = mapPath.rfind('/');
  const std::size_t dot = mapPath.rfind('.');
  const bool hasExtension = dot != std::string_view::npos &&
                            (slash == std::string_view::npos || dot > slash + 1);
  return std::string(hasExtension ? mapPath.substr(0, dot) : mapPath) + ".eco";
}
