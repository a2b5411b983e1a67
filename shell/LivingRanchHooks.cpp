// "Fazenda viva" in the main window: the option's check mark, the seven
// toolbar buttons and their windows, the game's days and the player's
// building reaching the economy, the companion file with every load and
// save, and the economy's news in the status bar.
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <array>

#include "economy/Pastures.h"
#include "office/Desk.h"
#include "office/PastureTable.h"
#include "present/Text.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {
// The toolbar's buttons of the office, in TOfficeKind's order.
constexpr std::array<TSpeedButton* TForm1::*, OfficeKinds> OfficeButtons = {
    &TForm1::BotBuy, &TForm1::BotSell, &TForm1::BotEval, &TForm1::BotTempo,
    &TForm1::BotBalanco, &TForm1::BotBanco, &TForm1::BotMercado,
};

// What a refused order says, indexed by TEcoResult (Done says nothing).
constexpr std::array<TExtraText, 12> Refusals = {
    TExtraText::ExtrasMenu,           TExtraText::NoPastureRefusal,    TExtraText::NoGateRefusal,
    TExtraText::NoWaterRefusal,       TExtraText::FundsBelowZeroRefusal, TExtraText::NotEnoughFundsRefusal,
    TExtraText::NotEnoughHeadRefusal, TExtraText::HerdFullRefusal,     TExtraText::BadAmountRefusal,
    TExtraText::PastMaximumRefusal,   TExtraText::MoreThanLoanRefusal, TExtraText::GameOverRefusal,
};
static_assert(static_cast<std::size_t>(TEcoResult::GameOver) + 1 == Refusals.size());

QString Amount(std::int64_t amount) { return QString::number(amount); }

QString Format(const TForm1& form, TExtraText text, std::initializer_list<QString> values) {
  std::vector<std::string> encoded;
  for (const QString& value : values) encoded.push_back(EncodeText(value));
  std::vector<std::string_view> views(encoded.begin(), encoded.end());
  const TExtraTexts& texts = form.Language.Extras();
  switch (views.size()) {
    case 1: return DecodeText(texts.FormatAll(text, {views[0]}));
    case 2: return DecodeText(texts.FormatAll(text, {views[0], views[1]}));
    case 3: return DecodeText(texts.FormatAll(text, {views[0], views[1], views[2]}));
    default: return DecodeText(texts.Text(text));
  }
}

// The news as the status bar writes it; a won or lost game also in a box.
void ShowNews(TForm1& form, const TNews& news) {
  TEconomy* eco = form.Living.Economy();
  QString text;
  switch (news.kind) {
    case TNewsKind::DryPasture: text = Format(form, TExtraText::DryPastureNews, {PastureName(news.pasture)}); break;
    case TNewsKind::HeadLost:
      text = Format(form, TExtraText::HeadLostNews, {PastureName(news.pasture), Amount(news.amount)});
      break;
    case TNewsKind::FundsBelowZero: text = Format(form, TExtraText::FundsBelowZeroNews, {Amount(news.amount)}); break;
    case TNewsKind::BankruptcyWarning: text = Format(form, TExtraText::BankruptcyWarningNews, {}); break;
    case TNewsKind::BankruptcyForcedSale:
      text = Format(form, TExtraText::BankruptcyForcedSaleNews, {Amount(news.amount)});
      break;
    case TNewsKind::ForcedSale:
      text = Format(form, TExtraText::ForcedSaleNews, {PastureName(news.pasture), Amount(news.amount)});
      break;
    case TNewsKind::MonthSummary: {
      if (eco == nullptr || eco->Months().empty()) return;
      const TBooks& closed = eco->Months().back();
      const std::int64_t costs = closed.purchases + closed.upkeep + closed.interest + closed.building;
      text = Format(form, TExtraText::MonthSummaryNews, {Amount(closed.sales), Amount(costs), Amount(closed.closing)});
      break;
    }
    case TNewsKind::GoalMet:
    case TNewsKind::Lost:
      text = Format(form, news.kind == TNewsKind::GoalMet ? TExtraText::GoalMetMessage : TExtraText::LostMessage,
                    {Amount(news.amount)});
      form.Status.ShowText(text);
      QMessageBox::information(&form, QCoreApplication::applicationName(), text);
      return;
  }
  form.Status.ShowText(text);
}

void DrainNews(TForm1& form) {
  while (const std::optional<TNews> news = form.Living.PopNews()) ShowNews(form, *news);
}

// After an order or a change of the whole game: the money display and the
// open windows follow.
void Follow(TForm1& form) {
  form.ShowGameState();
  form.Office->Refresh();
}

void ReportOrder(TForm1& form, TEcoResult result) {
  if (result != TEcoResult::Done) {
    form.Status.ShowText(form.ExtraText(Refusals[static_cast<std::size_t>(result)]));
    if (form.RefusalSound) form.RefusalSound();
  } else {
    form.Ranch.MarkTraded();
  }
  Follow(form);
  DrainNews(form);
}

// The economy's four palette tools and the eye tool, for the map view.
class TLivingTools : public IToolOwner {
 public:
  explicit TLivingTools(TForm1& form) : form_(form) {}

  bool Owns(TToolKind tool) const override {
    return form_.Living.Economy() != nullptr && TEconomy::IsEconomyTool(tool);
  }
  // Spraying a pasture still protected by its last spraying would waste the
  // money: red, unless this very drag sprayed it (and goes on free).
  TToolVerdict Verdict(TToolKind tool, int x, int y) const override {
    const TEconomy& eco = *form_.Living.Economy();
    const TToolVerdict verdict = eco.ToolVerdict(*form_.RanchMap, tool, x, y);
    if (tool != tlSpray || verdict != tvAllowed) return verdict;
    const std::uint8_t index = eco.PastureAt(x, y);
    const bool protectedNow = index < eco.Pastures().size() && eco.Pastures()[index].protection > 0;
    return protectedNow && eco.ToolPrice(tool, x, y) > 0 ? tvRefused : tvAllowed;
  }
  bool Act(TToolKind tool, int x, int y, bool newStroke) override {
    TEconomy& eco = *form_.Living.Economy();
    if (newStroke) eco.StartDrag();
    if (Verdict(tool, x, y) != tvAllowed) return false;
    // The economy books its own tools; the stroke keeps what undo needs.
    TMapa& map = *form_.RanchMap;
    const std::uint32_t key = eco.ToolStateKey(tool, x, y);
    const std::uint32_t before = eco.ToolState(key);
    const std::int64_t fundsBefore = map.Record().funds;
    if (!eco.ToolAction(map, tool, x, y)) return false;
    form_.Strokes.RecordSide({key, before, eco.ToolState(key)}, fundsBefore - map.Record().funds);
    Follow(form_);
    return true;
  }
  void Inspect(int x, int y) override;

 private:
  TForm1& form_;
};

constexpr std::array<TExtraText, tkHouse + 1> KindTexts = {
    TExtraText::BareGroundText, TExtraText::DirtRoadText, TExtraText::PavementText, TExtraText::SceneryText,
    TExtraText::TreesText,      TExtraText::FenceText,    TExtraText::GateText,     TExtraText::DuctText,
    TExtraText::DuctFittingText, TExtraText::WaterText,   TExtraText::BridgeText,   TExtraText::CrossingText,
    TExtraText::HouseText,
};

// What the tile is and, inside a pasture, what the pasture holds.
void TLivingTools::Inspect(int x, int y) {
  const TEconomy* eco = form_.Living.Economy();
  if (eco == nullptr || !form_.RanchMap) return;
  const std::uint8_t kind = form_.RanchMap->Tile(x, y).kind;
  QString what = kind < KindTexts.size() ? form_.ExtraText(KindTexts[kind]) : QStringLiteral("?");
  const std::uint8_t layer = eco->LayerAt(x, y);
  if (layer & lyWaterTrough) what = form_.ExtraText(TExtraText::WaterTroughText);
  if (layer & lyFeedTrough) what = form_.ExtraText(TExtraText::FeedTroughText);
  if (layer & lyPlanted) what = form_.ExtraText(TExtraText::PlantedText);
  const std::uint8_t index = eco->PastureAt(x, y);
  if (index == NoPasture || index >= eco->Pastures().size()) {
    form_.Status.ShowText(what);
    return;
  }
  const TPasture& p = eco->Pastures()[index];
  const QString yes = form_.ExtraText(TExtraText::YesText), no = form_.ExtraText(TExtraText::NoText);
  const std::optional<std::int64_t> days = ForageDays(p);
  const QString values[9] = {what,
                             PastureName(p.id),
                             QString::number(p.tiles),
                             p.water ? yes : no,
                             p.road != TRoadAccess::None ? yes : no,
                             QString::number(p.herd.head),
                             QString::number(p.herd.weight / 1000),
                             days ? QString::number(*days) : QStringLiteral("-"),
                             QString::number(p.pests / 10)};
  std::string encoded[9];
  for (int i = 0; i < 9; ++i) encoded[i] = EncodeText(values[i]);
  form_.Status.ShowText(DecodeText(form_.Language.Extras().FormatAll(
      TExtraText::InspectPasture, {encoded[0], encoded[1], encoded[2], encoded[3], encoded[4], encoded[5],
                                   encoded[6], encoded[7], encoded[8]})));
}

void PutAllButtonsUp(TForm1& form) {
  for (TSpeedButton* TForm1::*button : OfficeButtons) (form.*button)->setChecked(false);
}
}  // namespace

void TForm1::ConnectLivingRanch() {
  TForm1& form = *this;
  TOfficeContext context;
  context.map = [&form] { return form.RanchMap.get(); };
  context.economy = [&form] { return form.Living.Economy(); };
  context.text = [&form](TExtraText text) { return form.ExtraText(text); };
  context.report = [&form](TEcoResult result) { ReportOrder(form, result); };
  form.Office = std::make_unique<TOfficeDesk>(std::move(context));
  form.RefusalSound = [&form] {
    if (SoundOn && vsOps < form.Audio.Items.Count()) form.Audio.Items.Items(vsOps).Play(false);
  };
  for (std::size_t i = 0; i < OfficeKinds; ++i) {
    TSpeedButton* button = form.*OfficeButtons[i];
    const auto kind = static_cast<TOfficeKind>(i);
    // While the economy does not run, the buttons only go down and up.
    QObject::connect(button, &QToolButton::clicked, &form, [&form, kind, button] {
      if (form.Living.Running()) form.Office->Toggle(kind, *button, *form.MdiArea, form);
    });
  }
  form.LivingTools = std::make_unique<TLivingTools>(form);
  form.Strokes.PutSide = [&form](std::uint32_t key, std::uint32_t value) { form.Living.PutToolState(key, value); };
  form.Strokes.OnEdit = [&form](std::int64_t charged) {
    if (!form.Living.Running()) return;
    form.Living.Edited(charged);
    form.Office->Refresh();
    DrainNews(form);
  };
}

void TForm1::FollowLivingRanchOption() {
  TForm1& form = *this;
  const bool on = form.Fazendaviva1->isChecked();
  form.Office->CloseAll();
  PutAllButtonsUp(form);
  form.Living.SetRunning(on);
  if (form.Tools != nullptr) {
    form.Tools->SetEconomyTools(on);
    // The eye tool's hint comes back in place of its reading.
    if (!on && form.Tools->BotVer->isChecked()) form.StatusText->setText(DecodeText(form.Tools->BotVer->Hint()));
  }
  if (form.Form2 == nullptr) return;
  if (on) {
    form.Form2->OnDayPassed = [&form] { form.LivingRanchDay(); };
    form.Form2->ToolOwner = form.LivingTools.get();
    form.Form2->EconomyOnShow = [&form]() -> const TEconomy* { return form.Living.Economy(); };
  } else {
    form.Form2->OnDayPassed = nullptr;
    form.Form2->ToolOwner = nullptr;
    form.Form2->EconomyOnShow = nullptr;
  }
}

void TForm1::LivingRanchLoaded(const QString& path) {
  TForm1& form = *this;
  switch (form.Living.Loaded(path)) {
    case TCompanionResult::Missing: form.ShowStatus(TExtraText::EcoMissingStatus, CompanionFileName(path)); break;
    case TCompanionResult::Refused: form.ShowStatus(TExtraText::EcoRefusedStatus, CompanionFileName(path)); break;
    default: break;
  }
  Follow(form);
}

void TForm1::LivingRanchSaved(const QString& path) {
  TForm1& form = *this;
  if (form.Living.Saved(path) == TCompanionResult::SaveFailed)
    form.ShowStatus(TExtraText::EcoSaveFailedStatus, CompanionFileName(path));
}

void TForm1::LivingRanchNewRanch() {
  TForm1& form = *this;
  form.Living.NewRanch();
  Follow(form);
}

void TForm1::LivingRanchDay() {
  TForm1& form = *this;
  form.Living.DayPassed();
  form.Office->Refresh();
  DrainNews(form);
}
