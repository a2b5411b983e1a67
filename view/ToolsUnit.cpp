#include "view/ToolsUnit.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <array>
#include <utility>

#include "present/Text.h"
#include "shell/defines.h"
#include "view/VerMapa.h"
#include "view/ZoomScroll.h"

namespace {
constexpr int ButtonSize = 32;
constexpr int GlyphSize = 24;
constexpr int DesignClientWidth = 104;
constexpr int DesignClientHeight = 276;

// The sixteen buttons, row by row as they stand in the palette.
struct TButtonPlace {
  TSpeedButton* TTools::*button;
  void (TTools::*click)();  // null: hint only
  const char* glyph;        // null: no picture
  int left;
  int top;
  bool tool;                // member of the tool group
};
constexpr std::array<TButtonPlace, 16> ButtonPlaces = {{
    {&TTools::BotAproxima, &TTools::BotAproximaClick, "BotAproxima", 4, 4, false},
    {&TTools::BotReduz, &TTools::BotReduzClick, "BotReduz", 38, 4, false},
    {&TTools::BotMover, &TTools::BotMoverClick, "BotMover", 4, 38, true},
    {&TTools::BotVer, &TTools::BotVerClick, "BotVer", 38, 38, true},
    {&TTools::BotPavimento, &TTools::BotPavimentoClick, "BotPavimento", 4, 72, true},
    {&TTools::BotTerra, &TTools::BotTerraClick, "BotTerra", 38, 72, true},
    {&TTools::BotCerca, &TTools::BotCercaClick, "BotCerca", 4, 106, true},
    {&TTools::BotPorteira, &TTools::BotPorteiraClick, "BotPorteira", 38, 106, true},
    {&TTools::BotDuto, &TTools::BotDutoClick, "BotDuto", 4, 140, true},
    {&TTools::BotDutoS, &TTools::BotDutoSClick, "BotDutoS", 38, 140, true},
    {&TTools::BotComida, &TTools::BotComidaClick, nullptr, 4, 174, true},
    {&TTools::BotAgua, &TTools::BotAguaClick, nullptr, 38, 174, true},
    {&TTools::BotArvores, &TTools::BotArvoresClick, "BotArvores", 4, 208, true},
    {&TTools::BotBulldoze, &TTools::BotBulldozeClick, "BotBulldoze", 38, 208, true},
    {&TTools::BotPlant, &TTools::BotPlantClick, nullptr, 4, 242, false},
    {&TTools::BotSpray, &TTools::BotSprayClick, nullptr, 38, 242, false},
}};
}  // namespace

TTools::TTools(TForm2* mapView, QLabel* statusText, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      MapView(mapView),
      StatusText(statusText) {
  setWindowTitle(QStringLiteral("Ferramentas"));
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(11);
  setFont(font);
  resize(DesignClientWidth, DesignClientHeight);

  for (const TButtonPlace& place : ButtonPlaces) {
    auto* button = new TSpeedButton(this);
    this->*place.button = button;
    button->setGeometry(place.left, place.top, ButtonSize, ButtonSize);
    if (place.glyph) {
      button->setIcon(QIcon(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(place.glyph))));
      button->setIconSize(QSize(GlyphSize, GlyphSize));
    }
    button->setCheckable(place.tool);
    if (place.click) QObject::connect(button, &QToolButton::clicked, this, place.click);
  }
}

void TTools::BotAproximaClick() { StepZoom(1); }
void TTools::BotReduzClick() { StepZoom(-1); }

void TTools::BotMoverClick() { ToolClick(BotMover, tlMover); }
void TTools::BotVerClick() { ToolClick(BotVer, tlVer); }
void TTools::BotPavimentoClick() { ToolClick(BotPavimento, tlPavimento); }
void TTools::BotTerraClick() { ToolClick(BotTerra, tlTerra); }
void TTools::BotCercaClick() { ToolClick(BotCerca, tlCerca); }
void TTools::BotPorteiraClick() { ToolClick(BotPorteira, tlPorteira); }
void TTools::BotDutoClick() { ToolClick(BotDuto, tlDuto); }
void TTools::BotDutoSClick() { ToolClick(BotDutoS, tlDutoS); }
void TTools::BotComidaClick() { ToolClick(BotComida, tlComida); }
void TTools::BotAguaClick() { ToolClick(BotAgua, tlAgua); }
void TTools::BotArvoresClick() { ToolClick(BotArvores, tlArvores); }
void TTools::BotBulldozeClick() { ToolClick(BotBulldoze, tlBulldoze); }
// Without the living ranch the two buttons cannot go down: a click does nothing.
void TTools::BotPlantClick() {
  if (economyTools_) ToolClick(BotPlant, tlPlant);
}
void TTools::BotSprayClick() {
  if (economyTools_) ToolClick(BotSpray, tlSpray);
}

void TTools::SetEconomyTools(bool on) {
  for (TSpeedButton* button : {BotPlant, BotSpray}) {
    if (!on && button->isChecked()) {
      button->setChecked(false);
      if (MapView) MapView->CurrentTool = tlNone;
      if (StatusText) StatusText->setText(QString());
    }
    button->setCheckable(on);
  }
  // The four buttons wear their pictures only while the ranch lives; the
  // game without it shows them bare, as it always did.
  const std::array<std::pair<TSpeedButton*, const char*>, 4> pictured = {
      {{BotComida, "BotComida"}, {BotAgua, "BotAgua"}, {BotPlant, "BotPlant"}, {BotSpray, "BotSpray"}}};
  for (const auto& [button, glyph] : pictured) {
    button->setIcon(on ? QIcon(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(glyph))) : QIcon());
    if (on) button->setIconSize(QSize(GlyphSize, GlyphSize));
  }
  economyTools_ = on;
}

bool TTools::InGroup(const TSpeedButton* button, bool tool) const {
  return tool || (economyTools_ && (button == BotPlant || button == BotSpray));
}

const TSpeedButton* TTools::PickedTool() const {
  for (const TButtonPlace& place : ButtonPlaces) {
    const TSpeedButton* button = this->*place.button;
    if (InGroup(button, place.tool) && button->isChecked()) return button;
  }
  return nullptr;
}

void TTools::RaiseTool() {
  for (const TButtonPlace& place : ButtonPlaces) {
    TSpeedButton* button = this->*place.button;
    if (!InGroup(button, place.tool) || !button->isChecked()) continue;
    button->setChecked(false);
    (this->*place.click)();
    return;
  }
}

// One group with all-up allowed: the click has already flipped the button;
// a button that went down raises whichever other one was down.
void TTools::ToolClick(TSpeedButton* button, TToolKind code) {
  if (MapView) MapView->CurrentTool = tlNone;
  if (!button->isChecked()) {
    if (StatusText) StatusText->setText(QString());
    return;
  }
  for (const TButtonPlace& place : ButtonPlaces) {
    TSpeedButton* other = this->*place.button;
    if (InGroup(other, place.tool) && other != button) other->setChecked(false);
  }
  if (MapView) MapView->CurrentTool = code;
  if (StatusText) StatusText->setText(DecodeText(button->Hint()));
}
