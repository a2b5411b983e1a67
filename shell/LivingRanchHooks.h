#pragma once
// "Fazenda viva" in the main window: the option's check mark, the seven
// toolbar buttons and their windows, the game's days and the player's
// building reaching the economy, the companion file with every load and
// save, and the economy's news in the status bar.
#include <QString>

class TForm1;

// After the toolbar exists: the office, the buttons, the building strokes.
void ConnectLivingRanch(TForm1& form);
// The option was checked or unchecked.
void FollowLivingRanchOption(TForm1& form);
// A game was loaded from, or saved to, `path`; a new ranch was made.
void LivingRanchLoaded(TForm1& form, const QString& path);
void LivingRanchSaved(TForm1& form, const QString& path);
void LivingRanchNewRanch(TForm1& form);
// One game day passed while the economy runs.
void LivingRanchDay(TForm1& form);
