#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "shell/ExtraTexts.h"

namespace {
std::string Bytes(std::string_view text) { return std::string(text); }
}  // namespace

TEST(ExtraTexts, LinesReplaceTheirBuiltInTextInOrder) {
  TExtraTexts texts;
  texts.Apply("one\r\ntwo\nthree");
  EXPECT_EQ(texts.Text(TExtraText::ExtrasMenu), "one");
  EXPECT_EQ(texts.Text(TExtraText::AboutDescription), "two");
  EXPECT_EQ(texts.Text(TExtraText::AboutVersion), "three");
  EXPECT_EQ(texts.Text(TExtraText::SavedStatus), BuiltInExtraText(TExtraText::SavedStatus));
  EXPECT_EQ(texts.Text(TExtraText::SoundtrackItem), BuiltInExtraText(TExtraText::SoundtrackItem));
}

TEST(ExtraTexts, EmptyAndMissingLinesKeepTheBuiltInText) {
  TExtraTexts texts;
  texts.Apply("\nsecond\n\r\n");
  EXPECT_EQ(texts.Text(TExtraText::ExtrasMenu), BuiltInExtraText(TExtraText::ExtrasMenu));
  EXPECT_EQ(texts.Text(TExtraText::AboutDescription), "second");
  EXPECT_EQ(texts.Text(TExtraText::AboutVersion), BuiltInExtraText(TExtraText::AboutVersion));

  // A line that ends the file at byte 26 stops the reading there.
  TExtraTexts cut;
  cut.Apply(Bytes("a\nb\x1A" "c\nd\n"));
  EXPECT_EQ(cut.Text(TExtraText::AboutDescription), "b");
  EXPECT_EQ(cut.Text(TExtraText::AboutVersion), BuiltInExtraText(TExtraText::AboutVersion));
}

TEST(ExtraTexts, LinesPastTheLastTextAreIgnored) {
  std::string bytes;
  for (int i = 1; i <= ExtraTextCount + 5; ++i) {
    bytes += std::to_string(i);
    bytes += '\n';
  }
  TExtraTexts texts;
  texts.Apply(bytes);
  EXPECT_EQ(texts.Text(static_cast<TExtraText>(ExtraTextCount)), std::to_string(ExtraTextCount));
}

TEST(ExtraTexts, FormatFillsTheFileName) {
  TExtraTexts texts;
  EXPECT_EQ(texts.Format(TExtraText::SavedStatus, "mapa.map"), "Jogo salvo em \"mapa.map\".");
  EXPECT_EQ(texts.Format(TExtraText::ExtrasMenu, "x"), "E&xtras");  // no placeholder, nothing added
  texts.Apply("\n\n\nsaved %1 and %1\n");
  EXPECT_EQ(texts.Format(TExtraText::SavedStatus, "f"), "saved f and %1");  // one file name, once
}

TEST(ExtraTexts, CompanionFileNameAndMissingFile) {
  EXPECT_EQ(CompanionFileName("portugues.dat"), "portugues.extra");
  EXPECT_EQ(CompanionFileName("a.b.dat"), "a.b.extra");
  EXPECT_EQ(CompanionFileName("plain"), "plain.extra");

  QTemporaryDir dir;
  const TExtraTexts missing = ReadExtraFile(dir.filePath("none.extra"));
  for (int i = 1; i <= ExtraTextCount; ++i)
    EXPECT_EQ(missing.Text(static_cast<TExtraText>(i)), BuiltInExtraText(static_cast<TExtraText>(i)));

  QFile file(dir.filePath("en.extra"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("E&xtras\r\nA ranch game.\r\n");
  file.close();
  const TExtraTexts read = ReadExtraFile(file.fileName());
  EXPECT_EQ(read.Text(TExtraText::AboutDescription), "A ranch game.");
  EXPECT_EQ(read.Text(TExtraText::AboutVersion), BuiltInExtraText(TExtraText::AboutVersion));
}
