// The ranch as a whole: a new ranch in the same map object, saving to and
// opening a chosen file, and undoing and redoing the player's building.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "shell/Principal.h"
#include "shell/SaveGame.h"
#include "shell/defines.h"
#include "view/VerMapa.h"

namespace {
constexpr char SaveGameSuffix[] = "map";
}  // namespace

// A new ranch as start-up makes one, in the same map object and with the
// game's generator going on where it stands.
void TForm1::Novafazenda1Click() {
  if (!RanchMap) return;
  if (Strokes.Changed() && !AskDiscardChanges()) return;
  RanchMap->Reset();
  RanchMap->Generate();
  RanchMap->AdvanceForecast();
  RanchMap->Tick(1);
  GameReplaced();
  ScrollToHouse();
  ShowStatus(TExtraText::NewRanchStatus);
}

// Saved as Ctrl+S saves, with the same refusals and messages, to the file
// the player chose.
void TForm1::Salvarem1Click() {
  const QString path = ChooseGameFile(true);
  if (!path.isEmpty()) SaveGameTo(path);
}

// Loaded as Ctrl+L loads, with the same checks and messages.
void TForm1::Abrirjogo1Click() {
  const QString path = ChooseGameFile(false);
  if (!path.isEmpty()) LoadGameFrom(path);
}

void TForm1::Desfazer1Click() {
  if (!RanchMap || !Strokes.Undo(*RanchMap)) return;
  ShowStatus(TExtraText::UndoneStatus);
}

void TForm1::Refazer1Click() {
  if (!RanchMap) return;
  switch (Strokes.Redo(*RanchMap)) {
    case TRedoResult::Redone:
      ShowStatus(TExtraText::RedoneStatus);
      break;
    case TRedoResult::NotEnoughMoney:
      // The same complaint as the map view's for a tile the money does not reach.
      if (SoundOn && vsOps < Audio.Items.Count()) Audio.Items.Items(vsOps).Play(false);
      ShowStatus(TExtraText::RedoRefusedStatus);
      break;
    case TRedoResult::NothingToRedo:
      break;
  }
}

// Desfazer and Refazer are greyed whenever there is nothing to undo or redo.
void TForm1::FollowStrokes() {
  Strokes.OnChange = [this] {
    Desfazer1->setEnabled(Strokes.CanUndo());
    Refazer1->setEnabled(Strokes.CanRedo());
  };
  Strokes.OnChange();
}

// Yes or No, No by default: a slip of the Enter key keeps the ranch.
bool TForm1::AskDiscardChanges() {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                  ExtraText(TExtraText::DiscardQuestion), QMessageBox::NoButton, this);
  QPushButton* yes = box.addButton(ExtraText(TExtraText::YesButton), QMessageBox::YesRole);
  QPushButton* no = box.addButton(ExtraText(TExtraText::NoButton), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

// The toolkit's own file dialog, in the current folder; empty when the player
// cancels. Not the desktop's native one: the game must know that a dialog is
// open, so that the map keeps still under it.
QString TForm1::ChooseGameFile(bool saving) {
  QFileDialog dialog(this, ExtraText(saving ? TExtraText::SaveDialogTitle : TExtraText::OpenDialogTitle),
                     QDir::currentPath(), ExtraText(TExtraText::SaveFileFilter));
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

// The house in the view's third column and third row, as at start-up.
void TForm1::ScrollToHouse() {
  if (!Form2 || !RanchMap) return;
  const TMapaRecord& record = RanchMap->Record();
  Form2->BarraHorizontal->setValue(record.startX > 3 ? record.startX - 3 : 0);
  Form2->BarraVertical->setValue(record.startY > 3 ? record.startY - 3 : 0);
}
