#pragma once
#include <cstdint>
#include <string_view>

// What the map must show or play goes through this interface, so the map
// logic stays free of any window toolkit. The main window implements it;
// tests implement it with a recorder.
class IMapHost {
 public:
  virtual ~IMapHost() = default;
  // The funds display (LabFunds): the value in decimal.
  virtual void ShowFunds(std::int32_t funds) = 0;
  // The date display (LabDate); the text is Windows-1252 bytes.
  virtual void ShowDate(std::string_view text) = 0;
  // Forecast strip: copy the status icon `weather` into cell 0..2 of the
  // strip (left edge at 24 * cell). A code that is not an icon leaves the
  // cell as it was.
  virtual void ForecastCell(int cell, std::uint8_t weather) = 0;
  // Forecast strip: a red line from (x1, y1) towards (x2, y2), the second
  // point itself not painted.
  virtual void ForecastLine(int x1, int y1, int x2, int y2) = 0;
  // Play item `index` of the wave list, without waiting.
  virtual void PlayWave(int index) = 0;
};
