#pragma once
// A picture button with a hover hint, as the toolbar and the palette use it.
// The hint is kept as the game's Windows-1252 bytes (the language loader
// writes it and the palette copies it to the status bar) and shown as the
// button's tooltip.
#include <QToolButton>
#include <string>
#include <string_view>

class TSpeedButton : public QToolButton {
 public:
  explicit TSpeedButton(QWidget* parent = nullptr);

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);

 private:
  std::string hint_;
};
