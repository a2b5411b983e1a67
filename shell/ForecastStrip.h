#pragma once
// The forecast box of the toolbar: three weather icons side by side on a
// 72 x 27 canvas, drawn by the map's forecast step through the main window,
// with the red mark the step draws over a stormy day.
#include <QImage>
#include <cstdint>

class QLabel;
class TDXImageList;

class TForecastStrip {
 public:
  static constexpr int Width = 72;
  static constexpr int Height = 27;
  static constexpr int Cells = 3;

  // `canvas` is the picture the image control `dias` shows; `icons` holds the
  // weather icons as item 0.
  TForecastStrip(QImage& canvas, TDXImageList& icons) : canvas_(canvas), icons_(icons) {}

  // The control, once the toolbar exists; it shows the canvas at once.
  void SetControl(QLabel* dias);

  // Copies weather icon `weather` into cell 0..2.
  void Cell(int cell, std::uint8_t weather);
  // A red pen line from (x1, y1) to (x2, y2), the end point left out.
  void Line(int x1, int y1, int x2, int y2);
  // Empties every cell, so that a day not yet rolled shows nothing of a game before.
  void Clear();
  // Puts the canvas on the control.
  void Show();

 private:
  QImage& canvas_;
  TDXImageList& icons_;
  QLabel* dias_ = nullptr;
};
