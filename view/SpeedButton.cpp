#include "view/SpeedButton.h"

#include "present/Text.h"

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(false);
  setFocusPolicy(Qt::NoFocus);
}

void TSpeedButton::SetHint(std::string_view hint) {
  hint_.assign(hint);
  setToolTip(DecodeText(hint_));
}
