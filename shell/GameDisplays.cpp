#include "shell/GameDisplays.h"

#include <QLabel>

#include "map/Mapa.h"
#include "present/DXSound.h"
#include "present/Text.h"
#include "shell/ForecastStrip.h"
#include "shell/defines.h"

void TGameDisplays::SetLabels(QLabel* date, QLabel* funds) {
  date_ = date;
  funds_ = funds;
}

void TGameDisplays::ShowGameState(TMapa* map) {
  if (!map) return;
  ShowFunds(map->Record().funds);
  map->ShowDate();
  // A day not yet rolled shows an empty cell, not what the game before showed.
  forecast_.Clear();
  map->ShowForecast();
  forecast_.Show();
}

void TGameDisplays::ShowFunds(std::int32_t funds) {
  if (funds_) funds_->setText(QString::number(funds));
}

void TGameDisplays::ShowDate(std::string_view text) {
  if (date_) date_->setText(DecodeText(text));
  if (OnDateShown) OnDateShown();
}

void TGameDisplays::ForecastCell(int cell, std::uint8_t weather) { forecast_.Cell(cell, weather); }
void TGameDisplays::ForecastLine(int x1, int y1, int x2, int y2) { forecast_.Line(x1, y1, x2, y2); }

void TGameDisplays::PlayWave(int index) {
  if (!SoundOn || GameSpeed == 1 || GameSpeed == 2) return;
  if (index < 0 || index >= audio_.Items.Count()) return;
  audio_.Items.Items(index).Play(false);
}
