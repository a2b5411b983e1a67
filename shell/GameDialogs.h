#pragma once
// The questions and file dialogs of the game's commands, in the current
// language. Modal: the game knows a dialog is open, so the map keeps still
// under it.
#include <QString>

class QWidget;
class TLanguage;

enum class TAnswer { Yes, No, Cancel };

// Whether to discard unsaved changes: Yes or No (and Cancel when asked for),
// No by default, so that a slip of the Enter key keeps the ranch.
TAnswer AskDiscardChanges(QWidget* parent, const TLanguage& language, bool withCancel);
// Whether to save unsaved changes first: Yes, No or Cancel, Yes by default.
TAnswer AskSaveFirst(QWidget* parent, const TLanguage& language);
// Whether to restore the autosave of a run that did not end well.
bool AskRestoreAutosave(QWidget* parent, const TLanguage& language);

// The toolkit's own file dialog for a saved game, in the current folder;
// empty when the player cancels. Saving proposes "mapa.map".
QString ChooseGameFile(QWidget* parent, const TLanguage& language, bool saving);
