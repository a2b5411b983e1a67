// The saved-game validator: a record is refused when it holds a code that no
// game ever produces, since drawing, the tools and the daily step would then
// work on values they were never meant for.
#include "map/MapaCheck.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "map/MapaCodes.h"

namespace {

struct TImageRange {
  std::uint8_t first;
  std::uint8_t last;
};
// Up to three ranges of images per kind; an unused range is {1, 0}.
using TImageRanges = std::array<TImageRange, 3>;
constexpr TImageRange NoRange = {1, 0};

// The last piece of a linear feature, and the last of four scenery or tree pictures.
constexpr std::uint8_t LastPiece(std::uint8_t base) { return static_cast<std::uint8_t>(base + LinearPieces - 1); }
constexpr std::uint8_t LastPicture(std::uint8_t first) {
  return static_cast<std::uint8_t>(first + SceneryPictures - 1);
}

// The images each kind shows, indexed by TTileKind.
constexpr std::array<TImageRanges, tkHouse + 1> KindImages = {{
    {{{ImageBareGround, ImageBareGround}, {ImageClearingFirst, ImageClearingLast}, NoRange}},  // tkEmpty
    {{{BaseDirtRoad, LastPiece(BaseDirtRoad)}, NoRange, NoRange}},  // tkDirtRoad
    {{{BasePavement, LastPiece(BasePavement)}, NoRange, NoRange}},  // tkPavement
    {{{ImageFirstScenery, LastPicture(ImageFirstScenery)}, NoRange, NoRange}},  // tkScenery
    {{{ImageFirstTree, LastPicture(ImageFirstTree)}, NoRange, NoRange}},  // tkTree
    {{{BaseFence, LastPiece(BaseFence)}, NoRange, NoRange}},  // tkFence
    {{{ImageGateNorthSouth, ImageGateNorthSouth}, {ImageGateWestEast, ImageGateWestEast}, NoRange}},  // tkGate
    // tkDuct, with the older straight pieces
    {{{BaseDuct, LastPiece(BaseDuct)}, {ImageDuctWestEastAlt, ImageDuctNorthSouthAlt}, NoRange}},
    {{{ImageDuctSNorthSouth, ImageDuctSNorthSouth}, {ImageDuctSWestEast, ImageDuctSWestEast}, NoRange}},  // tkDuctS
    {{{ImageOpenWater, ImageWaterLast}, NoRange, NoRange}},  // tkWater, both open-water frames included
    {{{ImageBridge, ImageBridge}, NoRange, NoRange}},  // tkBridge
    {{{ImageBridge, ImageBridge}, NoRange, NoRange}},  // tkCrossing
    {{{0, HousePieces - 1}, NoRange, NoRange}},  // tkHouse: patterns of the houses image
}};
static_assert(KindImages.size() == tkHouse + 1);

constexpr int DaysPerWeek = 6;
constexpr int WeeksPerMonth = 4;
constexpr int MonthsPerYear = 12;
constexpr int LastWeatherIcon = wtHeavyRain;

std::string Number(int value) { return std::to_string(value); }

void CheckRange(std::vector<std::string>& problems, const char* field, int value, int last) {
  if (value < 1 || value > last)
    problems.push_back(std::string(field) + " " + Number(value) + " outside 1.." + Number(last));
}

void CheckWeather(std::vector<std::string>& problems, const std::string& field, std::uint8_t code) {
  if (!IsWeatherCode(code)) problems.push_back(field + " " + Number(code) + " is not a weather code");
}

bool OnRing(int x, int y) { return x == 0 || y == 0 || x == MapSize - 1 || y == MapSize - 1; }

// At most one line per tile: the first thing wrong with it.
void CheckTile(std::vector<std::string>& problems, int x, int y, const TTile& tile) {
  const std::string where = "tile (" + Number(x) + ", " + Number(y) + "): ";
  if (tile.kind > tkHouse) {
    problems.push_back(where + "unknown kind " + Number(tile.kind));
  } else if (OnRing(x, y) && tile.kind != tkWater) {
    problems.push_back(where + "border tile of kind " + Number(tile.kind) + ", not water");
  } else if (!KindShowsImage(tile.kind, tile.image)) {
    problems.push_back(where + "kind " + Number(tile.kind) + " never shows image " + Number(tile.image));
  }
}

}  // namespace

bool KindShowsImage(std::uint8_t kind, std::uint8_t image) {
  if (kind >= KindImages.size()) return false;
  for (const TImageRange& range : KindImages[kind]) {
    if (image >= range.first && image <= range.last) return true;
  }
  return false;
}

bool IsWeatherCode(std::uint8_t code) { return code <= LastWeatherIcon || code == wtNone; }

std::vector<std::string> CheckRecord(const TMapaRecord& record) {
  std::vector<std::string> problems;
  CheckRange(problems, "day", record.day, DaysPerWeek);
  CheckRange(problems, "week", record.week, WeeksPerMonth);
  CheckRange(problems, "month", record.month, MonthsPerYear);
  CheckWeather(problems, "weather", record.weather);
  CheckWeather(problems, "weatherYesterday", record.weatherYesterday);
  for (std::size_t i = 0; i < std::size(record.forecast); ++i)
    CheckWeather(problems, "forecast[" + Number(static_cast<int>(i) + 1) + "]", record.forecast[i]);
  for (int x = 0; x < MapSize; ++x) {
    for (int y = 0; y < MapSize; ++y) CheckTile(problems, x, y, record.tiles[x][y]);
  }
  return problems;
}

TRecordVerdict TakeRecord(const std::uint8_t* bytes, std::size_t size, TMapaRecord& record) {
  if (bytes == nullptr || size < sizeof(TMapaRecord)) return TRecordVerdict::Short;
  // Checked in a copy of its own, so the game's record is never half-replaced.
  TMapaRecord candidate;
  std::memcpy(&candidate, bytes, sizeof candidate);
  if (!CheckRecord(candidate).empty()) return TRecordVerdict::Damaged;
  record = candidate;
  return TRecordVerdict::Loaded;
}
