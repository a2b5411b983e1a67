// The companion file: the same state back byte for byte, and a clear refusal
// of anything missing, damaged, foreign or newer.
#include <gtest/gtest.h>
#include <zlib.h>

#include <unistd.h>

#include <filesystem>

#include "EcoTestSupport.h"
#include "economy/EcoFile.h"
#include "shell/defines.h"
#include "tests/map/MapTestSupport.h"

namespace {

namespace fs = std::filesystem;

// A ranch with something in every part of the file.
void MakeBusyRanch(TEcoRanch& ranch) {
  ResetGameGlobals();
  RandomSeed(3);
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 12), TEcoResult::Done);
  ASSERT_EQ(ranch.eco.Borrow(ranch.map, 5000), TEcoResult::Done);
  ASSERT_EQ(ranch.Use(tlPlant, 23, 23), TToolOutcome::Applied);
  ASSERT_EQ(ranch.Use(tlComida, 25, 25), TToolOutcome::Applied);
  ranch.eco.SetAutoRepay(true);
  ranch.Days(100);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Writes the file's own checksum again after a change.
void Reseal(std::vector<std::uint8_t>& bytes) {
  const auto crc = crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size() - 4));
  PutU32(bytes, bytes.size() - 4, static_cast<std::uint32_t>(crc));
}

TEST(EcoFile, SavingWhatWasLoadedGivesTheSameBytesAndTheSameFuture) {
  TEcoRanch ranch;
  MakeBusyRanch(ranch);
  const std::vector<std::uint8_t> bytes = ranch.eco.Save(ranch.map);
  ASSERT_EQ(bytes.size(), EcoFileSize);
  EXPECT_EQ(bytes[0], 'Z');
  EXPECT_EQ(bytes[3], 'C');

  TEcoRanch copy;
  copy.map.Record() = ranch.map.Record();
  ASSERT_EQ(copy.eco.Load(bytes, copy.map), std::nullopt);
  EXPECT_EQ(copy.eco.Save(copy.map), bytes);
  EXPECT_EQ(copy.eco.Pastures()[0].herd.head, ranch.eco.Pastures()[0].herd.head);
  EXPECT_TRUE(copy.eco.AutoRepay());

  RandomSeed(9);
  ranch.Days(300);
  RandomSeed(9);
  copy.Days(300);
  EXPECT_EQ(copy.eco.Save(copy.map), ranch.eco.Save(ranch.map));
  EXPECT_EQ(Bytes(copy.map), Bytes(ranch.map));
}

TEST(EcoFile, RefusesDamagedForeignAndNewerFilesAndKeepsTheEconomy) {
  TEcoRanch ranch;
  MakeBusyRanch(ranch);
  const std::vector<std::uint8_t> good = ranch.eco.Save(ranch.map);
  struct TCase {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* message;
  };
  std::vector<TCase> cases;
  cases.push_back({"empty", {}, "wrong size"});
  cases.push_back({"short", {good.begin(), good.end() - 1}, "wrong size"});
  auto longer = good;
  longer.push_back(0);
  cases.push_back({"long", longer, "wrong size"});
  auto magic = good;
  magic[0] = 'X';
  cases.push_back({"magic", magic, "wrong magic"});
  auto newer = good;
  newer[4] = 2;
  Reseal(newer);
  cases.push_back({"newer", newer, "newer version"});
  auto flipped = good;
  flipped[20000] ^= 1;
  cases.push_back({"flipped", flipped, "checksum mismatch"});
  auto foreign = good;
  PutU32(foreign, 8, 12345);
  Reseal(foreign);
  cases.push_back({"foreign", foreign, "another saved map"});
  auto walk = good;
  walk[50] = 0xFF;
  walk[51] = 0xFF;
  Reseal(walk);
  cases.push_back({"walk", walk, "walk is out of range"});
  auto layer = good;
  layer[7084 + 500] = 0x80;
  Reseal(layer);
  cases.push_back({"layer", layer, "planted grass are damaged"});
  auto herd = good;
  PutU32(herd, 3004 + 8, 5);  // the first pasture's head...
  PutU32(herd, 3004 + 12, 1);  // ...weighing a gram
  Reseal(herd);
  cases.push_back({"herd", herd, "weight is out of range"});
  auto nowhere = good;
  nowhere[3004] = 1;  // a pasture named by tile (0, 1), which no pasture has
  nowhere[3005] = 0;
  Reseal(nowhere);
  cases.push_back({"nowhere", nowhere, "does not have"});

  for (const TCase& c : cases) {
    const auto error = ranch.eco.Load(c.bytes, ranch.map);
    ASSERT_TRUE(error.has_value()) << c.what;
    EXPECT_NE(error->find(c.message), std::string::npos) << c.what << ": " << *error;
    EXPECT_EQ(ranch.eco.Save(ranch.map), good) << c.what;
  }
  // The same economy is refused once the map it belongs to has changed.
  ranch.map.Record().moisture ^= 1;
  EXPECT_TRUE(ranch.eco.Load(good, ranch.map).has_value());
}

TEST(EcoFile, WritesAtomicallyBesideTheMapAndReadsBack) {
  const fs::path dir = fs::temp_directory_path() / ("eco-file-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string map = (dir / "mapa.map").string();
  EXPECT_EQ(CompanionPath(map), (dir / "mapa.eco").string());
  EXPECT_EQ(CompanionPath("a.b/mapa"), "a.b/mapa.eco");
  EXPECT_EQ(CompanionPath("save.old.map"), "save.old.eco");

  const std::vector<std::uint8_t> bytes(EcoFileSize, 7);
  ASSERT_EQ(WriteCompanionFile(CompanionPath(map), bytes), std::nullopt);
  std::vector<std::uint8_t> back;
  ASSERT_EQ(ReadCompanionFile(CompanionPath(map), back), std::nullopt);
  EXPECT_EQ(back, bytes);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 1U);  // no temporary file left behind
  EXPECT_TRUE(ReadCompanionFile((dir / "none.eco").string(), back).has_value());
  EXPECT_TRUE(WriteCompanionFile((dir / "no" / "such.eco").string(), bytes).has_value());
  fs::remove_all(dir);
}

}  // namespace
