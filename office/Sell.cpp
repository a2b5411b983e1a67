#include "office/Sell.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "economy/EcoRules.h"
#include "economy/Pastures.h"
#include "office/PastureTable.h"

TSellWindow::TSellWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::SellTitle) {
  auto* grid = new QGridLayout(this);
  Herds = new TPastureTable(this);
  grid->addWidget(Herds, 0, 0, 1, 4);
  HeadCaption = new QLabel(this);
  Head = new QSpinBox(this);
  Head->setRange(1, static_cast<int>(MaxHerdHead));
  PriceCaption = new QLabel(this);
  Price = new QLabel(this);
  ShrinkCaption = new QLabel(this);
  Shrink = new QLabel(this);
  TotalCaption = new QLabel(this);
  Total = new QLabel(this);
  SellButton = new QPushButton(this);
  grid->addWidget(HeadCaption, 1, 0);
  grid->addWidget(Head, 1, 1);
  grid->addWidget(PriceCaption, 1, 2);
  grid->addWidget(Price, 1, 3);
  grid->addWidget(ShrinkCaption, 2, 2);
  grid->addWidget(Shrink, 2, 3);
  grid->addWidget(TotalCaption, 3, 2);
  grid->addWidget(Total, 3, 3);
  grid->addWidget(SellButton, 3, 0, 1, 2);
  setMinimumSize(380, 260);
  QObject::connect(Head, &QSpinBox::valueChanged, this, [this] { ShowTotal(); });
  QObject::connect(Herds, &QTableWidget::itemSelectionChanged, this, [this] { ShowTotal(); });
  QObject::connect(SellButton, &QPushButton::clicked, this, [this] { SellClick(); });
}

void TSellWindow::Fill(TMapa&, TEconomy& eco) {
  std::vector<TPasture> herds;
  std::copy_if(eco.Pastures().begin(), eco.Pastures().end(), std::back_inserter(herds),
               [](const TPasture& p) { return p.herd.head > 0; });
  Herds->Fill(herds, {{Text(TExtraText::PastureColumn), [](const TPasture& p) { return PastureName(p.id); }},
                      {Text(TExtraText::HeadColumn), [](const TPasture& p) { return QString::number(p.herd.head); }},
                      {Text(TExtraText::WeightColumn), [this](const TPasture& p) {
                         return Decimal(p.herd.weight / 1000.0, 1);
                       }}});
  HeadCaption->setText(Text(TExtraText::HeadToSellLabel));
  PriceCaption->setText(Text(TExtraText::PriceLabel));
  ShrinkCaption->setText(Text(TExtraText::ShrinkLabel));
  TotalCaption->setText(Text(TExtraText::TotalLabel));
  SellButton->setText(Text(TExtraText::SellButton));
  Price->setText(DollarHundredths(eco.Price()));
  ShowTotal();
}

const TPasture* TSellWindow::Chosen() const {
  const TEconomy* eco = Economy();
  const std::optional<std::uint16_t> id = Herds->Selected();
  if (eco == nullptr || !id) return nullptr;
  for (const TPasture& p : eco->Pastures())
    if (p.id == *id) return &p;
  return nullptr;
}

// The sale as the economy pays it: arrobas at the price, less the shrink.
void TSellWindow::ShowTotal() {
  const TEconomy* eco = Economy();
  const TPasture* pasture = Chosen();
  if (eco == nullptr || pasture == nullptr) {
    Shrink->clear();
    Total->clear();
    return;
  }
  const int shrink = TransportShrink[static_cast<std::size_t>(pasture->road)];
  Shrink->setText(QStringLiteral("%1 %").arg(Decimal(shrink / 10.0, 1)));
  const std::int64_t gross =
      std::int64_t{Head->value()} * pasture->herd.weight * eco->Price() / (GramsPerArroba * 100);
  Total->setText(Dollars(gross * (1000 - shrink) / 1000));
}

void TSellWindow::SellClick() {
  TMapa* map = Map();
  TEconomy* eco = Economy();
  if (map == nullptr || eco == nullptr) return;
  const std::optional<std::uint16_t> id = Herds->Selected();
  Report(id ? eco->Sell(*map, TileX(*id), TileY(*id), Head->value()) : TEcoResult::NoPasture);
}
