#pragma once
// A byte stream over memory with a read position, as the wave and bitmap
// readers take their input.
#include <cstddef>
#include <cstdint>
#include <vector>

class TMemoryStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  TMemoryStream(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}

  std::size_t Size() const { return bytes_.size(); }
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) { position_ = position < bytes_.size() ? position : bytes_.size(); }
  // Reads up to count bytes; returns how many were read. Never past the end.
  std::size_t Read(void* buffer, std::size_t count);
  const std::uint8_t* Data() const { return bytes_.data(); }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};
