// The daily step: calendar, date display, weather forecast, soil moisture
// and ambient sounds.
#include <array>
#include <string>

#include "map/Mapa.h"
#include "shell/defines.h"

namespace {

constexpr int DaysPerWeek = 6;
constexpr int WeeksPerMonth = 4;
constexpr int MonthsPerYear = 12;
constexpr int ForecastDays = 5;
constexpr int ForecastCellsShown = 3;
constexpr int StatusIconCount = 5;  // weather codes 0..4 have an icon

// Wave-list items of the ambient sounds.
constexpr int WaveFirstBird = 4;
constexpr int BirdWaveCount = 3;
constexpr int WaveRain = 7;

// Moisture change per day, indexed by the weather code.
constexpr std::array<int, StatusIconCount> MoistureChange = {
    -6,  // wtSunny
    -3,  // wtPartlyCloudy
    0,   // wtCloudy
    4,   // wtRain
    8,   // wtHeavyRain
};
static_assert(MoistureChange.size() == wtHeavyRain + 1);

struct TLine {
  int x1, y1, x2, y2;
};
// Red corner marks around today's cell of the forecast strip.
constexpr std::array<TLine, 8> TodayMarks = {{
    {1, 1, 5, 1},
    {1, 1, 1, 5},
    {24, 24, 24, 19},
    {24, 24, 19, 24},
    {1, 24, 1, 19},
    {1, 24, 5, 24},
    {24, 1, 24, 5},
    {24, 1, 19, 1},
}};
static_assert(TodayMarks.size() == 8);

template <int Capacity>
void Append(std::string& text, const TShortText<Capacity>& word) {
  text.append(word.Text, word.Length <= Capacity ? word.Length : Capacity);
}

}  // namespace

void TMapa::Tick(std::uint8_t days) {
  for (; days > 0; --days) {
    const bool soundsAllowed = GameSpeed != 1 && GameSpeed != 2;
    AdvanceCalendar();
    ShowDate();
    AdvanceForecast();
    FollowWeather();
    if (SoundOn) PlayAmbientSounds(soundsAllowed);
  }
}

// A loaded record may hold any calendar bytes; comparing with >= brings an
// out-of-range field back into range at its next rollover.
void TMapa::AdvanceCalendar() {
  if (++record_.day < DaysPerWeek + 1) return;
  record_.day = 1;
  if (++record_.week < WeeksPerMonth + 1) return;
  record_.week = 1;
  if (++record_.month < MonthsPerYear + 1) return;
  record_.month = 1;
  ++record_.year;
}

void TMapa::ShowDate() const {
  if (host_ == nullptr) return;
  std::string text;
  Append(text, WeekWord);
  text += ' ';
  text += std::to_string(record_.week);
  text += ' ';
  Append(text, MonthWord);
  text += ' ';
  // A month outside 1..12 (from a loaded record) has no name.
  if (record_.month >= 1 && record_.month <= MonthsPerYear) Append(text, MonthNames[record_.month]);
  text += ", ";
  text += std::to_string(record_.year);
  host_->ShowDate(text);
}

void TMapa::AdvanceForecast() {
  auto& forecast = record_.forecast;
  if (record_.weather == wtNone) {
    for (auto& slot : forecast) slot = static_cast<std::uint8_t>(RandomInt(StatusIconCount));
    record_.weather = forecast[0];
  }
  forecast[ForecastDays - 1] = static_cast<std::uint8_t>(RandomInt(StatusIconCount));
  for (int i = 0; i + 1 < ForecastDays; ++i) forecast[i] = forecast[i + 1];
  record_.weatherYesterday = record_.weather;
  record_.weather = forecast[0];
  ShowForecast();
}

void TMapa::ShowForecast() const {
  if (host_ == nullptr) return;
  for (int cell = 0; cell < ForecastCellsShown; ++cell) {
    // A slot not yet rolled (99), or a stray code from a loaded record, has
    // no icon: its cell keeps what it showed.
    if (record_.forecast[cell] < StatusIconCount) host_->ForecastCell(cell, record_.forecast[cell]);
  }
  for (const auto& line : TodayMarks) host_->ForecastLine(line.x1, line.y1, line.x2, line.y2);
}

void TMapa::FollowWeather() {
  // A code without meaning (from a loaded record) leaves the soil alone.
  if (record_.weather >= StatusIconCount) return;
  const int change = MoistureChange[record_.weather];
  if (change > 0) AddSaturating(record_.moisture, change);
  if (change < 0) SubtractSaturating(record_.moisture, -change);
}

void TMapa::PlayAmbientSounds(bool allowed) const {
  // The draws do not depend on whether anyone listens, so a seed gives the
  // same game with and without a host.
  int wave = -1;
  const std::uint8_t today = record_.weather;
  if (today == wtSunny || today == wtPartlyCloudy) {
    if (RandomInt(4) == 2 && allowed) wave = WaveFirstBird + RandomInt(BirdWaveCount);
  } else if (today == wtHeavyRain) {
    if (RandomInt(3) == 0 && allowed) wave = WaveRain;
  }
  if (wave >= 0 && host_ != nullptr) host_->PlayWave(wave);
}
