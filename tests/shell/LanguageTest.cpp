#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "datafiles/LanguageFile.h"
#include "shell/defines.h"

namespace {
std::string Label(int number) {
  std::string text = "L";
  text += std::to_string(number);
  return text;
}

std::string Numbered(int count, const char* end) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += Label(i);
    if (i < count) text += end;
  }
  return text;
}

std::string Short(const auto& text) { return std::string(text.Text, text.Length); }

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameGlobals(); }
  void TearDown() override { ResetGameGlobals(); }
};
}  // namespace

TEST_F(LanguageTest, SixtyLinesWithoutFinalLineBreakAllLoad) {
  for (const char* end : {"\n", "\r\n"}) {
    const TLanguageLines lines = ParseLanguageLines(Numbered(60, end));
    for (int i = 0; i < 60; ++i) EXPECT_EQ(lines[i], Label(i + 1));
  }
}

TEST_F(LanguageTest, LineEndsLoneCarriageReturnEndOfFileAndExtraLines) {
  const TLanguageLines lines = ParseLanguageLines("a\r\nb\rc\n\r\n\rd\r");
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "bc");  // a lone CR is dropped, it ends no line
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "d");
  EXPECT_EQ(lines[4], "");

  const TLanguageLines cut = ParseLanguageLines(std::string("one\ntw\x1Ao\nthree\n", 15));
  EXPECT_EQ(cut[0], "one");
  EXPECT_EQ(cut[1], "tw");
  EXPECT_EQ(cut[2], "");

  const TLanguageLines many = ParseLanguageLines(Numbered(70, "\n"));
  EXPECT_EQ(many[59], "L60");
}

TEST_F(LanguageTest, ShortTextsAreCutCaptionsAndHintsStayWhole) {
  TLanguageLines lines;
  lines[0] = std::string(300, 'J');                 // a menu caption
  lines[43] = "ABCDEFGHIJKLMNOPQRSTUVWXY";             // month 1, 25 characters
  lines[54] = "Dezembro";                              // month 12
  lines[55] = std::string(31, 'w');                   // WeekWord
  lines[57] = "de";                                    // MonthWord
  lines[59] = "Pre\xE7o";                              // PriceWord, Windows-1252
  const TLanguageLines applied = ApplyLanguageLines(lines);
  EXPECT_EQ(applied[0].size(), 300u);
  EXPECT_EQ(Short(MonthNames[1]), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(Short(MonthNames[12]), "Dezembro");
  EXPECT_EQ(Short(WeekWord), std::string(30, 'w'));
  EXPECT_EQ(Short(MonthWord), "de");
  EXPECT_EQ(Short(PriceWord), "Pre\xE7o");
}

TEST_F(LanguageTest, PricedHintsAreRebuiltFromTheFileAtEveryLoad) {
  TLanguageLines lines;
  lines[25] = "Cerca";
  lines[59] = "Price";
  TLanguageLines applied = ApplyLanguageLines(lines);
  EXPECT_EQ(applied[25], "Cerca - Price: $50");
  EXPECT_EQ(applied[23], " - Price: $20");   // BotTerra, empty hint
  EXPECT_EQ(applied[30], " - Price: $15");   // BotAgua
  EXPECT_EQ(applied[29], " - Price: $100");  // BotComida
  EXPECT_EQ(applied[34], " - Price: $200");  // BotSpray
  EXPECT_EQ(applied[22], "");                // BotMover has no price
  EXPECT_EQ(applied[35], "");                // toolbar hints have none either
  applied = ApplyLanguageLines(lines);
  EXPECT_EQ(applied[25], "Cerca - Price: $50");
}

TEST_F(LanguageTest, MissingFileAppliesEveryLineAsEmpty) {
  MonthNames[3].Assign("Mar", 3);
  PriceWord.Assign("old", 3);
  const TLanguageLines applied = ApplyLanguageLines(ReadLanguageFile("/nonexistent/lang/portugues.dat"));
  EXPECT_EQ(MonthNames[3].Length, 0);
  EXPECT_EQ(PriceWord.Length, 0);
  EXPECT_EQ(applied[18], "");
  EXPECT_EQ(applied[25], " - : $50");
}

TEST_F(LanguageTest, FileReadingStopsAtLineSixtyAndKeepsLongLines) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("big.dat");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string longLine(200000, 'x');  // longer than one read chunk
  std::string text = longLine + "\r\n" + Numbered(80, "\r\n");
  file.write(text.data(), static_cast<qint64>(text.size()));
  file.close();
  const TLanguageLines lines = ReadLanguageFile(path);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], "L1");
  EXPECT_EQ(lines[59], "L59");
}
