#pragma once
// The Extras menu: what the game offers beyond its first version's menus, as
// a table of rows (the item, its text, its shortcuts, the global an option
// keeps in step with its check mark, and the action it runs). An option is
// added with one row and, if it needs one, its action. Options start
// unchecked in every run.
#include <string>
#include <utility>
#include <vector>

class QAction;
class TForm1;

// Adds the Extras menu after "Sobre..." and connects its items.
void BuildExtrasMenu(TForm1& form);
// Captions of the menu and its items from the current companion texts.
void ApplyExtrasTexts(TForm1& form);
// The options kept among the remembered choices, by name, with their items.
std::vector<std::pair<std::string, QAction*>> RememberedOptions(const TForm1& form);
