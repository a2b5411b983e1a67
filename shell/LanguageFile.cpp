#include "shell/LanguageFile.h"

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

TLanguageLines ParseLanguageLines(std::string_view bytes) {
  TLanguageLines lines;
  int index = 0;
  for (std::size_t i = 0; i < bytes.size() && index < LanguageLineCount; ++i) {
    const char c = bytes[i];
    if (c == EndOfFile) break;
    if (c == LineFeed) {
      ++index;
    } else if (c != CarriageReturn) {
      lines[index].push_back(c);
    }
  }
  return lines;
}

TLanguageLines ReadLanguageFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  constexpr qint64 ChunkSize = 64 * 1024;
  std::string bytes;
  // Stop as soon as the bytes read hold everything the parser will look at.
  qsizetype lineEnds = 0;
  bool ended = false;
  while (!ended && lineEnds < LanguageLineCount) {
    const QByteArray chunk = file.read(ChunkSize);
    if (chunk.isEmpty()) break;
    bytes.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    lineEnds += chunk.count(LineFeed);
    ended = chunk.contains(EndOfFile);
  }
  return ParseLanguageLines(bytes);
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
