#include "shell/GameDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "shell/Language.h"
#include "shell/SaveGame.h"

namespace {
constexpr char SaveGameSuffix[] = "map";
}  // namespace

bool AskDiscardChanges(QWidget* parent, const TLanguage& language) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                  language.Text(TExtraText::DiscardQuestion), QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(language.Text(TExtraText::YesButton), QMessageBox::YesRole);
  QPushButton* no = box.addButton(language.Text(TExtraText::NoButton), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

// Not the desktop's native dialog: the game must know that a dialog is open.
QString ChooseGameFile(QWidget* parent, const TLanguage& language, bool saving) {
  QFileDialog dialog(parent, language.Text(saving ? TExtraText::SaveDialogTitle : TExtraText::OpenDialogTitle),
                     QDir::currentPath(), language.Text(TExtraText::SaveFileFilter));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (saving) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(SaveGameSuffix));
    dialog.selectFile(QString::fromLatin1(SaveGameFileName));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}
