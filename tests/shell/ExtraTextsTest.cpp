#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "CommandsTestApp.h"
#include "datafiles/ExtraTexts.h"
#include "shell/ToolReport.h"
#include "view/SpeedButton.h"

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

TEST(ExtraTexts, FormatAllFillsNumberedPlaceholdersInOnePass) {
  TExtraTexts texts;
  texts.Apply("%2 before %1, %1 again, %3 and %9 left, 50%\n");
  EXPECT_EQ(texts.FormatAll(TExtraText::ExtrasMenu, {"a%2", "b", "c"}), "b before a%2, a%2 again, c and %9 left, 50%");
  EXPECT_EQ(texts.FormatAll(TExtraText::ExtrasMenu, {}), "%2 before %1, %1 again, %3 and %9 left, 50%");
}

// The draft's words and the unbuilt tiles' in the built-in language; the
// toolkit locale line sits where the companion files put it.
TEST(ExtraTexts, ToolReportsReadAsTheStatusBarShowsThem) {
  const TExtraTexts texts;
  EXPECT_EQ(static_cast<int>(TExtraText::ToolkitLocale), 33);
  EXPECT_EQ(texts.Text(TExtraText::ToolkitLocale), "pt_BR");
  EXPECT_EQ(ToolReportText(texts, {TToolReport::Draft, {12, 600, 2, 1, 1}}),
            "Tra\xE7" "ado: 12 trechos, custo $600, 2 recusados");
  EXPECT_EQ(ToolReportText(texts, {TToolReport::Unbuilt, {0, 0, 3, 3, 0}}),
            "3 trechos n\xE3o constru\xED" "dos: terreno ocupado.");
  EXPECT_EQ(ToolReportText(texts, {TToolReport::Unbuilt, {0, 0, 2, 0, 2}}),
            "2 trechos n\xE3o constru\xED" "dos: dinheiro insuficiente.");
  EXPECT_EQ(ToolReportText(texts, {TToolReport::Unbuilt, {0, 0, 5, 4, 1}}),
            "5 trechos n\xE3o constru\xED" "dos: 4 em terreno ocupado, 1 por falta de dinheiro.");
  EXPECT_EQ(ToolReportText(texts, {TToolReport::Hint, {}}), "");

  TestApp();
  TSpeedButton fence;
  fence.SetHint("Cerca - Pre\xE7o: $50");
  EXPECT_EQ(ToolReportStatus(texts, {TToolReport::Hint, {}}, &fence), QString::fromUtf8("Cerca - Preço: $50"));
  EXPECT_TRUE(ToolReportStatus(texts, {TToolReport::Hint, {}}, nullptr).isEmpty());
}

// Both shipped companion files carry every line, the new ones included.
TEST(ExtraTexts, ShippedCompanionFilesFillEveryLine) {
  for (const char* name : {"portugues.extra", "english.extra"}) {
    QFile file(QStringLiteral(ZV_SOURCE_ROOT "/data/lang/") + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), ExtraTextCount) << name;
    for (int i = 0; i < ExtraTextCount; ++i) EXPECT_FALSE(lines[i].trimmed().isEmpty()) << name << " line " << i + 1;
    EXPECT_EQ(lines[32].trimmed(), name[0] == 'p' ? "pt_BR" : "en");
  }
}
