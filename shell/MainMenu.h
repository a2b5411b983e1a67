#pragma once
// The menu bar's own menus, as the game's first version has them: "Jogo",
// "Língua", "Opções", "Velocidade" and "Sobre...", with their shortcuts; the
// Extras menu follows them (shell/ExtrasMenu.h).
#include "shell/Language.h"

class TForm1;

// Builds the menus into the window's menu bar and connects their handlers.
void BuildMainMenu(TForm1& form);

// The items whose captions language lines 1..18 give, in line order.
decltype(TLanguageTargets::menuCaptions) MenuCaptionItems(const TForm1& form);
