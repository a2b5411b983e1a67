#pragma once
// The toolbar panel: the eight toolbar buttons, the forecast box and the date
// and funds displays with their captions, above the document area.
#include "shell/Language.h"

class TForm1;

// Builds the panel and the document area below it as the window's central
// widget; connects BotMapa, the one button with an action of its own.
void BuildToolbar(TForm1& form);

// The toolbar buttons, left to right: the order of their hint lines.
decltype(TLanguageTargets::toolbar) ToolbarButtons(const TForm1& form);
