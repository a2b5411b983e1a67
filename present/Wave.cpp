#include "present/Wave.h"

#include <array>
#include <cstring>

namespace {

// The sample storage grows in blocks of this many bytes.
constexpr std::size_t DataBlock = 8096;
// A format block shorter than a PCM wave format cannot describe the samples.
constexpr std::size_t MinFormatSize = 16;

std::uint32_t ReadLE32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

std::uint16_t ReadLE16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

bool IdIs(const std::uint8_t* p, const char (&id)[5]) { return std::memcmp(p, id, 4) == 0; }

[[noreturn]] void ReadError() { throw EWaveStreamError("Stream read error"); }
[[noreturn]] void Invalid() { throw EWaveStreamError("Wave is invalid"); }

// Moves forward by count bytes, stopping at the end of the stream.
void Skip(TMemoryStream& stream, std::uint64_t count) {
  const std::uint64_t target = stream.Position() + count;
  stream.Seek(target < stream.Size() ? static_cast<std::size_t>(target) : stream.Size());
}

}  // namespace

const std::vector<std::uint8_t>& TWave::Data() const {
  static const std::vector<std::uint8_t> none;
  return data_ ? *data_ : none;
}

void TWave::Clear() {
  format_.clear();
  data_.reset();
  dataSize_ = 0;
}

void TWave::SetData(const std::uint8_t* bytes, std::size_t size) {
  // Samples another copy still shares are left to it.
  if (!data_ || data_.use_count() > 1) data_ = std::make_shared<std::vector<std::uint8_t>>();
  const std::size_t blocksNow = (data_->capacity() + DataBlock - 1) / DataBlock;
  const std::size_t blocksNeeded = (size + DataBlock - 1) / DataBlock;
  if (blocksNeeded != blocksNow) {
    std::vector<std::uint8_t> fresh;
    fresh.reserve(blocksNeeded * DataBlock);
    data_->swap(fresh);
  }
  data_->assign(bytes, bytes + size);
  dataSize_ = size;
}

void TWave::LoadFromStream(TMemoryStream& stream) {
  Clear();
  std::array<std::uint8_t, 12> riff{};
  if (stream.Read(riff.data(), riff.size()) != riff.size()) ReadError();
  if (!IdIs(riff.data(), "RIFF") || !IdIs(riff.data() + 8, "WAVE")) Invalid();

  std::vector<std::uint8_t> format;
  bool haveFormat = false;
  std::uint32_t dataSize = 0;
  std::size_t dataStart = 0;
  for (;;) {
    std::array<std::uint8_t, 8> header{};
    stream.Read(header.data(), header.size());
    if (ReadLE32(header.data()) == 0) break;
    const std::uint32_t size = ReadLE32(header.data() + 4);
    if (IdIs(header.data(), "fmt ")) {
      if (size > stream.Size() - stream.Position()) ReadError();
      format.resize(size);
      stream.Read(format.data(), size);
      haveFormat = true;
    } else if (IdIs(header.data(), "data")) {
      dataSize = size;
      dataStart = stream.Position();
      Skip(stream, size);
    } else {
      Skip(stream, size);
    }
    // Chunks start on even offsets: an odd chunk is followed by a pad byte.
    if (size % 2 != 0) Skip(stream, 1);
  }
  if (haveFormat && format.size() < MinFormatSize) Invalid();
  if (!haveFormat && dataSize > 0) Invalid();

  format_ = std::move(format);
  if (dataSize > stream.Size() - dataStart) ReadError();
  stream.Seek(dataStart);
  SetData(stream.Data() + dataStart, dataSize);
  stream.Seek(dataStart + dataSize);
}

std::uint16_t TWave::FormatTag() const { return format_.size() >= 2 ? ReadLE16(&format_[0]) : 0; }
std::uint16_t TWave::Channels() const { return format_.size() >= 4 ? ReadLE16(&format_[2]) : 0; }
std::uint32_t TWave::SamplesPerSec() const { return format_.size() >= 8 ? ReadLE32(&format_[4]) : 0; }
std::uint16_t TWave::BitsPerSample() const { return format_.size() >= 16 ? ReadLE16(&format_[14]) : 0; }
