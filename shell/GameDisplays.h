#pragma once
// The toolbar's displays as the map sees them: the funds, the date and the
// forecast box, and the ambient sounds. The map reaches them only through
// its host interface.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "map/MapHost.h"

class QLabel;
class TDXWaveList;
class TForecastStrip;
class TMapa;

class TGameDisplays : public IMapHost {
 public:
  TGameDisplays(TForecastStrip& forecast, TDXWaveList& audio) : forecast_(forecast), audio_(audio) {}

  // The date and funds displays, once the toolbar exists.
  void SetLabels(QLabel* date, QLabel* funds);
  // Called after the date display changed (each day, and when the whole
  // game is shown anew).
  std::function<void()> OnDateShown;

  // The whole game: the displays show the record as it stands, at once,
  // changing nothing in it.
  void ShowGameState(TMapa* map);

  void ShowFunds(std::int32_t funds) override;
  void ShowDate(std::string_view text) override;
  void ForecastCell(int cell, std::uint8_t weather) override;
  void ForecastLine(int x1, int y1, int x2, int y2) override;
  // Ambient sounds keep quiet with the sound off and at the two fastest speeds.
  void PlayWave(int index) override;

 private:
  TForecastStrip& forecast_;
  TDXWaveList& audio_;
  QLabel* date_ = nullptr;
  QLabel* funds_ = nullptr;
};
