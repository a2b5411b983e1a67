#include "datafiles/zolpackformat.h"

#include <zlib.h>

#include <cstring>

namespace {

// The scrambling key, entries 1 to 4 of the key table; the working key byte
// is each entry plus 10.
constexpr std::array<std::uint8_t, 4> CryptKey = {0x3B, 0xA7, 0x52, 0xE4};
static_assert(CryptKey.size() == 4);

// Unicode code points of the Windows-1252 bytes 0x80..0x9F; the five unused
// bytes keep their C1 control code points so every byte round-trips.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
static_assert(Cp1252High.size() == 32);

char32_t Cp1252ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return Cp1252High[byte - 0x80];
  return byte;
}

std::optional<unsigned char> CodePointToCp1252(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
  for (std::size_t i = 0; i < Cp1252High.size(); ++i)
    if (Cp1252High[i] == code) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i], advancing i; nothing when the
// sequence is malformed or overlong.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    code = lead & 0x07;
  } else {
    return std::nullopt;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[i++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
  if (code < Smallest[extra]) return std::nullopt;
  return code;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& plain) {
  uLongf length = compressBound(static_cast<uLong>(plain.size()));
  std::vector<std::uint8_t> out(length);
  if (compress2(out.data(), &length, plain.data(), static_cast<uLong>(plain.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    throw EZolPackFormatError("Falha ao comprimir os dados.");
  out.resize(length);
  return out;
}

}  // namespace

std::optional<TZolPackFlags> ZolPackFlagsOf(char version) {
  for (std::size_t i = 0; i < ZolPackVersions.size(); ++i)
    if (ZolPackVersions[i] == version) return TZolPackFlags{(i & 1) != 0, (i & 2) != 0};
  return std::nullopt;
}

char ZolPackVersionOf(TZolPackFlags flags) {
  return ZolPackVersions[(flags.Encriptar ? 1 : 0) + (flags.Comprimir ? 2 : 0)];
}

void ZolPackCrypt(std::uint8_t* buffer, std::size_t length) {
  if (length < 2) return;
  std::array<std::uint8_t, 4> working;
  for (std::size_t i = 0; i < working.size(); ++i)
    working[i] = static_cast<std::uint8_t>(CryptKey[i] + 10);
  const std::size_t last = length - 1;
  // Eight bytes at a time: the key repeats every four bytes, so a word of
  // the key twice over lines up with every eight-byte block from the start.
  std::uint64_t word = 0;
  for (int i = 7; i >= 0; --i) word = word << 8 | working[i & 3];
  std::size_t p = 0;
  for (; p + 8 <= last; p += 8) {
    std::uint64_t block;
    std::memcpy(&block, buffer + p, 8);
    block ^= word;
    std::memcpy(buffer + p, &block, 8);
  }
  for (; p < last; ++p) buffer[p] ^= working[p & 3];
}

std::vector<std::uint8_t> ZolPackEncode(const std::vector<std::uint8_t>& plain,
                                        TZolPackFlags flags) {
  std::vector<std::uint8_t> stored = flags.Comprimir ? Compress(plain) : plain;
  if (flags.Encriptar) ZolPackCrypt(stored.data(), stored.size());
  return stored;
}

void ZolPackWriteHeader(std::vector<std::uint8_t>& out, char version, std::int32_t count,
                        std::uint16_t dataStart) {
  out.insert(out.end(), ZolPackSignature.begin(), ZolPackSignature.end());
  out.push_back(static_cast<std::uint8_t>(version));
  PutLe(out, static_cast<std::uint32_t>(count), 4);
  PutLe(out, dataStart, 2);
}

void ZolPackWriteRecord(std::vector<std::uint8_t>& out, std::int32_t storedSize,
                        std::string_view name) {
  PutLe(out, static_cast<std::uint32_t>(storedSize), 4);
  out.push_back(static_cast<std::uint8_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
}

std::vector<std::uint8_t> ZolPackBuild(char version,
                                       const std::vector<TZolPackStoredEntry>& entries) {
  if (!ZolPackFlagsOf(version)) throw EZolPackFormatError(*Utf8ToCp1252("Versão de Zol Package desconhecida."));
  if (entries.size() > 1024)
    throw EZolPackFormatError(*Utf8ToCp1252("O pacote teria mais arquivos do que o número suportado."));
  std::size_t dataStart = ZolPackHeaderSize;
  std::size_t dataSize = 0;
  for (const auto& entry : entries) {
    if (entry.Name.size() > ZolPackMaxNameLength)
      throw EZolPackFormatError("Nome " + entry.Name + " longo demais para o pacote.");
    dataStart += ZolPackRecordFixedSize + entry.Name.size();
    dataSize += entry.Stored.size();
  }
  if (dataStart > ZolPackMaxDataStart)
    throw EZolPackFormatError(*Utf8ToCp1252("O diretório do pacote passa de 65535 bytes."));
  if (dataStart + dataSize > 0x7FFFFFFF)
    throw EZolPackFormatError("O pacote passaria de 2 GiB.");

  std::vector<std::uint8_t> out;
  out.reserve(dataStart + dataSize);
  ZolPackWriteHeader(out, version, static_cast<std::int32_t>(entries.size()),
                     static_cast<std::uint16_t>(dataStart));
  for (const auto& entry : entries)
    ZolPackWriteRecord(out, static_cast<std::int32_t>(entry.Stored.size()), entry.Name);
  for (const auto& entry : entries) out.insert(out.end(), entry.Stored.begin(), entry.Stored.end());
  return out;
}

std::string ZolPackExtension(std::string_view name) {
  const auto at = name.find_last_of(".\\:");
  if (at == std::string_view::npos || name[at] != '.') return {};
  return Cp1252Lower(name.substr(at));
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto code = NextCodePoint(text, i);
    if (!code) return std::nullopt;
    const auto byte = CodePointToCp1252(*code);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

std::string Cp1252Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
      c = static_cast<char>(b + 0x20);
    else if (b == 0x8A || b == 0x8C || b == 0x8E)  // Š Œ Ž
      c = static_cast<char>(b + 0x10);
    else if (b == 0x9F)  // Ÿ
      c = static_cast<char>(0xFF);
  }
  return out;
}
