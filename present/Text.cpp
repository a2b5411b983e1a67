#include "present/Text.h"

#include <array>

namespace {
// Unicode code points of bytes 0x80..0x9F; 0 where Windows-1252 leaves the
// byte undefined (decoded as the C1 control of the same value, like Latin-1).
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88..8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98..9F
};
static_assert(HighControls.size() == 0xA0 - 0x80);

char16_t Decode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0 && HighControls[byte - 0x80] != 0) return HighControls[byte - 0x80];
  return byte;
}
}  // namespace

QString DecodeText(std::string_view windows1252) {
  QString text;
  text.reserve(static_cast<qsizetype>(windows1252.size()));
  for (char c : windows1252) text.append(QChar(Decode(static_cast<unsigned char>(c))));
  return text;
}

std::string EncodeText(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    int found = -1;
    if (u < 0x100 && !(u >= 0x80 && u < 0xA0 && HighControls[u - 0x80] != 0)) found = u;
    for (int i = 0; found < 0 && i < 32; ++i)
      if (HighControls[i] == u) found = 0x80 + i;
    bytes.push_back(static_cast<char>(found < 0 ? '?' : found));
  }
  return bytes;
}
