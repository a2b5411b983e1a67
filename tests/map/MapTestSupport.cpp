#include "MapTestSupport.h"

#include <cstring>

void TRecordingHost::ShowFunds(std::int32_t funds) {
  calls.push_back("funds " + std::to_string(funds));
}
void TRecordingHost::ShowDate(std::string_view text) {
  calls.push_back("date " + std::string(text));
}
void TRecordingHost::ForecastCell(int cell, std::uint8_t weather) {
  calls.push_back("cell " + std::to_string(cell) + " " + std::to_string(weather));
}
void TRecordingHost::ForecastLine(int x1, int y1, int x2, int y2) {
  calls.push_back("line " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                  std::to_string(x2) + " " + std::to_string(y2));
}
void TRecordingHost::PlayWave(int index) { calls.push_back("wave " + std::to_string(index)); }

std::vector<std::string> TRecordingHost::Matching(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const auto& call : calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

void MakeBorder(TMapa& map) {
  for (int i = 0; i < MapSize; ++i) {
    for (const auto& [x, y] : {std::pair{i, 0}, {i, MapSize - 1}, {0, i}, {MapSize - 1, i}}) {
      map.Tile(x, y).kind = tkWater;
      map.Tile(x, y).image = 23;
    }
  }
}

void Put(TMapa& map, int x, int y, TTileKind kind, std::uint8_t image) {
  map.Tile(x, y).kind = kind;
  map.Tile(x, y).image = image;
}

std::string Images(const TMapa& map, int x0, int y0, int x1, int y1) {
  std::string text;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      text += std::to_string(map.Tile(x, y).image);
      text += x < x1 ? ' ' : '\n';
    }
  }
  return text;
}

std::vector<std::uint8_t> Bytes(const TMapa& map) {
  std::vector<std::uint8_t> bytes(sizeof(TMapaRecord));
  std::memcpy(bytes.data(), &map.Record(), bytes.size());
  return bytes;
}

