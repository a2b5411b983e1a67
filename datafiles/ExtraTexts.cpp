#include "datafiles/ExtraTexts.h"

#include <QString>

#include "datafiles/LanguageFile.h"

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
    "&Fazenda viva",
    "N\xE3o h\xE1 economia em \"%1\": a fazenda viva come\xE7" "a de novo.",
    "\"%1\" foi recusado: a fazenda viva come\xE7" "a de novo.",
    "N\xE3o foi poss\xEDvel salvar a economia em \"%1\".",
    "O pasto %1 est\xE1 sem \xE1gua.",
    "O pasto %1 perdeu %2 cabe\xE7" "as.",
    "O dinheiro ficou abaixo de zero: $%1.",
    "Aviso: o m\xEAs terminou no vermelho.",
    "Venda for\xE7" "ada de todo o gado por $%1.",
    "O pasto %1 deixou de existir: gado vendido por $%2.",
    "M\xEAs fechado: vendas $%1, custos $%2, saldo $%3.",
    "Meta alcan\xE7" "ada! A fazenda vale $%1. O jogo continua.",
    "A fazenda faliu (valor $%1). Comece uma nova fazenda ou abra um jogo.",
    "Comprar gado",
    "Vender gado",
    "Avalia\xE7\xE3o",
    "Tempo",
    "Balan\xE7o",
    "Banco",
    "Mercado",
    "Pasto",
    "\xC1rea",
    "\xC1gua",
    "Estrada",
    "Dias de pasto",
    "Cabe\xE7" "as",
    "Peso m\xE9" "dio (kg)",
    "sim",
    "n\xE3o",
    "Bezerros:",
    "Cabe\xE7" "as a vender:",
    "Pre\xE7o da arroba:",
    "Arroba do bezerro:",
    "Quebra no transporte:",
    "Total:",
    "&Comprar",
    "&Vender",
    "Valor da fazenda:",
    "Dinheiro:",
    "Empr\xE9stimo:",
    "Rebanho:",
    "Constru\xE7\xF5" "es:",
    "Meta: $%1 at\xE9 o fim de %2, sem d\xEDvida.",
    "Faltam $%1.",
    "Meta alcan\xE7" "ada.",
    "Dinheiro no fim de cada m\xEAs",
    "Previs\xE3o:",
    "Esta\xE7\xE3o:",
    "ver\xE3o (chuvas)",
    "outono",
    "inverno (seca)",
    "primavera",
    "sol",
    "sol e nuvens",
    "nublado",
    "chuva",
    "chuva forte",
    "Crescimento (kg/dia)",
    "Saldo inicial",
    "Vendas",
    "Compras",
    "Manuten\xE7\xE3o",
    "Juros",
    "Constru\xE7\xE3o",
    "Empr\xE9stimos",
    "Pagamentos",
    "Saldo final",
    "12 meses",
    "10 anos",
    "M\xE1ximo:",
    "Juros ao ano:",
    "&Tomar $%1",
    "&Pagar $%1",
    "Ctrl+clique: tudo",
    "Pagar com as vendas",
    "Pre\xE7o da arroba, 24 meses",
    "\xCDndice da esta\xE7\xE3o, pr\xF3ximos meses:",
    "N\xE3o \xE9 um pasto cercado.",
    "O pasto n\xE3o tem porteira.",
    "O pasto n\xE3o tem \xE1gua.",
    "Sem compras com o dinheiro abaixo de zero.",
    "Dinheiro insuficiente.",
    "O rebanho n\xE3o tem tantas cabe\xE7" "as.",
    "O rebanho ficaria grande demais.",
    "Quantia inv\xE1lida.",
    "O banco n\xE3o empresta mais.",
    "Mais do que o empr\xE9stimo.",
    "A fazenda faliu.",
    "terra",
    "estrada de terra",
    "asfalto",
    "paisagem",
    "\xE1rvores",
    "cerca",
    "porteira",
    "duto",
    "conex\xE3o de duto",
    "\xE1gua",
    "ponte",
    "cruzamento",
    "casa",
    "bebedouro",
    "cocho",
    "pasto plantado",
    "%1 \x96 pasto %2: %3 lotes, \xE1gua: %4, estrada: %5, %6 cabe\xE7" "as de %7 kg, %8 dias de pasto, pragas %9%",
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
