#pragma once
// BotTempo's window: the forecast for the next four days, the season, and
// how much grass each pasture grows a day in this season and weather.
#include "office/OfficeWindow.h"

class QLabel;
class TPastureTable;

class TWeatherWindow : public TOfficeWindow {
 public:
  explicit TWeatherWindow(const TOfficeContext& context);

  QLabel* ForecastCaption;
  QLabel* Forecast;
  QLabel* SeasonCaption;
  QLabel* Season;
  TPastureTable* Growth;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;
};

// Grass a pasture of `tiles` bare tiles grows a day, in tenths of a kg, as
// the season and the last two days' weather make it.
std::int64_t DailyGrowth(std::uint32_t tiles, int month, std::uint8_t today, std::uint8_t yesterday);
