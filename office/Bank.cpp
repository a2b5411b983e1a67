#include "office/Bank.h"

#include <QMouseEvent>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "economy/EcoRules.h"

namespace {
constexpr TExtraText Parts[3] = {TExtraText::LoanLabel, TExtraText::LoanMaxLabel, TExtraText::RateLabel};
}  // namespace

TBankWindow::TBankWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::BankTitle) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 3; ++i) {
    Captions[i] = new QLabel(this);
    Figures[i] = new QLabel(this);
    Figures[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(Captions[i], i, 0);
    grid->addWidget(Figures[i], i, 1);
  }
  BorrowButton = new TOrderButton(this);
  RepayButton = new TOrderButton(this);
  AllHint = new QLabel(this);
  AutoRepay = new QCheckBox(this);
  grid->addWidget(BorrowButton, 3, 0);
  grid->addWidget(RepayButton, 3, 1);
  grid->addWidget(AllHint, 4, 0, 1, 2);
  grid->addWidget(AutoRepay, 5, 0, 1, 2);
  QObject::connect(BorrowButton, &QPushButton::clicked, this, [this] { Order(true, *BorrowButton); });
  QObject::connect(RepayButton, &QPushButton::clicked, this, [this] { Order(false, *RepayButton); });
  QObject::connect(AutoRepay, &QCheckBox::toggled, this, [this](bool on) {
    if (TEconomy* eco = Economy()) eco->SetAutoRepay(on);
  });
}

void TBankWindow::Fill(TMapa& map, TEconomy& eco) {
  const QString figures[3] = {Dollars(eco.Loan()), Dollars(eco.LoanMax(map)),
                              QStringLiteral("%1 %").arg(eco.Rate())};
  for (int i = 0; i < 3; ++i) {
    Captions[i]->setText(Text(Parts[i]));
    Figures[i]->setText(figures[i]);
  }
  BorrowButton->setText(Text(TExtraText::BorrowButton).arg(Money(LoanStep)));
  RepayButton->setText(Text(TExtraText::RepayButton).arg(Money(LoanStep)));
  AllHint->setText(Text(TExtraText::AllHint));
  AutoRepay->setText(Text(TExtraText::AutoRepayBox));
  const QSignalBlocker quiet(AutoRepay);
  AutoRepay->setChecked(eco.AutoRepay());
}

void TOrderButton::mouseReleaseEvent(QMouseEvent* event) {
  modifiers_ = event->modifiers();
  QPushButton::mouseReleaseEvent(event);  // clicked() is sent from here
  modifiers_ = {};
}

void TBankWindow::Order(bool borrow, const TOrderButton& button) {
  TMapa* map = Map();
  TEconomy* eco = Economy();
  if (map == nullptr || eco == nullptr) return;
  const bool all = button.ClickModifiers().testFlag(Qt::ControlModifier);
  const std::int64_t amount = BankAmount(*map, *eco, borrow, all);
  Report(borrow ? eco->Borrow(*map, amount) : eco->Repay(*map, amount));
}

std::int64_t BankAmount(const TMapa& map, const TEconomy& eco, bool borrow, bool all) {
  if (!all) return LoanStep;
  if (borrow) return std::max<std::int64_t>(eco.LoanMax(map) - eco.Loan(), 0) / LoanStep * LoanStep;
  // The whole loan, or as much of it as the money pays.
  return std::min<std::int64_t>(eco.Loan(), std::max<std::int32_t>(map.Record().funds, 0));
}
