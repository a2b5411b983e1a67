// Saving and loading the game, the overview window and the language files.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <array>

#include "shell/Editor.h"
#include "shell/LanguageFile.h"
#include "shell/Principal.h"
#include "shell/SaveGame.h"
#include "present/Text.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"

std::vector<std::string> LanguageFiles;
TTelaMapa* OverviewWindow = nullptr;

namespace {
constexpr char LanguageFolder[] = "data/lang/";
constexpr char LanguageExtension[] = ".dat";

// Palette buttons whose hints lines 20..35 give, in line order.
constexpr std::array<TSpeedButton* TTools::*, 16> PaletteHintButtons = {
    &TTools::BotAproxima, &TTools::BotReduz,  &TTools::BotVer,      &TTools::BotMover,
    &TTools::BotTerra,    &TTools::BotPavimento, &TTools::BotCerca, &TTools::BotPorteira,
    &TTools::BotDuto,     &TTools::BotDutoS,  &TTools::BotComida,   &TTools::BotAgua,
    &TTools::BotArvores,  &TTools::BotBulldoze, &TTools::BotPlant,  &TTools::BotSpray,
};
static_assert(PaletteHintButtons.size() == LanguageLine::LastPaletteHint - LanguageLine::FirstPaletteHint + 1);

// Toolbar buttons whose hints lines 36..43 give, in line order.
constexpr std::array<TSpeedButton* TForm1::*, 8> ToolbarHintButtons = {
    &TForm1::BotBuy,  &TForm1::BotSell,    &TForm1::BotEval,  &TForm1::BotMapa,
    &TForm1::BotTempo, &TForm1::BotBalanco, &TForm1::BotBanco, &TForm1::BotMercado,
};
static_assert(ToolbarHintButtons.size() == LanguageLine::LastToolbarHint - LanguageLine::FirstToolbarHint + 1);

QString LanguagePath(const std::string& name) {
  return QString::fromLatin1(LanguageFolder) + QString::fromStdString(name);
}
}  // namespace

void TForm1::Salvarjogo1Click() { SaveGameTo(QString::fromLatin1(SaveGameFileName)); }

void TForm1::Carregarjogo1Click() { LoadGameFrom(QString::fromLatin1(SaveGameFileName)); }

void TForm1::ShowGameState() {
  if (!RanchMap) return;
  ShowFunds(RanchMap->Record().funds);
  RanchMap->ShowDate();
  // A day not yet rolled shows an empty cell, not what the game before showed.
  DiasImage.fill(Qt::white);
  RanchMap->ShowForecast();
  ShowForecast();
}

void TForm1::GameReplaced() {
  // Nothing of the ranch before can be undone into this one.
  Strokes.Clear();
  ShowGameState();
}

bool TForm1::SaveGameTo(const QString& path) {
  if (!RanchMap) return false;
  const QString name = QFileInfo(path).fileName();
  switch (SaveGameRecord(path, RanchMap->Record())) {
    case TSaveResult::Saved:
      Strokes.MarkSaved();
      ShowStatus(TExtraText::SavedStatus, name);
      return true;
    case TSaveResult::Refused:
      ShowStatus(TExtraText::SaveRefusedStatus, name);
      return false;
    case TSaveResult::Failed:
      break;
  }
  ShowStatus(TExtraText::SaveFailedStatus, name);
  return false;
}

bool TForm1::LoadGameFrom(const QString& path) {
  if (!RanchMap) return false;
  const QString name = QFileInfo(path).fileName();
  switch (LoadGameRecord(path, RanchMap->Record())) {
    case TLoadResult::Loaded:
      GameReplaced();
      ShowStatus(TExtraText::LoadedStatus, name);
      return true;
    case TLoadResult::Missing:
      ShowStatus(TExtraText::NoSaveStatus, name);
      return false;
    case TLoadResult::Unreadable:
      ShowStatus(TExtraText::LoadFailedStatus, name);
      return false;
    case TLoadResult::NotASave:
      ShowStatus(TExtraText::NotASaveStatus, name);
      return false;
    case TLoadResult::Damaged:
      break;
  }
  ShowStatus(TExtraText::DamagedStatus, name);
  return false;
}

void TForm1::BotMapaClick() {
  if (BotMapa->isChecked()) {
    auto* overview = new TTelaMapa;
    OverviewWindow = overview;
    // However the window goes (this button, its own close, the program's
    // end), it is forgotten and the button comes up.
    QPointer<TSpeedButton> button = BotMapa;
    QObject::connect(overview, &QObject::destroyed, [overview, button] {
      if (OverviewWindow == overview) OverviewWindow = nullptr;
      if (button) button->setChecked(false);
    });
    overview->ShowInArea(*MdiArea, *this);
    overview->ShowMinimap(Form2, MinimapOn);
  } else if (OverviewWindow != nullptr) {
    QMdiSubWindow* frame = OverviewWindow->SubWindow();
    if (frame != nullptr)
      delete frame;
    else
      delete OverviewWindow;
  }
}

void TForm1::ScanLanguages() {
  const QDir folder(QString::fromLatin1(LanguageFolder), QStringLiteral("*") + LanguageExtension, QDir::Unsorted,
                    QDir::Files);
  int tag = 0;
  for (const QFileInfo& file : folder.entryInfoList()) {
    QString caption = file.fileName();
    caption.chop(4);
    QAction* item = Lngua1->addAction(caption);
    item->setData(tag++);
    connect(item, &QAction::triggered, this, [this, item] { LanguageClick(item); });
    LanguageFiles.push_back(file.fileName().toStdString());
  }
}

void TForm1::LanguageClick(QObject* sender) {
  const auto* item = qobject_cast<QAction*>(sender);
  if (item == nullptr) return;
  const int tag = item->data().toInt();
  if (tag >= 0 && static_cast<std::size_t>(tag) < LanguageFiles.size()) LoadLanguage(LanguageFiles[tag]);
}

void TForm1::LoadLanguage(const std::string& name) {
  const TSpeedButton* pickedTool = Tools != nullptr ? Tools->PickedTool() : nullptr;
  const bool hintShown = pickedTool != nullptr && StatusText->text() == DecodeText(pickedTool->Hint());
  const TLanguageLines lines = ApplyLanguageLines(ReadLanguageFile(LanguagePath(name)));
  const auto text = [&lines](int line) { return DecodeText(lines[line - 1]); };

  const std::array<QAction*, 18> menuCaptions = {
      Jogo1->menuAction(), Novojogo1, Salvarjogo1, Salvarjogocomo1, Carregarjogo1, Sair1,
      Lngua1->menuAction(), Opes1->menuAction(), Msica1, udio1, Velocidade1->menuAction(),
      Ultra1, Muitorpido1, Rpido1, Normal1, Lento1, Parado1, Sobre1,
  };
  static_assert(menuCaptions.size() == LanguageLine::LastMenuCaption - LanguageLine::FirstMenuCaption + 1);
  for (std::size_t i = 0; i < menuCaptions.size(); ++i)
    menuCaptions[i]->setText(text(LanguageLine::FirstMenuCaption + static_cast<int>(i)));

  if (Tools != nullptr) {
    Tools->setWindowTitle(text(LanguageLine::PaletteCaption));
    for (std::size_t i = 0; i < PaletteHintButtons.size(); ++i)
      (Tools->*PaletteHintButtons[i])->SetHint(lines[LanguageLine::FirstPaletteHint - 1 + i]);
  }
  for (std::size_t i = 0; i < ToolbarHintButtons.size(); ++i)
    (this->*ToolbarHintButtons[i])->SetHint(lines[LanguageLine::FirstToolbarHint - 1 + i]);

  LabData->setText(text(LanguageLine::DateCaption));
  LabFund->setText(text(LanguageLine::FundsCaption));

  const QString shownStatus = status_.shown ? DecodeText(Extras.Format(status_.text, EncodeText(status_.fileName)))
                                            : QString();
  Extras = ReadExtraFile(LanguagePath(CompanionFileName(name)));
  ApplyExtraTexts();
  // A message still on show follows the language; a tool's hint written
  // since then is the palette's.
  if (status_.shown && StatusText->text() == shownStatus) ShowStatus(status_.text, status_.fileName);
  // So does the hint of the picked tool, and the date with its month names.
  if (hintShown) StatusText->setText(DecodeText(pickedTool->Hint()));
  ShowGameState();
}
