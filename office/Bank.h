#pragma once
// BotBanco's window: the loan, the most the bank lends and its yearly rate;
// borrowing and repaying in steps of 5,000 (with Ctrl held: as much as the
// bank allows, or the whole loan); repayment from every sale.
#include "office/OfficeWindow.h"

#include <QPushButton>

class QCheckBox;
class QLabel;

// A push button that knows the keys held by the mouse click that pressed
// it; a click from the keyboard or the program holds none.
class TOrderButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  Qt::KeyboardModifiers ClickModifiers() const { return modifiers_; }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Qt::KeyboardModifiers modifiers_;
};

class TBankWindow : public TOfficeWindow {
 public:
  explicit TBankWindow(const TOfficeContext& context);

  // Captions and figures: loan, maximum, rate.
  QLabel* Captions[3];
  QLabel* Figures[3];
  TOrderButton* BorrowButton;
  TOrderButton* RepayButton;
  QLabel* AllHint;
  QCheckBox* AutoRepay;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;

 private:
  void Order(bool borrow, const TOrderButton& button);
};

// What a click on Borrow or Repay asks the bank for: a step, or with `all`
// the most the bank lends in whole steps, or the whole loan.
std::int64_t BankAmount(const TMapa& map, const TEconomy& eco, bool borrow, bool all);
