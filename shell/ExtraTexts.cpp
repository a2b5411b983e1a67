#include "shell/ExtraTexts.h"

#include <QFile>
#include <QString>

namespace {
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char EndOfFile = 26;
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

// Line ends, lone carriage returns and byte 26 read as in the language files.
void TExtraTexts::Apply(std::string_view bytes) {
  std::string line;
  int index = 0;
  const auto take = [&] {
    if (!line.empty()) texts_[index] = line;
    line.clear();
    ++index;
  };
  for (std::size_t i = 0; i < bytes.size() && index < ExtraTextCount; ++i) {
    const char c = bytes[i];
    if (c == EndOfFile) break;
    if (c == LineFeed)
      take();
    else if (c != CarriageReturn)
      line.push_back(c);
  }
  if (index < ExtraTextCount) take();
}

std::string CompanionFileName(std::string_view languageFile) {
  std::string name(languageFile);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".extra";
}

TExtraTexts ReadExtraFile(const QString& path) {
  TExtraTexts texts;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return texts;
  constexpr qint64 ChunkSize = 64 * 1024;
  std::string bytes;
  qsizetype lineEnds = 0;
  bool ended = false;
  while (!ended && lineEnds < ExtraTextCount) {
    const QByteArray chunk = file.read(ChunkSize);
    if (chunk.isEmpty()) break;
    bytes.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    lineEnds += chunk.count(LineFeed);
    ended = chunk.contains(EndOfFile);
  }
  texts.Apply(bytes);
  return texts;
}
