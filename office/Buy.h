#pragma once
// BotBuy's window: the pastures with what a herd needs (tiles, water, road,
// days of grass, head), calves to buy for the one chosen, their price and
// total, and the Buy button.
#include "office/OfficeWindow.h"

class QLabel;
class QPushButton;
class QSpinBox;
class TPastureTable;

class TBuyWindow : public TOfficeWindow {
 public:
  explicit TBuyWindow(const TOfficeContext& context);

  TPastureTable* Pastures;
  QSpinBox* Calves;
  QLabel* CalvesCaption;
  QLabel* PriceCaption;
  QLabel* Price;
  QLabel* TotalCaption;
  QLabel* Total;
  QPushButton* BuyButton;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;

 private:
  void ShowTotal();
  void BuyClick();
};
