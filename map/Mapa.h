#pragma once
// The ranch map: the saved record, generation, placement and joining, the
// daily simulation step. No window toolkit header may be included here.
#include <cstddef>
#include <cstdint>

#include "map/MapHost.h"

enum TTileKind : std::uint8_t {
  tkEmpty = 0,
  tkDirtRoad = 1,
  tkPavement = 2,
  tkScenery = 3,
  tkTree = 4,
  tkFence = 5,
  tkGate = 6,
  tkDuct = 7,
  tkDuctS = 8,
  tkWater = 9,
  tkBridge = 10,
  tkCrossing = 11,
  tkHouse = 12,
};

enum TWeather : std::uint8_t {
  wtSunny = 0,
  wtPartlyCloudy = 1,
  wtCloudy = 2,
  wtRain = 3,
  wtHeavyRain = 4,
  wtNone = 99,
};

enum class TFamily : std::uint8_t { Road, Fence, Duct, Water };
enum class TPlaceMode : std::uint8_t { Place, Join };

constexpr int MapSize = 98;  // grid 0..97; ring 0 and 97; playable 1..96
// The playable columns and rows.
constexpr int FirstPlayable = 1;
constexpr int LastPlayable = MapSize - 2;

// Whether (x, y) names a tile of the grid, ring included.
constexpr bool InGrid(int x, int y) { return x >= 0 && x < MapSize && y >= 0 && y < MapSize; }
// Whether (x, y) lies in the playable area, whose four neighbours all exist.
constexpr bool InPlayable(int x, int y) {
  return x >= 1 && x <= MapSize - 2 && y >= 1 && y <= MapSize - 2;
}

#pragma pack(push, 1)
struct TTile {
  std::uint8_t spare;
  std::uint8_t image;
  std::uint8_t kind;
};

// Aligned as its widest field, so that `year` and `funds` sit on their
// natural boundaries wherever a record lives.
struct alignas(4) TMapaRecord {
  std::uint8_t moisture;
  std::uint8_t reserved1;
  std::uint8_t reserved2;
  std::uint8_t weather;
  std::uint8_t weatherYesterday;
  std::uint8_t forecast[5];  // forecast[0] is the game's forecast[1]
  std::uint8_t day;
  std::uint8_t week;
  std::uint8_t month;
  std::uint8_t padding1;
  std::uint16_t year;
  std::int32_t funds;
  std::uint8_t startX;
  std::uint8_t startY;
  TTile tiles[MapSize][MapSize];  // tiles[x][y]: by columns
  std::uint8_t padding2[2];
};
#pragma pack(pop)

static_assert(sizeof(TTile) == 3);
static_assert(sizeof(TMapaRecord) == 28836);
static_assert(alignof(TMapaRecord) == 4);

// Offset of tile (x, y) in the saved record: the grid is stored by columns.
constexpr std::size_t TileOffset(int x, int y) {
  return 22 + 294 * static_cast<std::size_t>(x) + 3 * static_cast<std::size_t>(y);
}

// Uniform integer in 0..n-1 from the program's one generator.
int RandomInt(int n);
void RandomSeed(std::uint64_t seed);

bool InFamily(std::uint8_t kind, TFamily family);
bool IsWaterKind(std::uint8_t kind);
void AddSaturating(std::uint8_t& value, int amount);
void SubtractSaturating(std::uint8_t& value, int amount);

class TDirectDrawSurface;
class TDXImageList;
class IScrollBar;

class TMapa {
 public:
  explicit TMapa(IMapHost* host = nullptr);
  // Back to the state of creation, frameCounter included, for a new ranch in
  // the same object; the funds display shows the opening funds.
  void Reset();

  TMapaRecord& Record() { return record_; }
  const TMapaRecord& Record() const { return record_; }
  // The tile at (x, y); the caller guarantees InGrid(x, y).
  TTile& Tile(int x, int y);
  const TTile& Tile(int x, int y) const;
  std::uint8_t frameCounter = 0;

  // Funds; refuses a negative delta that would take funds below 0.
  bool ChangeFunds(std::int32_t delta);
  // Funds for charges that cannot be refused (the ranch economy's upkeep,
  // feed and interest): they may take the funds below 0. Kept within the
  // signed 32-bit range.
  void ForceFunds(std::int64_t delta);

  // Generation.
  void Generate();
  void PlaceHomestead();
  void PlaceHouse(int x, int y, std::uint8_t firstImage);
  void PlaceRiver();

  // Placement and joining; every operation a tool reaches refuses a tile
  // outside 1..96 (PlaceLinear also row and column 96). PlaceWater, used by
  // generation, takes the ring as well but nothing outside 0..97.
  bool PlaceLinear(std::uint8_t x, std::uint8_t y, std::uint8_t base, TPlaceMode mode);
  bool PlaceFitting(std::uint8_t x, std::uint8_t y, int fitting);
  bool PlaceWater(int x, int y, TPlaceMode mode);
  bool PlaceTree(std::uint8_t x, std::uint8_t y);
  bool PlaceScenery(std::uint8_t x, std::uint8_t y);
  bool Bulldoze(std::uint8_t x, std::uint8_t y);

  // Simulation step.
  void Tick(std::uint8_t days);
  void AdvanceForecast();
  // The date display and the forecast strip from the record as it stands,
  // for when the record was replaced or the language changed: nothing in
  // the record changes and no random number is drawn.
  void ShowDate() const;
  void ShowForecast() const;

  // Drawing of the visible map onto the view's back surface (defined in a
  // separate library that links the presentation layer).
  void Draw(TDirectDrawSurface& surface, int width, int height, int viewX, int viewY,
            TDXImageList& images, IScrollBar& horizontal, IScrollBar& vertical);

  IMapHost* Host() const { return host_; }
  void SetHost(IMapHost* host) { host_ = host; }

 private:
  std::uint8_t LinearMask(int x, int y, TFamily family) const;
  std::uint8_t WaterMask(int x, int y) const;
  void JoinLinearNeighbours(int x, int y, std::uint8_t base);
  void PlaceBorderAndVegetation();
  void AdvanceCalendar();
  void FollowWeather();
  void PlayAmbientSounds(bool allowed) const;

  TMapaRecord record_{};
  IMapHost* host_ = nullptr;
};

// The last scroll position at which the map drawing lets the map fill
// `pixels` pixels of view at `tileSize` pixels a tile (below 1 when the whole
// map fits); the scroll bars' Max is this, or 1.
int ScrollLimit(int pixels, int tileSize);

// A scroll bar as the map drawing sees it: Draw keeps the view's bars inside
// the map. Setting a position clamps it to [0, Max] and notifies the owner
// only when it really changes.
class IScrollBar {
 public:
  virtual ~IScrollBar() = default;
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual int Max() const = 0;
  virtual void SetMax(int max) = 0;
};
