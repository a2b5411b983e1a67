#pragma once
// The asset package format, shared by the reader (TZolPackLoad) and the
// packing tool, so that both agree on every byte: header layout, version
// letters, the scrambling key and the entry encoding. See docs/package.md.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised by the writing side when a package cannot be laid out (too many
// entries, a name too long, a directory past the 16-bit data start).
// Messages are Windows-1252 bytes, in the reader's style.
class EZolPackFormatError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view ZolPackSignature = "[ZOLPKGFILE]";
static_assert(ZolPackSignature.size() == 12);
// Signature, version letter, entry count, data start.
inline constexpr std::size_t ZolPackHeaderSize = 12 + 1 + 4 + 2;
// Stored size and name length; the name bytes follow.
inline constexpr std::size_t ZolPackRecordFixedSize = 4 + 1;
inline constexpr std::size_t ZolPackMaxNameLength = 255;
inline constexpr std::size_t ZolPackMaxDataStart = 0xFFFF;

struct TZolPackFlags {
  bool Encriptar = false;
  bool Comprimir = false;
  friend constexpr bool operator==(const TZolPackFlags&, const TZolPackFlags&) = default;
};

// The four version letters in order of their flags: plain, scrambled,
// compressed, scrambled and compressed.
inline constexpr std::array<char, 4> ZolPackVersions = {'d', 'e', 'f', 'g'};
static_assert(ZolPackVersions.size() == 4);

// Flags selected by a version letter; nothing for an unknown letter.
std::optional<TZolPackFlags> ZolPackFlagsOf(char version);
char ZolPackVersionOf(TZolPackFlags flags);

// Scrambles or unscrambles n bytes in place (its own inverse). The last byte
// is left as it is, so buffers of 0 or 1 bytes never change.
void ZolPackCrypt(std::uint8_t* buffer, std::size_t length);

// Plain asset bytes to stored bytes: compressed (zlib wrapper), then
// scrambled, as the flags say.
std::vector<std::uint8_t> ZolPackEncode(const std::vector<std::uint8_t>& plain,
                                        TZolPackFlags flags);

// Low-level writers, also used by tests to lay out damaged packages.
void ZolPackWriteHeader(std::vector<std::uint8_t>& out, char version, std::int32_t count,
                        std::uint16_t dataStart);
void ZolPackWriteRecord(std::vector<std::uint8_t>& out, std::int32_t storedSize,
                        std::string_view name);

struct TZolPackStoredEntry {
  std::string Name;                 // Windows-1252, already in lower case
  std::vector<std::uint8_t> Stored;  // encoded bytes
};

// A whole package of already encoded entries. Raises EZolPackFormatError
// when the entries do not fit the format.
std::vector<std::uint8_t> ZolPackBuild(char version,
                                       const std::vector<TZolPackStoredEntry>& entries);

// The lower-case extension of an entry name (".bmp"), taken from the last
// '.', '\' or ':' when that character is a dot; empty otherwise.
std::string ZolPackExtension(std::string_view name);

// Entry names and messages are Windows-1252; the tool talks UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
// Nothing when a character has no Windows-1252 byte.
std::optional<std::string> Utf8ToCp1252(std::string_view text);
// Lower case of a Windows-1252 text, accented capitals included.
std::string Cp1252Lower(std::string_view text);
