#pragma once
// Small builders shared by the presentation tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "present/Surface.h"

// One GUI application for every test that needs fonts or widgets. It is
// destroyed when the tests end, before Qt's own statics go away at exit.
class TestAppEnvironment : public ::testing::Environment {
 public:
  QApplication& App() {
    if (!app_) app_ = std::make_unique<QApplication>(argc_, argv_);
    return *app_;
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "present_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

inline QApplication& TestApp() {
  static TestAppEnvironment* environment = [] {
    auto* e = new TestAppEnvironment;
    ::testing::AddGlobalTestEnvironment(e);  // gtest owns it from here
    return e;
  }();
  return environment->App();
}

// Inherited first by fixtures whose members are widgets.
struct WithApp {
  WithApp() { TestApp(); }
};

inline TBitmap SolidBitmap(int width, int height, std::uint32_t pixel) {
  TBitmap b;
  b.Width = width;
  b.Height = height;
  b.Pixels.assign(static_cast<std::size_t>(width) * height, pixel);
  return b;
}

// RIFF/WAVE bytes assembled chunk by chunk, pad bytes included.
class WaveBuilder {
 public:
  WaveBuilder() { Bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}; }
  WaveBuilder& Chunk(const std::string& id, const std::vector<std::uint8_t>& body, bool pad = true) {
    Bytes.insert(Bytes.end(), id.begin(), id.end());
    Put32(static_cast<std::uint32_t>(body.size()));
    Bytes.insert(Bytes.end(), body.begin(), body.end());
    if (pad && body.size() % 2 != 0) Bytes.push_back(0);
    return *this;
  }
  WaveBuilder& Fmt(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    std::vector<std::uint8_t> f;
    auto put16 = [&](std::uint16_t v) { f.push_back(v & 0xFF); f.push_back(v >> 8); };
    auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back((v >> (8 * i)) & 0xFF); };
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    put16(1);
    put16(channels);
    put32(rate);
    put32(rate * align);
    put16(align);
    put16(bits);
    return Chunk("fmt ", f);
  }
  WaveBuilder& Data16(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> d;
    for (std::int16_t s : samples) {
      d.push_back(static_cast<std::uint8_t>(s & 0xFF));
      d.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
    }
    return Chunk("data", d);
  }
  std::vector<std::uint8_t> Bytes;

 private:
  void Put32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) Bytes.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
  }
};
