#include "view/RanchFigures.h"

#include <algorithm>

#include "map/GroundWetness.h"
#include "map/MapaCodes.h"
#include "present/RetainedTiles.h"
#include "view/RanchPictures.h"

namespace {
constexpr int LastTile = 96;
constexpr int GroundItem = 0;  // IMGChao item holding the ranch's pictures

// Troughs and planted grass lie on bare ground only; the economy takes them
// away when a tool changes the tile, and a figure keeps off them and off
// trees and scenery, where it would stand on the picture beneath.
bool Bare(const TTile& tile) { return tile.kind == tkEmpty && tile.image == ImageBareGround; }

bool FigureGround(const TTile& tile, std::uint8_t layer) {
  return Bare(tile) && (layer & (lyWaterTrough | lyFeedTrough)) == 0;
}

// What a square shows over its tile, as one number; 0 for nothing.
std::uint64_t SquareKey(std::uint8_t layer, TGroundWetness ground, int figures, int x, int y, int day, int pasture) {
  if (layer == 0 && figures == 0) return 0;
  const std::uint64_t look = layer | (layer & lyPlanted ? static_cast<std::uint64_t>(ground) + 1 : 0) << 3 |
                             static_cast<std::uint64_t>(figures) << 6;
  if (figures == 0) return look;
  const std::uint64_t places = FigureHash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                          static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(pasture));
  return look | places << 32 | static_cast<std::uint64_t>(pasture) << 8;
}
}  // namespace

int RanchDay(const TMapaRecord& record) { return (record.year * 12 + record.month) * 32 + record.day; }

bool TRanchFigures::Spread(const TEconomy& eco, const TMapa& map, int day) {
  std::vector<THerdKey> herds;
  for (const TPasture& p : eco.Pastures()) herds.push_back({p.id, p.tiles, p.herd.head});
  if (spread_ && day == day_ && herds == herds_) return false;
  spread_ = true;
  day_ = day;
  herds_ = std::move(herds);
  figures_.assign(TileCount, 0);
  const std::vector<TPasture>& pastures = eco.Pastures();
  pastureTiles_.resize(pastures.size());
  for (auto& tiles : pastureTiles_) tiles.clear();
  const TMapaRecord& record = map.Record();
  for (int x = 1; x <= LastTile; ++x)
    for (int y = 1; y <= LastTile; ++y) {
      const std::uint8_t p = eco.PastureAt(x, y);
      if (p >= pastures.size() || pastures[p].herd.head == 0) continue;
      if (FigureGround(record.tiles[x][y], eco.LayerAt(x, y))) pastureTiles_[p].push_back({x, y});
    }
  for (std::size_t p = 0; p < pastures.size(); ++p) {
    const std::vector<std::array<int, 2>>& tiles = pastureTiles_[p];
    const std::vector<std::uint8_t> counts = HerdSpread(tiles, pastures[p].herd.head, day, pastures[p].id);
    for (std::size_t i = 0; i < tiles.size(); ++i) figures_[TileIndex(tiles[i][0], tiles[i][1])] = counts[i];
  }
  return true;
}

bool TRanchFigures::DrawSquare(TTileOverlay& overlay, TDirectDrawSurface& back, TPictureCollectionItem& ground,
                               const TEconomy* eco, const TMapaRecord& record, int column, int row, int x,
                               int y) const {
  std::uint8_t layer = 0;
  int figures = 0, pasture = 0;
  if (eco) {
    const TTile& tile = record.tiles[x][y];
    layer = Bare(tile) ? eco->LayerAt(x, y) & LayerBits : 0;
    const std::uint8_t p = eco->PastureAt(x, y);
    if (p < eco->Pastures().size() && FigureGround(tile, layer)) {
      // The pasture may have changed since the spread: figures only ever
      // stand inside their own.
      figures = eco->Pastures()[p].herd.head == 0 ? 0 : figures_[TileIndex(x, y)];
      pasture = eco->Pastures()[p].id;
    }
  }
  const int day = shown_.day, size = shown_.tileSize;
  const TGroundWetness wetness = shown_.wetness;
  const std::uint64_t key = SquareKey(layer, wetness, figures, x, y, day, pasture);
  if (!overlay.Begin(column, row, key)) return key != 0;
  const int left = column * size, top = row * size;
  const TRect square{left, top, left + size, top + size};
  if (layer & lyPlanted) ground.DrawScaled(back, square, PlantedPattern(wetness));
  if (layer & lyWaterTrough) {
    ground.DrawBlended(back, square, WaterTroughShadow, RanchShadowOpacity);
    ground.DrawScaled(back, square, WaterTroughPattern);
  }
  if (layer & lyFeedTrough) {
    ground.DrawBlended(back, square, FeedTroughShadow, RanchShadowOpacity);
    ground.DrawScaled(back, square, FeedTroughPattern);
  }
  for (const TFigure& f : TileFigures(x, y, figures, day, pasture)) {
    const int fl = left + FigureShift(f.dx, size), ft = top + FigureShift(f.dy, size);
    const TRect at{fl, ft, fl + size, ft + size};
    ground.DrawBlended(back, at, CattleShadow(f.pose, f.facing), RanchShadowOpacity);
    ground.DrawScaled(back, at, CattlePattern(f.coat, f.pose, f.facing));
  }
  return key != 0;
}

void TRanchFigures::Draw(TDirectDrawSurface& back, const TEconomy* eco, const TMapa& map, TDXImageList& images,
                         int width, int height, int viewX, int viewY, int tileSize, int day) {
  if (tileSize <= 0 || images.Items.Count() <= GroundItem) return;
  if (eco == nullptr && !overlaid_) {
    drawn_ = false;
    return;
  }
  const int columns = width / tileSize + 1, rows = height / tileSize + 1;
  if (columns < 1 || rows < 1) return;
  viewX = std::max(viewX, 0);
  viewY = std::max(viewY, 0);
  const TMapaRecord& record = map.Record();
  const TShown shown{eco != nullptr, day, viewX, viewY, tileSize, width, height, GroundWetnessOf(record)};
  bool same = drawn_ && shown == shown_;
  if (eco) {
    same = !Spread(*eco, map, day) && same;
    if (eco->Layer() != layer_) {
      layer_ = eco->Layer();
      same = false;
    }
  }
  shown_ = shown;
  drawn_ = true;

  TPictureCollectionItem& ground = images.Items.Items(GroundItem);
  TTileOverlay overlay(back, tileSize, columns, rows);
  if (same && overlay.Laid()) {
    // Nothing that goes over the tiles changed: only the squares the map
    // drew afresh have lost what lay over them.
    for (const auto& [column, row] : *overlay.Laid()) {
      const int x = viewX + column + 1, y = viewY + row + 1;
      if (x <= LastTile && y <= LastTile) DrawSquare(overlay, back, ground, eco, record, column, row, x, y);
    }
    return;
  }
  overlaid_ = false;
  for (int i = 1; i <= rows && viewY + i <= LastTile; ++i)
    for (int j = 1; j <= columns && viewX + j <= LastTile; ++j)
      if (DrawSquare(overlay, back, ground, eco, record, j - 1, i - 1, viewX + j, viewY + i)) overlaid_ = true;
}
