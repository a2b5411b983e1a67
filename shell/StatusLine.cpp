#include "shell/StatusLine.h"

#include <QLabel>
#include <array>
#include <optional>

#include "present/Text.h"
#include "shell/Language.h"

namespace {
struct TResultMessage {
  TRanchResult result;
  std::optional<TExtraText> text;  // none: the result says nothing
  bool refusal;                    // the player hears the refusal sound
};

// One row per result, in TRanchResult's order.
constexpr std::array<TResultMessage, 13> ResultMessages = {{
    {TRanchResult::Nothing, std::nullopt, false},
    {TRanchResult::NewRanch, TExtraText::NewRanchStatus, false},
    {TRanchResult::Saved, TExtraText::SavedStatus, false},
    {TRanchResult::SaveFailed, TExtraText::SaveFailedStatus, false},
    {TRanchResult::SaveRefused, TExtraText::SaveRefusedStatus, false},
    {TRanchResult::Loaded, TExtraText::LoadedStatus, false},
    {TRanchResult::NoSave, TExtraText::NoSaveStatus, false},
    {TRanchResult::LoadFailed, TExtraText::LoadFailedStatus, false},
    {TRanchResult::NotASave, TExtraText::NotASaveStatus, false},
    {TRanchResult::Damaged, TExtraText::DamagedStatus, false},
    {TRanchResult::Undone, TExtraText::UndoneStatus, false},
    {TRanchResult::Redone, TExtraText::RedoneStatus, false},
    {TRanchResult::RedoRefused, TExtraText::RedoRefusedStatus, true},
}};
constexpr bool InResultOrder() {
  for (std::size_t i = 0; i < ResultMessages.size(); ++i)
    if (static_cast<std::size_t>(ResultMessages[i].result) != i) return false;
  return static_cast<std::size_t>(TRanchResult::RedoRefused) + 1 == ResultMessages.size();
}
static_assert(InResultOrder());
}  // namespace

void TStatusLine::Show(TExtraText text, const QString& fileName) {
  shown_ = true;
  text_ = text;
  fileName_ = fileName;
  if (panel_) panel_->setText(Text());
}

void TStatusLine::ShowText(const QString& text) {
  shown_ = false;
  if (panel_) panel_->setText(text);
}

bool TStatusLine::ShowResult(TRanchResult result, const QString& fileName) {
  const TResultMessage& row = ResultMessages[static_cast<std::size_t>(result)];
  if (row.text) Show(*row.text, fileName);
  return row.refusal;
}

bool TStatusLine::MessageOnShow() const { return shown_ && panel_ && panel_->text() == Text(); }

void TStatusLine::Rewrite() { Show(text_, fileName_); }

QString TStatusLine::Text() const {
  return DecodeText(language_.Extras().Format(text_, EncodeText(fileName_)));
}
