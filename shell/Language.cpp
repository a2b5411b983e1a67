#include "shell/Language.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <array>

#include "present/Text.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"

std::vector<std::string> LanguageFiles;

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

QString LanguagePath(const std::string& name) {
  return QString::fromLatin1(LanguageFolder) + QString::fromStdString(name);
}
}  // namespace

void TLanguage::Scan(QMenu& menu, std::function<void(const std::string&)> load) {
  const QDir folder(QString::fromLatin1(LanguageFolder), QStringLiteral("*") + LanguageExtension, QDir::Unsorted,
                    QDir::Files);
  int tag = 0;
  for (const QFileInfo& file : folder.entryInfoList()) {
    QString caption = file.fileName();
    caption.chop(4);
    QAction* item = menu.addAction(caption);
    item->setData(tag++);
    QObject::connect(item, &QAction::triggered, &menu, [item, load] {
      const int chosen = item->data().toInt();
      if (chosen >= 0 && static_cast<std::size_t>(chosen) < LanguageFiles.size()) load(LanguageFiles[chosen]);
    });
    LanguageFiles.push_back(file.fileName().toStdString());
  }
}

void TLanguage::Load(const std::string& name, const TLanguageTargets& targets) {
  current_ = name;
  const TLanguageLines lines = ApplyLanguageLines(ReadLanguageFile(LanguagePath(name)));
  const auto text = [&lines](int line) { return DecodeText(lines[line - 1]); };

  for (std::size_t i = 0; i < targets.menuCaptions.size(); ++i)
    targets.menuCaptions[i]->setText(text(LanguageLine::FirstMenuCaption + static_cast<int>(i)));
  if (targets.palette != nullptr) {
    targets.palette->setWindowTitle(text(LanguageLine::PaletteCaption));
    for (std::size_t i = 0; i < PaletteHintButtons.size(); ++i)
      (targets.palette->*PaletteHintButtons[i])->SetHint(lines[LanguageLine::FirstPaletteHint - 1 + i]);
  }
  for (std::size_t i = 0; i < targets.toolbar.size(); ++i)
    targets.toolbar[i]->SetHint(lines[LanguageLine::FirstToolbarHint - 1 + i]);
  targets.dateCaption->setText(text(LanguageLine::DateCaption));
  targets.fundsCaption->setText(text(LanguageLine::FundsCaption));

  extras_ = ReadExtraFile(LanguagePath(CompanionFileName(name)));
}

QString TLanguage::Text(TExtraText text) const { return DecodeText(extras_.Text(text)); }
