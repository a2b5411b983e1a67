// Language files: 60 lines of Windows-1252 text with CRLF ends, each line
// where the game expects it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AssetTestSupport.h"

namespace {

using namespace assettest;

std::string LangFile(const std::string& name) { return std::string(ZV_LANG_SOURCE_DIR) + "/" + name; }

// Splits at CRLF; a bare CR or LF is reported through `bare`.
std::vector<std::string> Lines(const TBytes& b, bool& bare) {
  std::vector<std::string> lines;
  std::string line;
  bare = false;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else if (b[i] == '\r' || b[i] == '\n') {
      bare = true;
    } else {
      line += static_cast<char>(b[i]);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void CheckShape(const std::string& name) {
  const TBytes b = ReadBytes(LangFile(name));
  ASSERT_FALSE(b.empty()) << name;
  bool bare;
  const std::vector<std::string> lines = Lines(b, bare);
  EXPECT_FALSE(bare) << name << " has a line end that is not CRLF";
  ASSERT_EQ(lines.size(), 60u) << name;
  for (std::uint8_t c : b) {
    EXPECT_NE(c, 26) << name << " holds an end-of-file mark";
    // Bytes that Windows-1252 leaves undefined.
    EXPECT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) << name;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_FALSE(lines[i].empty()) << name << " line " << i + 1;
  for (int month = 44; month <= 55; ++month) EXPECT_LE(lines[month - 1].size(), 20u) << name << " line " << month;
  for (int word : {56, 58, 60}) EXPECT_LE(lines[word - 1].size(), 30u) << name << " line " << word;
  // Each hint is text of its own, not a copy of the one before.
  for (int hint = 21; hint <= 43; ++hint) EXPECT_NE(lines[hint - 1], lines[hint - 2]) << name << " line " << hint;
}

std::vector<std::string> Load(const std::string& name) {
  bool bare;
  return Lines(ReadBytes(LangFile(name)), bare);
}

std::string DateText(const std::vector<std::string>& l) { return l[55] + " 1 " + l[57] + " " + l[43] + ", 2004"; }

TEST(LanguageFiles, SixtyCrlfLinesOfWindows1252) {
  CheckShape("portugues.dat");
  CheckShape("english.dat");
}

TEST(LanguageFiles, PortugueseKeepsTheBuiltInCaptionsInWindows1252) {
  const std::vector<std::string> l = Load("portugues.dat");
  ASSERT_EQ(l.size(), 60u);
  const std::vector<std::pair<int, std::string>> builtIn = {
      {1, "&Jogo"}, {2, "&Novo jogo"}, {3, "&Salvar jogo"}, {4, "Salvar jogo como..."}, {5, "&Carregar jogo"},
      {6, "S&air"}, {7, "&L\xEDngua"}, {8, "Op\xE7\xF5""es"}, {9, "M\xFAsica"}, {10, "\xC1udio"},
      {11, "Velocidade"}, {12, "Ultra"}, {13, "Muito r\xE1pido"}, {14, "R\xE1pido"}, {15, "Normal"},
      {16, "Lento"}, {17, "Parado"}, {18, "&Sobre..."}, {19, "Ferramentas"}, {57, "Data"}, {59, "Dinheiro"}};
  for (const auto& [line, text] : builtIn) EXPECT_EQ(l[line - 1], text) << "line " << line;
  EXPECT_EQ(l[59], "Pre\xE7o");
  EXPECT_EQ(l[44], "Fevereiro");
  EXPECT_EQ(l[45], "Mar\xE7o");
  EXPECT_EQ(DateText(l), "Semana 1 de Janeiro, 2004");
}

TEST(LanguageFiles, EnglishReadsAsEnglish) {
  const std::vector<std::string> l = Load("english.dat");
  ASSERT_EQ(l.size(), 60u);
  EXPECT_EQ(l[0], "&Game");
  EXPECT_EQ(l[54], "December");
  EXPECT_EQ(l[59], "Price");
  EXPECT_EQ(DateText(l), "Week 1 of January, 2004");
  for (const std::string& line : l)
    for (char c : line) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << line;
}

TEST(LanguageFiles, TheBuildCopiesThemIntoTheDataFolder) {
  for (const char* name : {"portugues.dat", "english.dat"})
    EXPECT_EQ(ReadBytes(DataFile(std::string("lang/") + name)), ReadBytes(LangFile(name))) << name;
}

}  // namespace
