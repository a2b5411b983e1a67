#pragma once
// BotSell's window: the herds (pasture, head, mean weight), head to sell from
// the one chosen, the price, the transport shrink and the total; Sell.
#include "office/OfficeWindow.h"

class QLabel;
class QPushButton;
class QSpinBox;
class TPastureTable;

class TSellWindow : public TOfficeWindow {
 public:
  explicit TSellWindow(const TOfficeContext& context);

  TPastureTable* Herds;
  QSpinBox* Head;
  QLabel* HeadCaption;
  QLabel* PriceCaption;
  QLabel* Price;
  QLabel* ShrinkCaption;
  QLabel* Shrink;
  QLabel* TotalCaption;
  QLabel* Total;
  QPushButton* SellButton;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;

 private:
  const TPasture* Chosen() const;
  void ShowTotal();
  void SellClick();
};
