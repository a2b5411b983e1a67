#include "shell/ExtraTexts.h"

#include <QString>

#include "shell/LanguageFile.h"

namespace {
constexpr std::string_view Placeholder = "%1";

// Built-in texts in TExtraText order, Windows-1252.
constexpr std::array<std::string_view, ExtraTextCount> BuiltIn = {
    "E&xtras",
    "Zol Vorn \x96 um jogo de constru\xE7\xE3o de fazendas.",
    "Vers\xE3o 0.1",
    "Jogo salvo em \"%1\".",
    "N\xE3o foi poss\xEDvel salvar o jogo em \"%1\".",
    "\"%1\" n\xE3o \xE9 um arquivo comum: o jogo n\xE3o foi salvo.",
    "Jogo carregado de \"%1\".",
    "N\xE3o h\xE1 jogo salvo em \"%1\".",
    "\"%1\" n\xE3o \xE9 um jogo salvo.",
    "\"%1\" est\xE1 danificado: o jogo n\xE3o foi carregado.",
    "Mar&cador destacado",
    "&Minimapa",
    "Mapa &grande",
    "Na&vegar com o mouse",
    "&Nova fazenda",
    "&Salvar em...",
    "&Abrir jogo...",
    "&Desfazer",
    "&Refazer",
    "A fazenda tem mudan\xE7" "as que n\xE3o foram salvas. Descart\xE1-las?",
    "Nova fazenda criada.",
    "Constru\xE7\xE3o desfeita.",
    "Constru\xE7\xE3o refeita.",
    "Dinheiro insuficiente para refazer.",
    "Salvar jogo em",
    "Abrir jogo",
    "Jogos salvos (*.map)",
    "&Terreno detalhado",
    "Tri&lha sonora",
    "N\xE3o foi poss\xEDvel ler \"%1\": o jogo n\xE3o foi carregado.",
    "&Sim",
    "&N\xE3o",
    "pt_BR",
    "Tra\xE7" "ado com &pr\xE9via",
    "Tra\xE7" "ado: %1 trechos, custo $%2, %3 recusados",
    "%1 trechos n\xE3o constru\xED" "dos: terreno ocupado.",
    "%1 trechos n\xE3o constru\xED" "dos: dinheiro insuficiente.",
    "%1 trechos n\xE3o constru\xED" "dos: %2 em terreno ocupado, %3 por falta de dinheiro.",
    "&Lembrar escolhas",
    "&Proteger o jogo",
    "Escolhas restauradas.",
    "Nenhuma escolha guardada ainda: as de agora ser\xE3o lembradas.",
    "As escolhas guardadas n\xE3o puderam ser lidas: nada foi restaurado.",
    "A fazenda tem mudan\xE7" "as que n\xE3o foram salvas. Salvar antes?",
    "&Cancelar",
    "O jogo anterior n\xE3o terminou bem. Restaurar o jogo salvo automaticamente?",
    "N\xE3o foi poss\xEDvel salvar automaticamente em \"%1\".",
};
static_assert(BuiltIn.size() == ExtraTextCount);
}  // namespace

std::string_view BuiltInExtraText(TExtraText which) { return BuiltIn[static_cast<int>(which) - 1]; }

TExtraTexts::TExtraTexts() {
  for (int i = 0; i < ExtraTextCount; ++i) texts_[i] = std::string(BuiltIn[i]);
}

std::string TExtraTexts::Format(TExtraText which, std::string_view argument) const {
  std::string text = Text(which);
  const std::size_t at = text.find(Placeholder);
  if (at != std::string::npos) text.replace(at, Placeholder.size(), argument);
  return text;
}

std::string TExtraTexts::FormatAll(TExtraText which, std::initializer_list<std::string_view> arguments) const {
  const std::string& text = Text(which);
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : arguments.size();
    if (text[i] == '%' && n < arguments.size()) {
      result += arguments.begin()[n];
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

void TExtraTexts::Apply(std::string_view bytes) {
  const std::vector<std::string> lines = SplitTextLines(bytes, ExtraTextCount);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].empty()) texts_[i] = lines[i];
}

std::string CompanionFileName(std::string_view languageFile) {
  std::string name(languageFile);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".extra";
}

TExtraTexts ReadExtraFile(const QString& path) {
  TExtraTexts texts;
  if (const std::optional<std::string> bytes = ReadTextHead(path, ExtraTextCount)) texts.Apply(*bytes);
  return texts;
}
