// Saving and loading the game, the overview window and the language files.
#include "shell/Principal.h"

std::vector<std::string> LanguageFiles;
TTelaMapa* OverviewWindow = nullptr;

void TForm1::Salvarjogo1Click() {}

void TForm1::Carregarjogo1Click() {}

void TForm1::BotMapaClick() {}

void TForm1::ScanLanguages() {}

void TForm1::LanguageClick(QObject*) {}

void TForm1::LoadLanguage(const std::string&) {}
