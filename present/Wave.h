#pragma once
// Sound data read from a RIFF/WAVE stream. Toolkit-free.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "present/Stream.h"

class EWaveStreamError : public std::runtime_error {  // "Wave is invalid", "Stream read error"
  using std::runtime_error::runtime_error;
};

class TWave {
 public:
  // Reads from the stream's current position; raises EWaveStreamError.
  void LoadFromStream(TMemoryStream& stream);
  void Clear();

  const std::vector<std::uint8_t>& Format() const { return format_; }  // the "fmt " chunk bytes
  const std::vector<std::uint8_t>& Data() const;                      // the samples
  std::size_t FormatSize() const { return format_.size(); }
  std::size_t DataSize() const { return dataSize_; }

  // Decoded fields of the format block (0 when it is too short).
  std::uint16_t FormatTag() const;
  std::uint16_t Channels() const;
  std::uint32_t SamplesPerSec() const;
  std::uint16_t BitsPerSample() const;

  void SetFormat(std::vector<std::uint8_t> format) { format_ = std::move(format); }
  void SetData(const std::uint8_t* bytes, std::size_t size);

 private:
  std::vector<std::uint8_t> format_;
  // Copies of a wave share its samples until one of them is given others:
  // a sound buffer keeps a copy of its wave, and the samples are the bulk.
  // The capacity grows in blocks of 8096 bytes.
  std::shared_ptr<std::vector<std::uint8_t>> data_;
  std::size_t dataSize_ = 0;
};
