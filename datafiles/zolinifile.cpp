#include "datafiles/zolinifile.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// Length of the well-formed UTF-8 sequence starting at text[i], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  char32_t code = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code >= smallest && code <= 0x10FFFF && !surrogate ? length : 0;
}

bool NeedsHexEscape(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == '=' || byte == '[' || byte == ']' ||
         byte == ';' || byte == '#';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string EscapeIni(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  const auto hex = [&out](unsigned char byte) {
    out += "\\x";
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 15];
  };
  for (std::size_t i = 0; i < raw.size();) {
    const auto byte = static_cast<unsigned char>(raw[i]);
    if (byte == '\\') {
      out += "\\\\";
      ++i;
    } else if (byte >= 0x80) {
      const std::size_t length = Utf8SequenceLength(raw, i);
      if (length == 0) {
        hex(byte);
        ++i;
      } else {
        out.append(raw.substr(i, length));
        i += length;
      }
    } else if (NeedsHexEscape(byte) || (byte == ' ' && (i == 0 || i + 1 == raw.size()))) {
      hex(byte);
      ++i;
    } else {
      out += static_cast<char>(byte);
      ++i;
    }
  }
  return out;
}

std::string UnescapeIni(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
               HexValue(text[i + 2]) >= 0 && HexValue(text[i + 3]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
  QFile file(QString::fromStdString(fileName_));
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray content = file.readAll();
  std::string_view rest(content.constData(), static_cast<std::size_t>(content.size()));
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(ParseLine(line));
  }
}

TIniFile::TLine TIniFile::ParseLine(std::string_view line) {
  TLine parsed;
  parsed.text = std::string(line);
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return parsed;
  if (trimmed.front() == '[') {
    const auto close = trimmed.find(']');
    if (close != std::string_view::npos) {
      parsed.kind = TLine::Kind::Section;
      parsed.name = UnescapeIni(trimmed.substr(1, close - 1));
    }
    return parsed;
  }
  const auto equals = trimmed.find('=');
  if (equals != std::string_view::npos) {
    parsed.kind = TLine::Kind::Key;
    parsed.name = UnescapeIni(Trim(trimmed.substr(0, equals)));
    parsed.value = UnescapeIni(Trim(trimmed.substr(equals + 1)));
  }
  return parsed;
}

std::size_t TIniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == TLine::Kind::Section && lines_[i].name == section) return i;
  return lines_.size();
}

std::size_t TIniFile::FindKey(std::size_t header, std::string_view key, bool& found) const {
  found = false;
  std::size_t i = header + 1;
  for (; i < lines_.size() && lines_[i].kind != TLine::Kind::Section; ++i) {
    if (lines_[i].kind == TLine::Kind::Key && lines_[i].name == key) {
      found = true;
      return i;
    }
  }
  // New keys go after the section's last key, before blank lines that
  // separate it from the next section.
  while (i > header + 1 && lines_[i - 1].kind == TLine::Kind::Other && Trim(lines_[i - 1].text).empty())
    --i;
  return i;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return std::string(fallback);
  bool found = false;
  const std::size_t at = FindKey(header, key, found);
  return found ? lines_[at].value : std::string(fallback);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    if (!lines_.empty()) lines_.push_back(TLine{});
    TLine heading;
    heading.kind = TLine::Kind::Section;
    heading.name = std::string(section);
    lines_.push_back(std::move(heading));
    header = lines_.size() - 1;
  }
  bool found = false;
  const std::size_t at = FindKey(header, key, found);
  if (found) {
    lines_[at].value = std::string(value);
    return;
  }
  TLine entry;
  entry.kind = TLine::Kind::Key;
  entry.name = std::string(key);
  entry.value = std::string(value);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

void TIniFile::UpdateFile() const {
  std::string content;
  for (const TLine& line : lines_) {
    switch (line.kind) {
      case TLine::Kind::Section:
        content += '[';
        content += EscapeIni(line.name);
        content += ']';
        break;
      case TLine::Kind::Key:
        content += EscapeIni(line.name);
        content += '=';
        content += EscapeIni(line.value);
        break;
      case TLine::Kind::Other:
        content += line.text;
        break;
    }
    content += "\n";
  }
  QSaveFile file(QString::fromStdString(fileName_));
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(content.data(), static_cast<qint64>(content.size())) != static_cast<qint64>(content.size()) ||
      !file.commit())
    throw EIniFileError("Unable to write to " + fileName_);
}
