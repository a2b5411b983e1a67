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

namespace {
// One of the game's questions with its own buttons; Escape is Cancel when
// there is one, No otherwise.
TAnswer Ask(QWidget* parent, const TLanguage& language, TExtraText question, bool withCancel, TAnswer byDefault) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), language.Text(question),
                  QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(language.Text(TExtraText::YesButton), QMessageBox::YesRole);
  QPushButton* no = box.addButton(language.Text(TExtraText::NoButton), QMessageBox::NoRole);
  QPushButton* cancel =
      withCancel ? box.addButton(language.Text(TExtraText::CancelButton), QMessageBox::RejectRole) : nullptr;
  box.setDefaultButton(byDefault == TAnswer::Yes ? yes : no);
  box.setEscapeButton(cancel ? cancel : no);
  box.exec();
  if (box.clickedButton() == yes) return TAnswer::Yes;
  if (box.clickedButton() == no) return TAnswer::No;
  return cancel ? TAnswer::Cancel : TAnswer::No;
}
}  // namespace

TAnswer AskDiscardChanges(QWidget* parent, const TLanguage& language, bool withCancel) {
  return Ask(parent, language, TExtraText::DiscardQuestion, withCancel, TAnswer::No);
}

TAnswer AskSaveFirst(QWidget* parent, const TLanguage& language) {
  return Ask(parent, language, TExtraText::SaveFirstQuestion, true, TAnswer::Yes);
}

bool AskRestoreAutosave(QWidget* parent, const TLanguage& language) {
  return Ask(parent, language, TExtraText::RestoreAutosaveQuestion, false, TAnswer::Yes) == TAnswer::Yes;
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
