// Arbitrary bytes as a language file and as its companion file, both of which
// players drop into the game themselves: either gives texts, never a crash.
// The same bytes go through the readers twice, once as bytes and once as a
// file, and both ways must give the same texts: the file reader stops early
// on large files, which must not change what the game shows.
#include <sys/mman.h>
#include <unistd.h>

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "present/Text.h"
#include "datafiles/ExtraTexts.h"
#include "datafiles/LanguageFile.h"
#include "shell/defines.h"

namespace {
constexpr char EndOfFile = 26;

// An in-memory file the readers open by name, rewritten for every input:
// no disk writes, and nothing left behind.
class TMemoryFile {
 public:
  TMemoryFile() : fd_(memfd_create("language", 0)) {
    if (fd_ < 0) __builtin_trap();
    path_ = QString::fromStdString("/proc/self/fd/" + std::to_string(fd_));
  }
  const QString& Write(std::string_view bytes) {
    if (ftruncate(fd_, 0) != 0) __builtin_trap();
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t written = pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      if (written <= 0) __builtin_trap();
      done += static_cast<std::size_t>(written);
    }
    return path_;
  }

 private:
  int fd_;
  QString path_;
};

// A line as the readers hand it over: no line end, no end-of-text byte, and
// never longer than what it came from.
void CheckLine(const std::string& line, std::size_t inputSize) {
  if (line.size() > inputSize) __builtin_trap();
  if (line.find('\n') != std::string::npos || line.find(EndOfFile) != std::string::npos) __builtin_trap();
}

// Widget text and back gives the same bytes, for every byte value.
void CheckDecoding(const std::string& bytes) {
  if (EncodeText(DecodeText(bytes)) != bytes) __builtin_trap();
}

template <int Capacity>
void CheckShort(const TShortText<Capacity>& text) {
  if (text.Length > Capacity) __builtin_trap();
  CheckDecoding(std::string(text.Text, text.Length));
}

void LanguageFile(std::string_view bytes, const QString& path) {
  const TLanguageLines lines = ParseLanguageLines(bytes);
  if (ReadLanguageFile(path) != lines) __builtin_trap();
  for (const std::string& line : lines) CheckLine(line, bytes.size());

  const TLanguageLines shown = ApplyLanguageLines(lines);
  for (const std::string& line : shown) CheckDecoding(line);
  for (int month = 1; month <= 12; ++month) CheckShort(MonthNames[month]);
  CheckShort(WeekWord);
  CheckShort(MonthWord);
  CheckShort(PriceWord);
}

void ExtraFile(std::string_view bytes, const QString& path) {
  TExtraTexts texts;
  texts.Apply(bytes);
  const TExtraTexts read = ReadExtraFile(path);
  for (int line = 1; line <= ExtraTextCount; ++line) {
    const auto which = static_cast<TExtraText>(line);
    if (read.Text(which) != texts.Text(which)) __builtin_trap();
    // A text is either the built-in one or a line of the file, and an empty
    // line keeps the built-in text.
    const std::string& text = texts.Text(which);
    if (text != BuiltInExtraText(which)) {
      if (text.empty()) __builtin_trap();
      CheckLine(text, bytes.size());
    }
    // File names are put into texts: one holding the placeholder itself and
    // bytes past ASCII must come out as sound text too.
    CheckDecoding(texts.Format(which, "%1\x81\xFF"));
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TMemoryFile file;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const QString& path = file.Write(bytes);
  LanguageFile(bytes, path);
  ExtraFile(bytes, path);
  return 0;
}
