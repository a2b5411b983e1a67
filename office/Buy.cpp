#include "office/Buy.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "economy/EcoRules.h"
#include "economy/Pastures.h"
#include "office/PastureTable.h"

TBuyWindow::TBuyWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::BuyTitle) {
  auto* grid = new QGridLayout(this);
  Pastures = new TPastureTable(this);
  grid->addWidget(Pastures, 0, 0, 1, 4);
  CalvesCaption = new QLabel(this);
  Calves = new QSpinBox(this);
  Calves->setRange(1, static_cast<int>(MaxHerdHead));
  Calves->setValue(10);
  PriceCaption = new QLabel(this);
  Price = new QLabel(this);
  TotalCaption = new QLabel(this);
  Total = new QLabel(this);
  BuyButton = new QPushButton(this);
  grid->addWidget(CalvesCaption, 1, 0);
  grid->addWidget(Calves, 1, 1);
  grid->addWidget(PriceCaption, 1, 2);
  grid->addWidget(Price, 1, 3);
  grid->addWidget(TotalCaption, 2, 2);
  grid->addWidget(Total, 2, 3);
  grid->addWidget(BuyButton, 2, 0, 1, 2);
  setMinimumSize(460, 240);
  QObject::connect(Calves, &QSpinBox::valueChanged, this, [this] { ShowTotal(); });
  QObject::connect(BuyButton, &QPushButton::clicked, this, [this] { BuyClick(); });
}

void TBuyWindow::Fill(TMapa&, TEconomy& eco) {
  const QString yes = Text(TExtraText::YesText), no = Text(TExtraText::NoText);
  Pastures->Fill(eco.Pastures(),
                 {{Text(TExtraText::PastureColumn), [](const TPasture& p) { return PastureName(p.id); }},
                  {Text(TExtraText::TilesColumn), [](const TPasture& p) { return QString::number(p.tiles); }},
                  {Text(TExtraText::WaterColumn), [=](const TPasture& p) { return p.water ? yes : no; }},
                  {Text(TExtraText::RoadColumn),
                   [=](const TPasture& p) { return p.road != TRoadAccess::None ? yes : no; }},
                  {Text(TExtraText::ForageDaysColumn),
                   [](const TPasture& p) {
                     const auto days = ForageDays(p);
                     return days ? QString::number(*days) : QStringLiteral("-");
                   }},
                  {Text(TExtraText::HeadColumn), [](const TPasture& p) { return QString::number(p.herd.head); }}});
  CalvesCaption->setText(Text(TExtraText::CalvesLabel));
  PriceCaption->setText(Text(TExtraText::CalfPriceLabel));
  TotalCaption->setText(Text(TExtraText::TotalLabel));
  BuyButton->setText(Text(TExtraText::BuyButton));
  Price->setText(DollarHundredths(eco.CalfPrice()));
  ShowTotal();
}

// What the calves cost as the economy charges it: their arrobas at the calf
// price, rounded down.
void TBuyWindow::ShowTotal() {
  const TEconomy* eco = Economy();
  if (eco == nullptr) return;
  const std::int64_t cost = std::int64_t{Calves->value()} * CalfWeight * eco->CalfPrice() / (GramsPerArroba * 100);
  Total->setText(Dollars(cost));
}

void TBuyWindow::BuyClick() {
  TMapa* map = Map();
  TEconomy* eco = Economy();
  if (map == nullptr || eco == nullptr) return;
  const std::optional<std::uint16_t> id = Pastures->Selected();
  const TEcoResult result =
      id ? eco->Buy(*map, TileX(*id), TileY(*id), Calves->value()) : TEcoResult::NoPasture;
  Report(result);
}
