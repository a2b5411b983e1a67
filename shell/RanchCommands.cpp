// The main window's commands on the ranch as a whole: saving and loading
// the one saved game or a chosen file, a new ranch, undo and redo. Each is
// handed to the ranch (Ranch.h) and its result told in the status bar.
#include <QFileInfo>

#include "shell/GameDialogs.h"
#include "shell/Principal.h"
#include "shell/SaveGame.h"
#include "shell/defines.h"
#include "view/VerMapa.h"

void TForm1::Salvarjogo1Click() { SaveGameTo(QString::fromLatin1(SaveGameFileName)); }
void TForm1::Carregarjogo1Click() {
  if (Protection.MayReload()) LoadGameFrom(QString::fromLatin1(SaveGameFileName));
}

void TForm1::Novafazenda1Click() {
  if (!Protection.MayStartNew()) return;
  if (!Report(Ranch.New())) return;
  LivingRanchNewRanch();
  ScrollToHouse();
}

// Saved and loaded as Ctrl+S and Ctrl+L do, with the same refusals and
// messages, to and from the file the player chose.
void TForm1::Salvarem1Click() {
  if (const QString path = ChooseGameFile(this, Language, true); !path.isEmpty()) SaveGameTo(path);
}

void TForm1::Abrirjogo1Click() {
  if (!Protection.MayOpen()) return;
  if (const QString path = ChooseGameFile(this, Language, false); !path.isEmpty()) LoadGameFrom(path);
}

void TForm1::Desfazer1Click() { Report(Ranch.Undo()); }
void TForm1::Refazer1Click() { Report(Ranch.Redo()); }

// With "Fazenda viva" running, the economy's companion file goes with the game.
bool TForm1::SaveGameTo(const QString& path) {
  const bool saved = Report(Ranch.SaveTo(path), path);
  if (saved) LivingRanchSaved(path);
  return saved;
}

bool TForm1::LoadGameFrom(const QString& path) {
  const bool loaded = Report(Ranch.Open(path), path);
  if (loaded) LivingRanchLoaded(path);
  return loaded;
}

bool TForm1::Report(TRanchResult result, const QString& path) {
  if (ReplacesGame(result)) {
    Protection.GameReplaced();
    ShowGameState();
  }
  // The same complaint as the map view's for a tile the money does not reach.
  if (Status.ShowResult(result, QFileInfo(path).fileName()) && SoundOn && vsOps < Audio.Items.Count())
    Audio.Items.Items(vsOps).Play(false);
  return Succeeded(result);
}

// The house in the view's third column and third row, as at start-up.
void TForm1::ScrollToHouse() {
  if (Form2 && RanchMap) Form2->ScrollToStart(RanchMap->Record().startX, RanchMap->Record().startY);
}
