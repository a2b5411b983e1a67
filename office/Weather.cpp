#include "office/Weather.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "economy/EcoRules.h"
#include "office/PastureTable.h"

namespace {
// The game shows four days ahead; the record's last two slots are one day.
constexpr int ForecastDays = 4;

constexpr TExtraText WeatherTexts[] = {TExtraText::SunnyText, TExtraText::PartlyCloudyText,
                                       TExtraText::CloudyText, TExtraText::RainText, TExtraText::HeavyRainText};
static_assert(std::size(WeatherTexts) == wtHeavyRain + 1);

// Seasons of a southern ranch, indexed by month - 1.
constexpr TExtraText Seasons[12] = {
    TExtraText::SummerText, TExtraText::SummerText, TExtraText::AutumnText, TExtraText::AutumnText,
    TExtraText::AutumnText, TExtraText::WinterText, TExtraText::WinterText, TExtraText::WinterText,
    TExtraText::SpringText, TExtraText::SpringText, TExtraText::SpringText, TExtraText::SummerText,
};

int WeatherFactor(std::uint8_t weather) { return weather <= wtHeavyRain ? WeatherGrowth[weather] : 1000; }
}  // namespace

TWeatherWindow::TWeatherWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::WeatherTitle) {
  auto* grid = new QGridLayout(this);
  ForecastCaption = new QLabel(this);
  Forecast = new QLabel(this);
  SeasonCaption = new QLabel(this);
  Season = new QLabel(this);
  Growth = new TPastureTable(this);
  grid->addWidget(ForecastCaption, 0, 0);
  grid->addWidget(Forecast, 0, 1);
  grid->addWidget(SeasonCaption, 1, 0);
  grid->addWidget(Season, 1, 1);
  grid->addWidget(Growth, 2, 0, 1, 2);
  setMinimumSize(340, 240);
}

void TWeatherWindow::Fill(TMapa& map, TEconomy& eco) {
  const TMapaRecord& record = map.Record();
  QStringList days;
  for (int i = 0; i < ForecastDays; ++i) {
    const std::uint8_t weather = record.forecast[i];
    days << (weather <= wtHeavyRain ? Text(WeatherTexts[weather]) : QStringLiteral("-"));
  }
  ForecastCaption->setText(Text(TExtraText::ForecastLabel));
  Forecast->setText(days.join(QStringLiteral(", ")));
  const int month = std::clamp<int>(record.month, 1, 12);
  SeasonCaption->setText(Text(TExtraText::SeasonLabel));
  Season->setText(Text(Seasons[month - 1]));
  const std::uint8_t today = record.weather, yesterday = record.weatherYesterday;
  Growth->Fill(eco.Pastures(),
               {{Text(TExtraText::PastureColumn), [](const TPasture& p) { return PastureName(p.id); }},
                {Text(TExtraText::TilesColumn), [](const TPasture& p) { return QString::number(p.tiles); }},
                {Text(TExtraText::GrowthColumn), [=, this](const TPasture& p) {
                   return Decimal(DailyGrowth(p.tiles, month, today, yesterday) / 10.0, 1);
                 }}});
}

std::int64_t DailyGrowth(std::uint32_t tiles, int month, std::uint8_t today, std::uint8_t yesterday) {
  const std::int64_t weather = (WeatherFactor(today) + WeatherFactor(yesterday)) / 2;
  return std::int64_t{tiles} * GrassPerTileDay * SeasonGrowth[std::clamp(month, 1, 12) - 1] * weather /
         (1000 * 1000);
}
