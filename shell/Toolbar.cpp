// The toolbar panel: the eight toolbar buttons, the forecast box and the date
// and funds displays with their captions, above the document area.
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QVBoxLayout>
#include <array>

#include "present/Text.h"
#include "shell/Principal.h"
#include "view/SpeedButton.h"

namespace {
constexpr int ToolbarHeight = 40;

// The eight toolbar buttons, left to right, with their glyphs.
struct TToolbarButton {
  TSpeedButton* TForm1::*button;
  const char* glyph;
};
constexpr std::array<TToolbarButton, 8> ToolbarEntries = {{
    {&TForm1::BotBuy, "BotBuy"},
    {&TForm1::BotSell, "BotSell"},
    {&TForm1::BotEval, "BotEval"},
    {&TForm1::BotMapa, "BotMapa"},
    {&TForm1::BotTempo, "BotTempo"},
    {&TForm1::BotBalanco, "BotBalanco"},
    {&TForm1::BotBanco, "BotBanco"},
    {&TForm1::BotMercado, "BotMercado"},
}};
static_assert(ToolbarEntries.size() == std::tuple_size_v<decltype(TLanguageTargets::toolbar)>);

QLabel* Label(QWidget* parent, const char* text, const QRect& geometry, Qt::Alignment alignment) {
  auto* label = new QLabel(DecodeText(text), parent);
  label->setGeometry(geometry);
  label->setAlignment(alignment);
  return label;
}

QLabel* ValueDisplay(QWidget* parent, const QRect& geometry) {
  QLabel* label = Label(parent, "", geometry, Qt::AlignCenter);
  label->setFrameStyle(QFrame::Panel | QFrame::Raised);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  return label;
}
}  // namespace

void TForm1::BuildToolbar() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  Panel1 = new QFrame(central);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Panel1->setLineWidth(1);
  Panel1->setFixedHeight(ToolbarHeight);
  layout->addWidget(Panel1);

  int left = 8;
  for (const TToolbarButton& entry : ToolbarEntries) {
    auto* button = new TSpeedButton(Panel1);
    this->*entry.button = button;
    button->setGeometry(left, 3, 32, 32);
    button->setCheckable(true);
    button->setIcon(QIcon(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(entry.glyph))));
    button->setIconSize(QSize(28, 28));
    left += 33;
  }
  connect(BotMapa, &QToolButton::clicked, this, [this] { BotMapaClick(); });

  Panel2 = new QFrame(Panel1);
  Panel2->setGeometry(280, 4, 75, 30);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Dias = new QLabel(Panel2);
  Dias->setGeometry(1, 1, TForecastStrip::Width, TForecastStrip::Height);
  Forecast.SetControl(Dias);

  LabData = Label(Panel1, "Data", QRect(360, 4, 54, 13), Qt::AlignRight | Qt::AlignVCenter);
  LabFund = Label(Panel1, "Dinheiro", QRect(360, 20, 54, 13), Qt::AlignRight | Qt::AlignVCenter);
  LabDate = ValueDisplay(Panel1, QRect(419, 2, 208, 16));
  LabFunds = ValueDisplay(Panel1, QRect(419, 19, 208, 16));

  MdiArea = new QMdiArea(central);
  MdiArea->setBackground(QColor(128, 128, 128));
  layout->addWidget(MdiArea, 1);
  setCentralWidget(central);
}

decltype(TLanguageTargets::toolbar) TForm1::ToolbarButtons() const {
  decltype(TLanguageTargets::toolbar) buttons{};
  for (std::size_t i = 0; i < ToolbarEntries.size(); ++i) buttons[i] = this->*ToolbarEntries[i].button;
  return buttons;
}
