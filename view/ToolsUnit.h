#pragma once
// The tool palette: a small floating window of speed buttons that picks the
// map view's tool and the zoom.
#include <QWidget>

#include "map/Tools.h"
#include "view/SpeedButton.h"

class QLabel;
class TForm2;

class TTools : public QWidget {
 public:
  // `mapView` receives the tool; `statusText` (panel 0 of the main window's
  // status bar) shows the hint of the tool button that is down.
  TTools(TForm2* mapView, QLabel* statusText, QWidget* parent = nullptr);

  TForm2* MapView;
  QLabel* StatusText;

  TSpeedButton* BotAproxima = nullptr;
  TSpeedButton* BotReduz = nullptr;
  TSpeedButton* BotMover = nullptr;
  TSpeedButton* BotVer = nullptr;
  TSpeedButton* BotPavimento = nullptr;
  TSpeedButton* BotTerra = nullptr;
  TSpeedButton* BotCerca = nullptr;
  TSpeedButton* BotPorteira = nullptr;
  TSpeedButton* BotDuto = nullptr;
  TSpeedButton* BotDutoS = nullptr;
  TSpeedButton* BotComida = nullptr;
  TSpeedButton* BotAgua = nullptr;
  TSpeedButton* BotArvores = nullptr;
  TSpeedButton* BotBulldoze = nullptr;
  TSpeedButton* BotPlant = nullptr;
  TSpeedButton* BotSpray = nullptr;

  void BotAproximaClick();
  void BotReduzClick();
  void BotMoverClick();
  void BotVerClick();
  void BotPavimentoClick();
  void BotTerraClick();
  void BotCercaClick();
  void BotPorteiraClick();
  void BotDutoClick();
  void BotDutoSClick();
  void BotComidaClick();
  void BotAguaClick();
  void BotArvoresClick();
  void BotBulldozeClick();
  void BotPlantClick();
  void BotSprayClick();

  // Planting and spraying join the tool group while the living ranch runs;
  // going out of it, a button of theirs that is down comes up.
  void SetEconomyTools(bool on);

  // The tool button that is down, if any.
  const TSpeedButton* PickedTool() const;
  // Raises the tool button that is down, as clicking it again would: no
  // tool, and an empty status text. Nothing happens when none is down.
  void RaiseTool();

 private:
  void ToolClick(TSpeedButton* button, TToolKind code);
  bool InGroup(const TSpeedButton* button, bool tool) const;

  bool economyTools_ = false;
};
