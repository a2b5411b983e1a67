#include "shell/Toolbar.h"

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

void BuildToolbar(TForm1& form) {
  auto* central = new QWidget(&form);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  form.Panel1 = new QFrame(central);
  form.Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  form.Panel1->setLineWidth(1);
  form.Panel1->setFixedHeight(ToolbarHeight);
  layout->addWidget(form.Panel1);

  int left = 8;
  for (const TToolbarButton& entry : ToolbarEntries) {
    auto* button = new TSpeedButton(form.Panel1);
    form.*entry.button = button;
    button->setGeometry(left, 3, 32, 32);
    button->setCheckable(true);
    button->setIcon(QIcon(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(entry.glyph))));
    button->setIconSize(QSize(28, 28));
    left += 33;
  }
  QObject::connect(form.BotMapa, &QToolButton::clicked, &form, [&form] { form.BotMapaClick(); });

  form.Panel2 = new QFrame(form.Panel1);
  form.Panel2->setGeometry(280, 4, 75, 30);
  form.Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  form.Dias = new QLabel(form.Panel2);
  form.Dias->setGeometry(1, 1, TForecastStrip::Width, TForecastStrip::Height);
  form.Forecast.SetControl(form.Dias);

  form.LabData = Label(form.Panel1, "Data", QRect(360, 4, 54, 13), Qt::AlignRight | Qt::AlignVCenter);
  form.LabFund = Label(form.Panel1, "Dinheiro", QRect(360, 20, 54, 13), Qt::AlignRight | Qt::AlignVCenter);
  form.LabDate = ValueDisplay(form.Panel1, QRect(419, 2, 208, 16));
  form.LabFunds = ValueDisplay(form.Panel1, QRect(419, 19, 208, 16));

  form.MdiArea = new QMdiArea(central);
  form.MdiArea->setBackground(QColor(128, 128, 128));
  layout->addWidget(form.MdiArea, 1);
  form.setCentralWidget(central);
}

decltype(TLanguageTargets::toolbar) ToolbarButtons(const TForm1& form) {
  decltype(TLanguageTargets::toolbar) buttons{};
  for (std::size_t i = 0; i < ToolbarEntries.size(); ++i) buttons[i] = form.*ToolbarEntries[i].button;
  return buttons;
}
