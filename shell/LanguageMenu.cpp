// The main window's "Língua" menu: the language files found at start-up,
// and a language put on every widget, the status bar's message and the
// toolkit's own texts included.
#include <QLabel>

#include "office/Desk.h"
#include "present/Text.h"
#include "shell/Principal.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"

void TForm1::ScanLanguages() {
  Language.Scan(*Lngua1, [this](const std::string& name) { LoadLanguage(name); });
}

void TForm1::LoadLanguage(const std::string& name) {
  const TSpeedButton* pickedTool = Tools != nullptr ? Tools->PickedTool() : nullptr;
  const bool hintShown = pickedTool != nullptr && StatusText->text() == DecodeText(pickedTool->Hint());
  const bool messageShown = Status.MessageOnShow();
  Language.Load(name, {MenuCaptionItems(), Tools, ToolbarButtons(), LabData, LabFund});
  ApplyExtrasTexts();
  if (Office) Office->Refresh();
  // A message still on show follows the language; a tool's hint written
  // since then is the palette's. So does the hint of the picked tool.
  if (messageShown) Status.Rewrite();
  if (hintShown) StatusText->setText(DecodeText(pickedTool->Hint()));
  ToolkitTranslation.Follow(Language.Extras().Text(TExtraText::ToolkitLocale));
  // The date follows with its month names.
  ShowGameState();
}
