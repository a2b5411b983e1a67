#include "shell/ToolReport.h"

#include "present/Text.h"
#include "view/SpeedButton.h"

std::string ToolReportText(const TExtraTexts& texts, const TToolReport& report) {
  const TDraftSummary& s = report.summary;
  const std::string refused = std::to_string(s.refused);
  switch (report.kind) {
    case TToolReport::Draft:
      return texts.FormatAll(TExtraText::DraftStatus, {std::to_string(s.tiles), std::to_string(s.price), refused});
    case TToolReport::Unbuilt:
      if (s.groundTaken > 0 && s.moneyShort > 0)
        return texts.FormatAll(TExtraText::UnbuiltBothStatus,
                               {refused, std::to_string(s.groundTaken), std::to_string(s.moneyShort)});
      return texts.FormatAll(s.moneyShort > 0 ? TExtraText::UnbuiltMoneyStatus : TExtraText::UnbuiltTakenStatus,
                             {refused});
    case TToolReport::Hint:
      break;
  }
  return {};
}

QString ToolReportStatus(const TExtraTexts& texts, const TToolReport& report, const TSpeedButton* picked) {
  if (report.kind != TToolReport::Hint) return DecodeText(ToolReportText(texts, report));
  return picked != nullptr ? DecodeText(picked->Hint()) : QString();
}
