#pragma once
// The questions and file dialogs of the game's commands, in the current
// language. Modal: the game knows a dialog is open, so the map keeps still
// under it.
#include <QString>

class QWidget;
class TLanguage;

// Yes or No, No by default: a slip of the Enter key keeps the ranch.
bool AskDiscardChanges(QWidget* parent, const TLanguage& language);

// The toolkit's own file dialog for a saved game, in the current folder;
// empty when the player cancels. Saving proposes "mapa.map".
QString ChooseGameFile(QWidget* parent, const TLanguage& language, bool saving);
