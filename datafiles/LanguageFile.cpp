#include "datafiles/LanguageFile.h"

#include <QFile>
#include <QString>
#include <algorithm>

#include "shell/defines.h"

namespace {
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char EndOfFile = 26;

const std::string& Line(const TLanguageLines& lines, int number) { return lines[number - 1]; }

template <int Capacity>
void AssignShort(TShortText<Capacity>& target, const std::string& text) {
  target.Assign(text.data(), static_cast<int>(std::min<std::size_t>(text.size(), Capacity)));
}

}  // namespace

std::vector<std::string> SplitTextLines(std::string_view bytes, int lineCount) {
  std::vector<std::string> lines;
  if (lineCount <= 0) return lines;
  lines.emplace_back();
  for (const char c : bytes) {
    if (c == EndOfFile) break;
    if (c == LineFeed) {
      if (static_cast<int>(lines.size()) == lineCount) break;
      lines.emplace_back();
    } else if (c != CarriageReturn) {
      lines.back().push_back(c);
    }
  }
  return lines;
}

std::optional<std::string> ReadTextHead(const QString& path, int lineCount) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  constexpr qint64 ChunkSize = 64 * 1024;
  std::string bytes;
  // Stop as soon as the bytes read hold everything a reader will look at.
  qsizetype lineEnds = 0;
  bool ended = false;
  while (!ended && lineEnds < lineCount) {
    const QByteArray chunk = file.read(ChunkSize);
    if (chunk.isEmpty()) break;
    bytes.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    lineEnds += chunk.count(LineFeed);
    ended = chunk.contains(EndOfFile);
  }
  return bytes;
}

TLanguageLines ParseLanguageLines(std::string_view bytes) {
  TLanguageLines lines;
  const std::vector<std::string> split = SplitTextLines(bytes, LanguageLineCount);
  std::copy(split.begin(), split.end(), lines.begin());
  return lines;
}

TLanguageLines ReadLanguageFile(const QString& path) {
  const std::optional<std::string> bytes = ReadTextHead(path, LanguageLineCount);
  return bytes ? ParseLanguageLines(*bytes) : TLanguageLines{};
}

std::string PricedHintText(std::string_view hint, std::int32_t price) {
  std::string text(hint);
  text += " - ";
  text.append(PriceWord.Text, PriceWord.Length);
  text += ": $";
  text += std::to_string(price);
  return text;
}

TLanguageLines ApplyLanguageLines(TLanguageLines lines) {
  for (int month = 1; month <= 12; ++month)
    AssignShort(MonthNames[month], Line(lines, LanguageLine::FirstMonthName + month - 1));
  AssignShort(WeekWord, Line(lines, LanguageLine::WeekWord));
  AssignShort(MonthWord, Line(lines, LanguageLine::MonthWord));
  AssignShort(PriceWord, Line(lines, LanguageLine::PriceWord));
  for (const TPricedHint& priced : PricedHints)
    lines[priced.Line - 1] = PricedHintText(lines[priced.Line - 1], priced.Price);
  return lines;
}
