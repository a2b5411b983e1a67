#pragma once
// Helpers for the map tests: a host that records what the map shows and
// plays, hand-made maps, and a text dump of a map region.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "map/Mapa.h"

class TRecordingHost : public IMapHost {
 public:
  void ShowFunds(std::int32_t funds) override;
  void ShowDate(std::string_view text) override;
  void ForecastCell(int cell, std::uint8_t weather) override;
  void ForecastLine(int x1, int y1, int x2, int y2) override;
  void PlayWave(int index) override;

  // Every call in order, as "funds 40000", "date ...", "cell 0 3",
  // "line 1 1 5 1", "wave 4".
  std::vector<std::string> calls;
  std::vector<std::string> Matching(std::string_view prefix) const;
};

// A constructed map whose ring is open water, as generation leaves it, with
// no other feature: the start of every hand-made scenario.
void MakeBorder(TMapa& map);

// Sets a tile's kind and image directly, without joining.
void Put(TMapa& map, int x, int y, TTileKind kind, std::uint8_t image);

// The images of the rectangle x0..x1, y0..y1: one line per row, top to
// bottom, images separated by single spaces.
std::string Images(const TMapa& map, int x0, int y0, int x1, int y1);

// The whole record as bytes, to compare a map before and after a refusal.
std::vector<std::uint8_t> Bytes(const TMapa& map);

