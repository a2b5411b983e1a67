#pragma once
// The ranch economy: pastures with their herds, grass, water, pests, the
// cattle market, the bank, the books and the ranch's value and goal. It reads
// the map through TMapa, moves money only through the map record's funds (so
// the funds display follows) and draws numbers only from its own generator.
// No window toolkit here; the game shows what it reads from the accessors and
// the news queue.
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "economy/EcoRandom.h"
#include "economy/Pastures.h"
#include "map/Mapa.h"
#include "map/Tools.h"

// The outcome of a purchase, a sale or a bank order.
enum class TEcoResult : std::uint8_t {
  Done,
  NoPasture,       // the tile is not in a fenced area
  NoGate,          // a fenced area without a gate: cattle cannot be brought in
  NoWater,
  FundsBelowZero,  // no purchase while the ranch owes money
  NotEnoughFunds,
  NotEnoughHead,
  HerdFull,
  BadAmount,       // not positive, or a loan not in steps of 5,000
  PastMaximum,     // beyond what the bank lends
  MoreThanLoan,
  GameOver,
};
std::string_view EcoResultText(TEcoResult result);

enum class TEcoStatus : std::uint8_t { Playing, Won, Lost };

enum class TNewsKind : std::uint8_t {
  DryPasture,           // a herd's pasture has no water (pasture)
  HeadLost,             // head died (pasture, head)
  FundsBelowZero,       // today's charges took the funds below zero (funds)
  BankruptcyWarning,    // a month ended in debt
  BankruptcyForcedSale, // the second: every herd was sold (money received)
  ForcedSale,           // a herd's pasture stopped being one (pasture, money received)
  MonthSummary,         // a month closed (closing funds)
  GoalMet,              // the ranch is won (value)
  Lost,                 // the game is lost (value)
};

struct TNews {
  TNewsKind kind;
  std::uint16_t pasture = 0;  // the pasture's id, where there is one
  std::int64_t amount = 0;
};

// One page of the books: a month (month 1..12) or a year (month 0).
// opening + sales - purchases - upkeep - interest - building + borrowed -
// repaid = closing.
struct TBooks {
  std::uint16_t year = 0;
  std::uint8_t month = 0;
  std::int64_t opening = 0;
  std::int64_t sales = 0;
  std::int64_t purchases = 0;  // cattle and feed
  std::int64_t upkeep = 0;
  std::int64_t interest = 0;
  std::int64_t building = 0;   // the palette's tools, less what undo gave back
  std::int64_t borrowed = 0;
  std::int64_t repaid = 0;
  std::int64_t closing = 0;
  std::int64_t price = 0;      // price per arroba at the close, in hundredths
};

struct THerd {
  std::uint32_t head = 0;
  std::uint32_t weight = 0;  // mean, in grams
  std::uint16_t dryDays = 0; // days in a row without water
};

// A pasture as the economy keeps it: its shape from the survey and its state.
struct TPasture {
  std::uint16_t id = 0;
  std::uint32_t tiles = 0;
  bool water = false;
  bool shade = false;
  bool feedTrough = false;
  TRoadAccess road = TRoadAccess::None;
  std::int64_t forage = 0;      // tenths of a kg, the sum over its tiles
  std::uint16_t pests = 0;      // thousandths of full infestation
  std::uint16_t protection = 0; // days the last spraying still keeps pests off
  THerd herd;
};

class TEconomy {
 public:
  static constexpr std::size_t MonthsKept = 24;
  static constexpr std::size_t YearsKept = 10;

  // A fresh economy on the map as it stands: pastures found, standing grass
  // on walkable tiles, no herds, no loan, books opened at today's month.
  void Start(const TMapa& map, std::uint64_t seed = 0);
  // One day, after that day's weather: a month closes first when the
  // calendar has moved into a new one.
  void Day(TMapa& map);
  // The tiles changed: pastures found again, herds follow their tiles, a
  // herd whose pasture stopped being one is sold at a loss; troughs and
  // planted grass on a tile no longer bare go.
  void MapChanged(TMapa& map);

  // The four economy tools (water trough, feed trough, planting, spraying).
  static bool IsEconomyTool(TToolKind tool);
  // A new drag of the mouse: spraying charges once per pasture per drag.
  void StartDrag();
  std::int64_t ToolPrice(TToolKind tool, int x, int y) const;
  TToolVerdict ToolVerdict(const TMapa& map, TToolKind tool, int x, int y) const;
  // Acts and charges (through ChangeFunds, so never below zero); true when
  // it acted.
  bool ToolAction(TMapa& map, TToolKind tool, int x, int y);
  // A map tool charged `cost` (negative: undo gave money back).
  void Built(std::int64_t cost);
  // What a tool on (x, y) changes of the economy, as one number under one
  // key, so undo can put it back: a tile's layer, or a pasture's pests and
  // protection for spraying. PutToolState takes a value ToolState gave; a key
  // whose pasture is gone, or off the map, changes nothing.
  static constexpr std::uint32_t SprayKey = 0x10000;  // | the pasture's id
  std::uint32_t ToolStateKey(TToolKind tool, int x, int y) const;
  std::uint32_t ToolState(std::uint32_t key) const;
  void PutToolState(const TMapa& map, std::uint32_t key, std::uint32_t value);

  // Trade and bank; a refusal changes nothing. The pasture is named by any
  // of its tiles.
  TEcoResult Buy(TMapa& map, int x, int y, std::int64_t head);
  TEcoResult Sell(TMapa& map, int x, int y, std::int64_t head);
  TEcoResult Borrow(TMapa& map, std::int64_t amount);
  TEcoResult Repay(TMapa& map, std::int64_t amount);
  void SetAutoRepay(bool on) { autoRepay_ = on; }
  bool AutoRepay() const { return autoRepay_; }

  const std::vector<TPasture>& Pastures() const { return pastures_; }
  // Index into Pastures() of the pasture holding (x, y), or NoPasture.
  std::uint8_t PastureAt(int x, int y) const { return survey_.PastureAt(x, y); }
  std::uint8_t LayerAt(int x, int y) const;
  const TLayer& Layer() const { return layer_; }  // by TileIndex
  std::uint16_t ForageAt(int x, int y) const;  // tenths of a kg
  const TBooks& Month() const { return month_; }  // the month running, closing = funds
  const std::deque<TBooks>& Months() const { return months_; }  // closed months, oldest first
  const std::deque<TBooks>& Years() const { return years_; }    // the last is the year running
  // The year running as it stands today: its closed months and the month
  // running, closing at today's money and price.
  TBooks YearToDate(const TMapa& map) const;
  std::int64_t Price() const;      // per arroba, hundredths
  std::int64_t CalfPrice() const;  // per arroba, hundredths
  std::int64_t Loan() const { return loan_; }
  std::int64_t LoanMax(const TMapa& map) const;
  std::int64_t Rate() const;  // yearly, in percent
  std::int64_t Value(const TMapa& map) const;
  std::int64_t HerdValue(const THerd& herd) const;
  std::int64_t Target() const { return target_; }
  int TargetYear() const { return targetYear_; }
  TEcoStatus Status() const { return status_; }
  int MonthsInDebt() const { return monthsInDebt_; }

  // News for the game to show, oldest first; the oldest go beyond 64.
  const std::deque<TNews>& News() const { return news_; }
  std::optional<TNews> PopNews();

  // The companion file's bytes, tied to the map record it goes with.
  std::vector<std::uint8_t> Save(const TMapa& map) const;
  // Takes the economy from a companion file's bytes; on a refusal returns
  // the reason and leaves this economy as it was.
  std::optional<std::string> Load(std::span<const std::uint8_t> bytes, const TMapa& map);

 private:
  friend class TEcoFile;

  // Daily step.
  void GrowGrass(const TMapa& map);
  void FeedHerds(TMapa& map);
  void FeedHerd(const TPastureShape& shape, TPasture& pasture, bool sunny, std::int64_t& upkeep,
                std::int64_t& feed);
  void GainWeight(TPasture& pasture, int fed, bool sunny);
  void LoseHead(TPasture& pasture, std::uint32_t divisor);
  void RaisePests(TPasture& pasture) const;
  void EatForage(const TPastureShape& shape, TPasture& pasture, std::int64_t eaten);
  // Month end.
  void CloseMonth(TMapa& map);
  void ChargeInterest(TMapa& map);
  void CheckGoal(const TMapa& map, const TBooks& closed);
  void CheckDebt(TMapa& map);
  void OpenMonth(const TMapa& map);
  void StepMarket();
  // Pastures.
  void Resurvey(const TMapa& map);
  void RefreshShapes(const TMapa& map);
  void CopyShapes();
  void FollowHerds(TMapa& map, const std::vector<TPasture>& old,
                   const std::array<std::uint8_t, TileCount>& oldOf);
  void ClearLayerOffBareGround(const TMapa& map);
  TEcoResult TradePasture(int x, int y, std::int64_t head, TPasture*& pasture);
  std::int64_t SaleProceeds(const TPasture& pasture, std::uint32_t head, bool forced) const;
  void ReceiveSale(TMapa& map, std::int64_t proceeds, std::uint32_t head);
  std::int64_t SellAll(TMapa& map);
  void Post(TNewsKind kind, std::uint16_t pasture, std::int64_t amount);
  TPasture* PastureOf(int x, int y);
  std::int64_t BuiltValue(const TMapa& map) const;

  TPastureSurvey survey_;
  std::vector<TPasture> pastures_;
  std::array<std::uint8_t, TileCount> pastureOf_{};  // as of the last survey
  TLayer layer_{};
  std::array<std::uint16_t, TileCount> forage_{};
  TEcoRandom random_;
  std::int64_t loan_ = 0;
  std::int64_t interestCarry_ = 0;  // 1/1200 of a unit: interest owed but not yet charged
  bool autoRepay_ = false;
  int walk_ = 1000;                 // the market's random walk, thousandths
  std::uint32_t soldThisMonth_ = 0;
  std::uint32_t soldLastMonth_ = 0;
  TBooks month_;
  std::deque<TBooks> months_;
  std::deque<TBooks> years_;
  std::int64_t target_ = 0;
  int targetYear_ = 0;
  TEcoStatus status_ = TEcoStatus::Playing;
  int monthsInDebt_ = 0;
  std::deque<TNews> news_;
  std::vector<std::uint16_t> sprayed_;  // pastures sprayed in this drag
};

// "mapa.eco" beside "mapa.map": the map's file name with its extension
// replaced (or ".eco" appended when it has none).
std::string CompanionPath(std::string_view mapPath);
