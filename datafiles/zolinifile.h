#pragma once
// A small INI file object for the configuration store: sections of
// "key=value" lines, read whole when opened and written back whole, atomically,
// by UpdateFile. Sections, keys and values are arbitrary bytes; whatever an
// INI line cannot hold is escaped on the way out and restored on the way in
// (backslash escapes, see EscapeIni), so every value round-trips exactly.
// Lines the object does not understand (comments, blank lines) are kept.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EIniFileError : public std::runtime_error {  // "Unable to write to %s"
  using std::runtime_error::runtime_error;
};

// Escapes: "\\" for a backslash; "\xHH" (two upper-case hex digits) for a
// control byte, DEL, one of = [ ] ; #, a space at either end, and any byte
// not part of a well-formed UTF-8 sequence. Everything else stays as it is.
std::string EscapeIni(std::string_view raw);
// The inverse; a backslash not starting a known escape stays as written.
std::string UnescapeIni(std::string_view text);

class TIniFile {
 public:
  // Reads the file when it exists; a missing file is an empty INI.
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return fileName_; }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Writes the whole file; raises EIniFileError when it cannot.
  void UpdateFile() const;

 private:
  struct TLine {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string name;   // section name or key, unescaped
    std::string value;  // unescaped
    std::string text;   // the line as read, for Other
  };
  // Index of the section's header line, or lines_.size().
  std::size_t FindSection(std::string_view section) const;
  // Index of the key's line within the section starting at header, or the
  // index where the section ends.
  std::size_t FindKey(std::size_t header, std::string_view key, bool& found) const;
  static TLine ParseLine(std::string_view line);

  std::string fileName_;
  std::vector<TLine> lines_;
};
